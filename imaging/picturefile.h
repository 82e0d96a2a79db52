#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file input and output for the codecs.
namespace PictureFile {

// Reads the whole file; refuses files larger than any picture we accept.
// Throws ImagingError.
QByteArray read(const QString &path);

// Replaces a file's content piece by piece. The new bytes go over the old
// file, which is cut to length at the end: rewriting pages the page cache
// already holds is much faster than truncating first, and the apply
// rewrites its pictures every time. Throws ImagingError.
class Output {
public:
    explicit Output(const QString &path);
    void write(const void *data, qint64 size);
    void finish();

private:
    [[noreturn]] void fail() const;

    QString m_path;
    QFile m_file;
    qint64 m_written = 0;
};

void write(const QString &path, const QByteArray &bytes);

} // namespace PictureFile
