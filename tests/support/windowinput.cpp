#include "support/windowinput.h"

#include <QMenu>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace WindowInput {
namespace {

QWindow *handleOf(const QWidget *widget)
{
    return widget->window()->windowHandle();
}

QAction *itemOf(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

// The submenu of `menu` that holds `caption`, directly or further down.
QAction *pathTo(const QMenu *menu, const QString &caption)
{
    if (QAction *direct = itemOf(menu, caption))
        return direct;
    for (QAction *action : menu->actions())
        if (action->menu() && pathTo(action->menu(), caption))
            return action;
    return nullptr;
}

} // namespace

QPoint inWindow(const QWidget *widget, std::optional<QPoint> local)
{
    return widget->mapTo(widget->window(), local.value_or(widget->rect().center()));
}

void move(const QWidget *widget, std::optional<QPoint> local)
{
    QTest::mouseMove(handleOf(widget), inWindow(widget, local));
}

void press(const QWidget *widget, std::optional<QPoint> local, Qt::MouseButton button)
{
    QTest::mousePress(handleOf(widget), button, {}, inWindow(widget, local));
}

void release(const QWidget *widget, std::optional<QPoint> local, Qt::MouseButton button)
{
    QTest::mouseRelease(handleOf(widget), button, {}, inWindow(widget, local));
}

void click(const QWidget *widget, std::optional<QPoint> local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(handleOf(widget), button, modifiers, inWindow(widget, local));
}

void type(const QWidget *widget, const QString &latinText)
{
    for (QChar c : latinText)
        QTest::keyClick(handleOf(widget), c.toLatin1());
}

void key(const QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(handleOf(widget), key, modifiers);
}

bool choose(QMenu *menu, const QString &caption)
{
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return false;
    QAction *step = pathTo(menu, caption);
    if (!step)
        return false;
    click(menu, menu->actionGeometry(step).center());
    return step->menu() ? choose(step->menu(), caption) : true;
}

} // namespace WindowInput
