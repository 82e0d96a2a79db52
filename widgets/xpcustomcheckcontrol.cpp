#include "widgets/xpcustomcheckcontrol.h"

#include "widgets/xpdrawing.h"
#include "widgets/xptext.h"

#include <QPainter>

TXPCustomCheckControl::TXPCustomCheckControl(QWidget *parent)
    : TXPCustomStyleControl(parent)
{
    resize(161, 17);
}

void TXPCustomCheckControl::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    redraw();
}

void TXPCustomCheckControl::setBoundLines(TXPBoundLines lines)
{
    if (lines == m_boundLines)
        return;
    m_boundLines = lines;
    redraw();
}

void TXPCustomCheckControl::setSpacing(int spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    redraw();
}

void TXPCustomCheckControl::click()
{
    setChecked(!m_checked);
    TXPCustomStyleControl::click();
}

void TXPCustomCheckControl::paintControl(QPainter &painter)
{
    QRect client = rect();
    painter.fillRect(client, palette().color(backgroundRole()));
    const QColor line(0, 56, 115);
    if (m_boundLines & blLeft)
        painter.fillRect(client.left(), client.top(), 1, client.height(), line);
    if (m_boundLines & blTop)
        painter.fillRect(client.left(), client.top(), client.width(), 1, line);
    if (m_boundLines & blRight)
        painter.fillRect(client.right(), client.top(), 1, client.height(), line);
    if (m_boundLines & blBottom)
        painter.fillRect(client.left(), client.bottom(), client.width(), 1, line);
    if (isFocused())
        XPDrawing::drawFocusRect(painter, client);
    drawCheck(painter, client);
    client.setLeft(client.left() + kCheckSize + 4 + m_spacing);
    XPText::place(*this, painter, Caption(), font(), isEnabled(), true, client, XPText::Alignment::Left, true);
}
