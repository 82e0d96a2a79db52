#pragma once

#include <QByteArray>
#include <QFile>

// The bytes of a BMP file, in memory or read from the open file as they are
// needed, so a large file is read once straight into the picture. Every
// read is checked against the end and throws ImagingError ("文件不完整").
class BmpSource {
public:
    virtual ~BmpSource() = default;
    virtual qint64 size() const = 0;
    virtual void read(qint64 offset, qint64 length, uchar *to) const = 0;

    quint16 u16(qint64 offset) const;
    quint32 u32(qint64 offset) const;
    qint32 i32(qint64 offset) const { return qint32(u32(offset)); }

protected:
    void check(qint64 offset, qint64 length) const;
};

class MemoryBmpSource : public BmpSource {
public:
    explicit MemoryBmpSource(const QByteArray &data)
        : m_data(data)
    {
    }
    qint64 size() const override { return m_data.size(); }
    void read(qint64 offset, qint64 length, uchar *to) const override;

private:
    const QByteArray &m_data;
};

class FileBmpSource : public BmpSource {
public:
    explicit FileBmpSource(QFile &file)
        : m_file(file), m_size(file.size())
    {
    }
    qint64 size() const override { return m_size; }
    void read(qint64 offset, qint64 length, uchar *to) const override;

private:
    QFile &m_file;
    qint64 m_size;
};

[[noreturn]] void failBmp(const char *reason);
