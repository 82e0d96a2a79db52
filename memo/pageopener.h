#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QTextBrowser;
class QWidget;

// Opens the help and feedback pages. With a configured web site these are
// the site's pages, in the user's browser. Otherwise they are the pages the
// program carries, shown from its resources in a window of its own: nothing
// is written to the disk, links between the pages stay in that window, and
// links out of them go to the user's browser.
class PageOpener : public QObject {
    Q_OBJECT
public:
    PageOpener(QWidget *window, const QString &siteRoot);

    // `path` is one of SitePaths.
    void open(const char16_t *path);

private:
    void showInWindow(const QUrl &page);

    QWidget *m_window;
    QString m_siteRoot;
    QPointer<QTextBrowser> m_viewer;
};
