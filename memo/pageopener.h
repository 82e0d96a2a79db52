#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class QTemporaryDir;
class QTextBrowser;
class QWidget;

// Opens the help and feedback pages in the user's browser. With a configured
// web site these are the site's pages; otherwise the program writes its own
// pages to a private temporary folder, kept while the program runs, and where
// no browser answers shows them in a small window of its own.
class PageOpener : public QObject {
    Q_OBJECT
public:
    PageOpener(QWidget *window, const QString &siteRoot);
    ~PageOpener() override;

    // `path` is one of SitePaths. Throws std::runtime_error when the
    // program's own pages cannot be written.
    void open(const char16_t *path);

private:
    QUrl writtenPage(const QString &path);
    void showInWindow(const QUrl &page);

    QWidget *m_window;
    QString m_siteRoot;
    std::unique_ptr<QTemporaryDir> m_folder;
    QPointer<QTextBrowser> m_viewer;
};
