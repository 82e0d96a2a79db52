#include "widgets/xpcustomcontrol.h"

#include "widgets/chinesefonts.h"
#include "widgets/xptext.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcutEvent>

namespace {

bool fontGivenBy(const QWidget *parent)
{
    for (const QWidget *widget = parent; widget; widget = widget->parentWidget())
        if (widget->testAttribute(Qt::WA_SetFont))
            return true;
    return false;
}

} // namespace

TXPCustomControl::TXPCustomControl(QWidget *parent)
    : TXPBaseControl(parent)
{
    // Tab reaches the control; of the mouse buttons only the left one takes
    // the focus (mouseDown), so a right or middle press leaves a default
    // button elsewhere its ring.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The dialogs are designed with this font; a parent's own font wins.
    if (!fontGivenBy(parent))
        setFont(ChineseFonts::font(QStringLiteral("MS Sans Serif"), 11));
    m_windowFocus = connect(qApp, &QApplication::focusChanged, this,
                            [this](QWidget *, QWidget *now) { windowFocusChanged(now); });
}

// QWidget's destructor moves the focus away, when the control's own members
// are already gone.
TXPCustomControl::~TXPCustomControl()
{
    disconnect(m_windowFocus);
}

void TXPCustomControl::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    updateAccelerator();
    captionChanged();
}

void TXPCustomControl::beginUpdate()
{
    m_locked = true;
}

void TXPCustomControl::endUpdate()
{
    m_locked = false;
    redraw();
}

void TXPCustomControl::click()
{
    if (m_modalResult != 0)
        if (auto *dialog = qobject_cast<QDialog *>(window()))
            dialog->done(m_modalResult);
    emit clicked();
}

bool TXPCustomControl::canTakeFocus() const
{
    return isVisible() && isEnabled();
}

void TXPCustomControl::redraw()
{
    if (!m_locked)
        update();
}

void TXPCustomControl::notifyFocusChangeInWindow()
{
    QList<TXPCustomControl *> controls = window()->findChildren<TXPCustomControl *>();
    if (auto *self = qobject_cast<TXPCustomControl *>(window()))
        controls.append(self);
    for (TXPCustomControl *control : controls)
        if (control->refreshSibling())
            control->redraw();
}

void TXPCustomControl::updateAccelerator()
{
    if (m_acceleratorId != 0)
        releaseShortcut(m_acceleratorId);
    m_acceleratorId = 0;
    if (showsAccelerator() && !XPText::accelerator(m_caption).isNull())
        m_acceleratorId = grabShortcut(QKeySequence::mnemonic(m_caption));
}

void TXPCustomControl::captionChanged()
{
    redraw();
}

void TXPCustomControl::enabledChanged()
{
    // A disabled control ignores the mouse; enabled again, it is hot if the
    // pointer is over it.
    m_hot = isEnabled() && pointerInside();
    if (!isEnabled())
        m_pressed = m_clicking = false;
    redraw();
}

void TXPCustomControl::focusChanged(bool gained)
{
    m_focused = gained;
    if (!gained)
        m_pressed = false;
    refreshSibling();
    redraw();
    TXPBaseControl::focusChanged(gained);
}

void TXPCustomControl::mouseDown(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (!hasFocus() && canTakeFocus())
        setFocus(Qt::MouseFocusReason);
    m_clicking = true;
    m_pressed = true;
    redraw();
}

void TXPCustomControl::mouseEnter()
{
    if (!isEnabled())
        return;
    m_hot = true;
    redraw();
    TXPBaseControl::mouseEnter();
}

void TXPCustomControl::mouseLeave()
{
    if (!isEnabled())
        return;
    m_hot = false;
    redraw();
    TXPBaseControl::mouseLeave();
}

void TXPCustomControl::mouseUp(Qt::MouseButton button, QPoint position)
{
    if (button != Qt::LeftButton || !m_clicking)
        return;
    m_clicking = false;
    m_pressed = false;
    redraw();
    // While this control held the mouse, the one under the pointer heard
    // nothing of its arrival.
    QWidget *under = QApplication::widgetAt(mapToGlobal(position));
    while (under && !qobject_cast<TXPCustomControl *>(under))
        under = under->parentWidget();
    auto *other = qobject_cast<TXPCustomControl *>(under);
    if (other && other != this)
        other->notePointerInside(true);
}

void TXPCustomControl::parentColorChanged()
{
    redraw();
}

void TXPCustomControl::sizeChanged()
{
}

bool TXPCustomControl::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && m_acceleratorId != 0
        && static_cast<QShortcutEvent *>(event)->shortcutId() == m_acceleratorId) {
        if (canTakeFocus())
            click();
        return true;
    }
    return TXPBaseControl::event(event);
}

void TXPCustomControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        enabledChanged();
    else if (event->type() == QEvent::PaletteChange)
        parentColorChanged();
    TXPBaseControl::changeEvent(event);
}

void TXPCustomControl::keyPressEvent(QKeyEvent *event)
{
    // Typed without Alt, the accelerator clicks only the focused control;
    // with Alt it arrives as a shortcut.
    const QChar letter = XPText::accelerator(m_caption);
    if (showsAccelerator() && !letter.isNull() && m_focused && canTakeFocus()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        && event->text().compare(QString(letter), Qt::CaseInsensitive) == 0) {
        click();
        return;
    }
    TXPBaseControl::keyPressEvent(event);
}

void TXPCustomControl::mousePressEvent(QMouseEvent *event)
{
    mouseDown(event->button());
}

void TXPCustomControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const bool clicks = m_clicking && event->button() == Qt::LeftButton && rect().contains(position);
    mouseUp(event->button(), position);
    if (clicks)
        click();
}

void TXPCustomControl::resizeEvent(QResizeEvent *)
{
    sizeChanged();
}

bool TXPCustomControl::refreshSibling()
{
    const QWidget *focus = window()->focusWidget();
    const bool sibling = qobject_cast<const TXPCustomControl *>(focus) != nullptr;
    const bool changed = sibling != m_sibling;
    m_sibling = sibling;
    return changed;
}

void TXPCustomControl::windowFocusChanged(QWidget *now)
{
    if (now && now->window() == window() && refreshSibling())
        redraw();
}
