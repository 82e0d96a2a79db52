#include "widgets/xpcustombutton.h"

#include "widgets/gradientbuilder.h"
#include "widgets/xpdrawing.h"
#include "widgets/xptext.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>

namespace {

const QColor kBorder(0, 56, 115);
const QColor kSmoothEdge(123, 158, 173);
const QColor kDisabledEdge(206, 199, 189);

QImage buttonGradient(QSize size, const QColor &top, const QColor &bottom)
{
    return buildGradient(size.width(), size.height(), top, bottom, 64, GradientDirection::TopToBottom, true);
}

bool withoutModifiers(const QKeyEvent &event)
{
    return (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

TXPCustomButton::TXPCustomButton(QWidget *parent)
    : TXPCustomStyleControl(parent)
{
    resize(73, 21);
    rebuildPictures();
}

template <typename T>
void TXPCustomButton::setAndRepaint(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    redraw();
}

void TXPCustomButton::setAutoGray(bool autoGray)
{
    setAndRepaint(m_autoGray, autoGray);
}

void TXPCustomButton::setCancel(bool cancel)
{
    m_cancel = cancel;
    updateDialogKeyFilter();
}

void TXPCustomButton::setDefault(bool isDefault)
{
    if (isDefault == m_default)
        return;
    m_default = isDefault;
    updateDialogKeyFilter();
    notifyFocusChangeInWindow();
    redraw();
}

void TXPCustomButton::setGlyph(const QImage &glyph)
{
    m_glyph = XPDrawing::transparentByCorner(glyph);
    redraw();
}

void TXPCustomButton::setLayout(TXPGlyphLayout layout)
{
    setAndRepaint(m_layout, layout);
}

void TXPCustomButton::setShowAccelChar(bool show)
{
    if (show == m_showAccelChar)
        return;
    m_showAccelChar = show;
    updateAccelerator();
    redraw();
}

void TXPCustomButton::setShowFocusRect(bool show)
{
    setAndRepaint(m_showFocusRect, show);
}

void TXPCustomButton::setSmoothEdges(bool smooth)
{
    setAndRepaint(m_smoothEdges, smooth);
}

void TXPCustomButton::setSpacing(int spacing)
{
    setAndRepaint(m_spacing, spacing);
}

void TXPCustomButton::setWordWrap(bool wrap)
{
    setAndRepaint(m_wordWrap, wrap);
}

bool TXPCustomButton::ringShown() const
{
    // Pressed and then left by the pointer shows the ring too.
    bool ring = isPressed() ? !isHot() : isHot() || isFocused();
    if (m_default && canTakeFocus() && !isSibling())
        ring = true;
    return ring;
}

void TXPCustomButton::rebuildPictures()
{
    // The face is always built at full size, so that a paint without the
    // ring never shows a strip it does not cover.
    const QSize inner = size() - QSize(2, 2);
    m_face = buttonGradient(inner, QColor(255, 255, 255), QColor(239, 235, 231));
    m_pressedFace = buttonGradient(inner, QColor(214, 207, 198), QColor(247, 243, 235));
    m_focusRing = buttonGradient(inner, QColor(206, 231, 255), QColor(109, 132, 239));
    m_hotRing = buttonGradient(inner, QColor(255, 243, 206), QColor(231, 150, 0));
}

QRect TXPCustomButton::captionRect(int glyphWidth, int glyphHeight, XPText::Flags flags, QPainter &painter) const
{
    int left = 0;
    int top = 0;
    int right = width();
    const int bottom = height();
    if (!m_glyph.isNull()) {
        switch (m_layout) {
        case blGlyphLeft:
            left += glyphWidth + m_spacing;
            break;
        case blGlyphRight:
            left -= glyphWidth + m_spacing;
            right -= 2 * (glyphWidth + m_spacing);
            break;
        case blGlyphTop:
            top += glyphHeight + m_spacing;
            break;
        case blGlyphBottom:
            top -= glyphHeight + m_spacing;
            break;
        }
    }
    QRect text(left, top, right - left, bottom - top);
    XPText::render(*this, painter, Caption(), font(), isEnabled(), m_showAccelChar, text, flags | XPText::Measure);
    // Centre the caption, and with it the glyph beside it.
    text.translate((width() - (text.x() + text.width())) / 2, (height() - (text.y() + text.height())) / 2);
    return text;
}

void TXPCustomButton::drawGlyph(QPainter &painter, const QRect &caption, int shift) const
{
    const QImage glyph = m_autoGray && !isEnabled() ? XPDrawing::greyed(m_glyph) : m_glyph;
    const int middleX = (width() - glyph.width()) / 2 + shift;
    const int middleY = (height() - glyph.height()) / 2 + shift;
    QPoint at;
    switch (m_layout) {
    case blGlyphLeft:
        at = {caption.x() - glyph.width() - m_spacing, middleY};
        break;
    case blGlyphRight:
        at = {caption.x() + caption.width() + m_spacing, middleY};
        break;
    case blGlyphTop:
        at = {middleX, caption.y() - glyph.height() - m_spacing};
        break;
    case blGlyphBottom:
        at = {middleX, caption.y() + caption.height() + m_spacing};
        break;
    }
    painter.drawImage(at, glyph);
}

void TXPCustomButton::paintControl(QPainter &painter)
{
    const int w = width();
    const int h = height();
    const bool enabled = isEnabled();
    const bool pressedLook = isHot() && isPressed();
    painter.fillRect(rect(), palette().color(backgroundRole()));

    const int r = ringShown() ? 1 : 0;
    if (r == 1)
        painter.drawImage(1, 1, isHot() ? m_hotRing : m_focusRing);
    if (pressedLook)
        painter.drawImage(1, 1, m_pressedFace);
    else
        painter.drawImage(QPoint(1 + 2 * r, 1 + 2 * r), m_face, QRect(0, 0, w - 6 * r, h - 6 * r));

    XPDrawing::drawRoundedBorder(painter, size(), enabled ? kBorder : kDisabledEdge);
    if (m_smoothEdges) {
        const QColor edge = enabled ? kSmoothEdge : kDisabledEdge;
        XPDrawing::drawLine(painter, {0, 1}, {2, 0}, edge);
        XPDrawing::drawLine(painter, {w - 2, 0}, {w, 2}, edge);
        XPDrawing::drawLine(painter, {0, h - 2}, {2, h}, edge);
        XPDrawing::drawLine(painter, {w - 3, h}, {w, h - 3}, edge);
    }

    XPText::Flags flags = XPText::EndEllipsis;
    if (m_wordWrap)
        flags |= XPText::WordBreak;
    if (!m_glyph.isNull() && m_layout == blGlyphRight)
        flags |= XPText::AlignRight;
    QRect caption = captionRect(m_glyph.width(), m_glyph.height(), flags, painter);
    const int shift = pressedLook ? 1 : 0;
    caption.translate(shift, shift);
    if (!m_glyph.isNull())
        drawGlyph(painter, caption, shift);
    if (isFocused() && m_showFocusRect)
        XPDrawing::drawFocusRect(painter, QRect(3, 3, w - 6, h - 6));
    XPText::render(*this, painter, Caption(), font(), enabled, m_showAccelChar, caption, flags);
}

bool TXPCustomButton::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        updateDialogKeyFilter();
    return TXPCustomStyleControl::event(event);
}

bool TXPCustomButton::eventFilter(QObject *watched, QEvent *event)
{
    // Keys that no control of the window took reach the window itself; the
    // default and cancel buttons answer them there.
    if (watched == m_keyWindow && event->type() == QEvent::KeyPress
        && dialogKey(*static_cast<QKeyEvent *>(event)))
        return true;
    return TXPCustomStyleControl::eventFilter(watched, event);
}

void TXPCustomButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && withoutModifiers(*event)) {
        setHot(true);
        if (!hasFocus() && canTakeFocus())
            setFocus(Qt::OtherFocusReason);
        setPressed(true);
        redraw();
        return;
    }
    if (dialogKey(*event))
        return;
    TXPCustomStyleControl::keyPressEvent(event);
}

void TXPCustomButton::keyReleaseEvent(QKeyEvent *event)
{
    // Any key let go while the button is held down clicks it.
    if (event->isAutoRepeat() || !isPressed()) {
        TXPCustomStyleControl::keyReleaseEvent(event);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        setHot(false);
    setPressed(false);
    redraw();
    click();
}

bool TXPCustomButton::dialogKey(const QKeyEvent &event)
{
    if (!canTakeFocus())
        return false;
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const bool escape = event.key() == Qt::Key_Escape && withoutModifiers(event);
    if ((enter && (isFocused() || (m_default && !isSibling()))) || (escape && m_cancel)) {
        click();
        return true;
    }
    return false;
}

void TXPCustomButton::updateDialogKeyFilter()
{
    QWidget *target = (m_default || m_cancel) && window() != this ? window() : nullptr;
    if (target == m_keyWindow)
        return;
    if (m_keyWindow)
        m_keyWindow->removeEventFilter(this);
    m_keyWindow = target;
    if (target)
        target->installEventFilter(this);
}
