#include "wallpaper/compositioncanvas.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace Canvas {

namespace {

int toDevice(int logical, qreal ratio)
{
    return int(std::lround(logical * ratio));
}

} // namespace

CompositionCanvas forScreen(const ScreenMetrics &screen)
{
    const qreal ratio = screen.devicePixelRatio > 0 ? screen.devicePixelRatio : 1;
    CompositionCanvas canvas;
    canvas.size = QSize(toDevice(screen.geometry.width(), ratio), toDevice(screen.geometry.height(), ratio));
    const QRect whole(QPoint(0, 0), canvas.size);
    const QRect free = screen.available.intersected(screen.geometry);
    if (free.isEmpty()) {
        canvas.available = whole;
        return canvas;
    }
    // Edges rather than sizes are scaled, so the free area meets the
    // screen's edges exactly where the logical one does.
    const QPoint from = free.topLeft() - screen.geometry.topLeft();
    const QPoint to = from + QPoint(free.width(), free.height());
    canvas.available = QRect(QPoint(toDevice(from.x(), ratio), toDevice(from.y(), ratio)),
                             QPoint(toDevice(to.x(), ratio) - 1, toDevice(to.y(), ratio) - 1))
                           .intersected(whole);
    return canvas;
}

ScreenMetrics metricsOf(const QScreen &screen)
{
    return ScreenMetrics{screen.geometry(), screen.availableGeometry(), screen.devicePixelRatio()};
}

ScreenMetrics screenHolding(QPoint centre)
{
    if (const QScreen *screen = QGuiApplication::screenAt(centre))
        return metricsOf(*screen);
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        return metricsOf(*primary);
    return {};
}

} // namespace Canvas
