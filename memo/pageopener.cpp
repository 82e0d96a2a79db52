#include "memo/pageopener.h"

#include "memo/core/siteaddress.h"
#include "memo/helpfacts.h"
#include "site/builtinsite.h"

#include <QDesktopServices>
#include <QTextBrowser>

namespace {

// Shows the carried pages with what they say about this machine filled in
// (the data folder, the picture formats); other resources as they are.
class CarriedPageBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        const QString prefix = BuiltInSite::url(QString()).path();
        if (name.scheme() == QLatin1String("qrc") && name.path().startsWith(prefix)) {
            const QByteArray page = BuiltInSite::file(name.path().mid(prefix.size()), HelpFacts::current());
            if (!page.isEmpty())
                return page;
        }
        return QTextBrowser::loadResource(type, name);
    }
};

} // namespace

PageOpener::PageOpener(QWidget *window, const QString &siteRoot)
    : QObject(window)
    , m_window(window)
    , m_siteRoot(siteRoot)
{
}

void PageOpener::open(const char16_t *path)
{
    // A failed start of the browser for the configured site goes unreported:
    // there is nothing of the program's own to show instead.
    if (!m_siteRoot.isEmpty()) {
        QDesktopServices::openUrl(Site::page(m_siteRoot, path));
        return;
    }
    showInWindow(BuiltInSite::url(QString::fromUtf16(path)));
}

void PageOpener::showInWindow(const QUrl &page)
{
    if (!m_viewer) {
        m_viewer = new CarriedPageBrowser(m_window);
        m_viewer->setWindowFlag(Qt::Window);
        m_viewer->setAttribute(Qt::WA_DeleteOnClose);
        m_viewer->resize(680, 520);
        // Links to the web go to the user's browser; the carried pages,
        // among the program's resources, open here.
        m_viewer->setOpenExternalLinks(true);
        connect(m_viewer, &QTextBrowser::sourceChanged, m_viewer,
                [viewer = m_viewer] { viewer->setWindowTitle(viewer->documentTitle()); });
    }
    m_viewer->setSource(page);
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}
