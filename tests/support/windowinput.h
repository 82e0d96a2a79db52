#pragma once

#include <QPoint>
#include <QString>

#include <optional>

class QAction;
class QMenu;
class QWidget;

// Input the way the platform delivers it: mouse and key events sent to the
// top-level window at window coordinates, so Qt itself picks the widget
// under the point, tracks the pressed widget and moves the focus.
namespace WindowInput {

// `local` (the centre when not given) of `widget` in its window's coordinates.
QPoint inWindow(const QWidget *widget, std::optional<QPoint> local = std::nullopt);

void move(const QWidget *widget, std::optional<QPoint> local = std::nullopt);
void press(const QWidget *widget, std::optional<QPoint> local = std::nullopt, Qt::MouseButton button = Qt::LeftButton);
void release(const QWidget *widget, std::optional<QPoint> local = std::nullopt, Qt::MouseButton button = Qt::LeftButton);
void click(const QWidget *widget, std::optional<QPoint> local = std::nullopt, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Keys to the window that holds `widget`: the focus widget gets them.
void type(const QWidget *widget, const QString &latinText);
void key(const QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Waits for `menu` to pop up and clicks its item `caption`, opening the
// submenus on the way; false when the menu or the item never showed.
bool choose(QMenu *menu, const QString &caption);

} // namespace WindowInput
