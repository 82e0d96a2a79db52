#include "widgets/xpcheckbox.h"

#include "widgets/gradientbuilder.h"
#include "widgets/xpdrawing.h"

#include <QPainter>

#include <algorithm>

// Resources of a static library are registered by hand, outside any namespace.
static void registerControlResources()
{
    Q_INIT_RESOURCE(xpcontrols);
}

namespace {

// The tick in green, with its silver background left out.
const QImage &tick()
{
    static const QImage picture = [] {
        registerControlResources();
        QImage image = QImage(QStringLiteral(":/XPCHECKBOX")).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::replace(row, row + image.width(), qRgb(0, 0, 0), qRgb(33, 166, 33));
        }
        return XPDrawing::transparentByCorner(image);
    }();
    return picture;
}

QImage boxGradient(const QColor &top, const QColor &bottom, bool dither, int side)
{
    return buildGradient(side, side, top, bottom, 16, GradientDirection::TopToBottom, dither);
}

} // namespace

TXPCheckbox::TXPCheckbox(QWidget *parent)
    : TXPCustomCheckControl(parent)
{
    rebuildPictures();
}

void TXPCheckbox::rebuildPictures()
{
    const int side = kCheckSize - 2;
    m_face = boxGradient(QColor(255, 255, 255), QColor(239, 235, 231), false, side);
    m_pressedFace = boxGradient(QColor(214, 207, 198), QColor(247, 243, 235), true, side);
    m_hotRing = boxGradient(QColor(255, 243, 206), QColor(231, 150, 0), true, side);
}

void TXPCheckbox::drawCheck(QPainter &painter, const QRect &client)
{
    const int top = (height() - kCheckSize) / 2;
    const QRect box(client.left() + 2, top, kCheckSize, kCheckSize);
    const QColor outline(24, 81, 132);
    painter.fillRect(box, palette().color(backgroundRole()));
    painter.fillRect(box.left(), box.top(), kCheckSize, 1, outline);
    painter.fillRect(box.left(), box.bottom(), kCheckSize, 1, outline);
    painter.fillRect(box.left(), box.top(), 1, kCheckSize, outline);
    painter.fillRect(box.right(), box.top(), 1, kCheckSize, outline);

    const QPoint inside(client.left() + 3, top + 1);
    if (isHot() && isPressed()) {
        painter.drawImage(inside, m_pressedFace);
    } else {
        const int h = isHot() ? 1 : 0;
        if (h == 1)
            painter.drawImage(inside, m_hotRing);
        const int side = kCheckSize - 2 - 2 * h;
        painter.drawImage(inside + QPoint(h, h), m_face, QRect(0, 0, side, side));
    }
    if (Checked())
        painter.drawImage(client.left() + kCheckSize / 2 - 1, top + 3, tick());
}
