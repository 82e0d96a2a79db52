#include "memo/pageopener.h"

#include "memo/helpfacts.h"
#include "memo/siteaddress.h"
#include "site/builtinsite.h"

#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <stdexcept>

namespace {

// Asks the desktop for a browser. Where none answers, Qt says so on the
// terminal; the program shows the page itself then, so the note is dropped.
bool openInBrowser(const QUrl &page)
{
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const bool opened = QDesktopServices::openUrl(page);
    qInstallMessageHandler(previous);
    return opened;
}

} // namespace

PageOpener::PageOpener(QWidget *window, const QString &siteRoot)
    : QObject(window)
    , m_window(window)
    , m_siteRoot(siteRoot)
{
}

PageOpener::~PageOpener() = default;

void PageOpener::open(const char16_t *path)
{
    // A failed start of the browser for the configured site goes unreported:
    // there is nothing of the program's own to show instead.
    if (!m_siteRoot.isEmpty()) {
        QDesktopServices::openUrl(Site::page(m_siteRoot, path));
        return;
    }
    const QUrl page = writtenPage(QString::fromUtf16(path));
    if (!openInBrowser(page))
        showInWindow(page);
}

QUrl PageOpener::writtenPage(const QString &path)
{
    if (!m_folder) {
        m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/paxelo-memo-XXXXXX"));
        if (!m_folder->isValid()) {
            const QString why = m_folder->errorString();
            m_folder.reset();
            throw std::runtime_error(QStringLiteral("无法建立存放帮助页面的临时文件夹：%1").arg(why).toStdString());
        }
    }
    // Written at every use: the browser may still show a page that a
    // cleaner of the temporary folder has taken away since.
    BuiltInSite::writeTo(m_folder->path(), HelpFacts::current());
    return QUrl::fromLocalFile(m_folder->path() + path);
}

void PageOpener::showInWindow(const QUrl &page)
{
    if (!m_viewer) {
        m_viewer = new QTextBrowser(m_window);
        m_viewer->setWindowFlag(Qt::Window);
        m_viewer->setAttribute(Qt::WA_DeleteOnClose);
        m_viewer->resize(680, 520);
        connect(m_viewer, &QTextBrowser::sourceChanged, m_viewer,
                [viewer = m_viewer] { viewer->setWindowTitle(viewer->documentTitle()); });
    }
    m_viewer->setSource(page);
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}
