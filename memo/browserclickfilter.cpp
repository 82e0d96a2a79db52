#include "memo/browserclickfilter.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

BrowserClickFilter::BrowserClickFilter(QWidget *browser, QMenu *emptyMenu, QObject *parent)
    : QObject(parent)
    , m_browser(browser)
    , m_emptyMenu(emptyMenu)
{
}

bool BrowserClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    return takesRightClick(watched, event) || QObject::eventFilter(watched, event);
}

bool BrowserClickFilter::takesRightClick(QObject *target, QEvent *event)
{
    // Every event of the application passes here: the cheap type test
    // comes before the walk up the widget tree.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton || !insideBrowser(target))
            return false;
        m_emptyMenu->popup(QCursor::pos());
        return true;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click: taken too, one menu is enough.
        return static_cast<QMouseEvent *>(event)->button() == Qt::RightButton && insideBrowser(target);
    case QEvent::ContextMenu:
        // The context-menu request that follows a right click would
        // otherwise still reach the browser.
        return static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Mouse && insideBrowser(target);
    default:
        return false;
    }
}

bool BrowserClickFilter::insideBrowser(QObject *target) const
{
    if (!m_browser || !target->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(target);
    return widget == m_browser || m_browser->isAncestorOf(widget);
}
