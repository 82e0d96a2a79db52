#pragma once

#include <QObject>
#include <QPointer>

class QMenu;
class QWidget;

// Keeps the web panel's own context menu from showing: installed on the
// application, it takes every right-button press and release aimed inside
// the panel (the browser or the view of the program's own page) before the
// view sees it, and pops up an empty menu at the cursor instead. Everything
// else passes unchanged.
class BrowserClickFilter : public QObject {
    Q_OBJECT
public:
    BrowserClickFilter(QWidget *browser, QMenu *emptyMenu, QObject *parent = nullptr);

    // True when `event` is taken and must not be delivered to `target`.
    bool takesRightClick(QObject *target, QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool insideBrowser(QObject *target) const;

    QPointer<QWidget> m_browser;
    QMenu *m_emptyMenu;
};
