#include "memo/core/formsize.h"

#include "files/intparse.h"
#include "files/linelist.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace FormSize {

std::optional<FormBounds> read(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QStringList lines = LineList::read(path);
    if (lines.size() < 5)
        return std::nullopt;
    int values[5];
    for (int i = 0; i < 5; ++i) {
        const std::optional<int> value = parseInt32(lines.at(i));
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return FormBounds{values[0], values[1], values[2], values[3], values[4]};
}

void write(const QString &path, const FormBounds &bounds)
{
    LineList::write(path, {QString::number(bounds.page), QString::number(bounds.width),
                           QString::number(bounds.height), QString::number(bounds.left),
                           QString::number(bounds.top)});
}

FormBounds withMinimumSize(FormBounds stored)
{
    if (stored.width < kMinimumWidth || stored.height < kMinimumHeight) {
        stored.width = kMinimumWidth;
        stored.height = kMinimumHeight;
    }
    return stored;
}

static QRect primary(const ScreenLayout &layout)
{
    return layout.screens.isEmpty() ? QRect(0, 0, 1024, 768) : layout.screens.first();
}

FormBounds firstRun(const ScreenLayout &layout)
{
    const QRect screen = primary(layout);
    FormBounds bounds;
    bounds.page = 1;
    bounds.width = kMinimumWidth;
    bounds.height = kMinimumHeight;
    bounds.left = (screen.width() - kMinimumWidth) / 2;
    bounds.top = (screen.height() - 30 - kMinimumHeight) / 2;
    return bounds;
}

FormBounds bounded(FormBounds stored)
{
    stored.width = std::clamp(stored.width, 0, kLargestExtent);
    stored.height = std::clamp(stored.height, 0, kLargestExtent);
    stored.left = std::clamp(stored.left, -kLargestExtent, kLargestExtent);
    stored.top = std::clamp(stored.top, -kLargestExtent, kLargestExtent);
    return stored;
}

FormBounds keptReachable(FormBounds bounds, const ScreenLayout &layout)
{
    const QRect window(bounds.left, bounds.top, bounds.width, bounds.height);
    for (const QRect &screen : layout.screens)
        if (screen.intersects(window))
            return bounds;
    const QRect screen = primary(layout);
    bounds.left = screen.left() + (screen.width() - bounds.width) / 2;
    bounds.top = screen.top() + (screen.height() - 30 - bounds.height) / 2;
    return bounds;
}

static QRect availableArea(const ScreenLayout &layout, qsizetype screen)
{
    return screen < layout.available.size() ? layout.available.at(screen) : layout.screens.at(screen);
}

// The screen that holds the window's centre; the primary one when none does.
static qsizetype homeScreen(const FormBounds &bounds, const ScreenLayout &layout)
{
    const QPoint centre(bounds.left + bounds.width / 2, bounds.top + bounds.height / 2);
    for (qsizetype i = 0; i < layout.screens.size(); ++i)
        if (layout.screens.at(i).contains(centre))
            return i;
    return 0;
}

// The close picture: 39 x 20 pixels, one pixel in from the top right corner.
static bool closePictureReachable(const FormBounds &bounds, const ScreenLayout &layout)
{
    const QRect closePicture(bounds.left + bounds.width - 40, bounds.top + 1, 39, 20);
    for (qsizetype i = 0; i < layout.screens.size(); ++i)
        if (availableArea(layout, i).contains(closePicture))
            return true;
    return false;
}

FormBounds fittedToScreen(FormBounds bounds, const ScreenLayout &layout)
{
    if (layout.screens.isEmpty())
        return bounds;
    const QRect area = availableArea(layout, homeScreen(bounds, layout));
    const int width = std::max(kMinimumWidth, std::min(bounds.width, area.width()));
    const int height = std::max(kMinimumHeight, std::min(bounds.height, area.height()));
    const bool shrunk = width != bounds.width || height != bounds.height;
    bounds.width = width;
    bounds.height = height;
    if (shrunk || !closePictureReachable(bounds, layout)) {
        // On a screen narrower or lower than the minimum size the top right
        // corner wins, as the close picture is there.
        bounds.left = std::min(std::max(bounds.left, area.left()), area.left() + area.width() - width);
        bounds.top = std::max(std::min(bounds.top, area.top() + area.height() - height), area.top());
    }
    return bounds;
}

FormBounds fromStored(const FormBounds &stored, const ScreenLayout &layout)
{
    return fittedToScreen(keptReachable(withMinimumSize(bounded(stored)), layout), layout);
}

ScreenLayout currentScreens()
{
    ScreenLayout layout;
    QList<QScreen *> screens = QGuiApplication::screens();
    if (QScreen *primaryScreen = QGuiApplication::primaryScreen()) {
        screens.removeOne(primaryScreen);
        screens.prepend(primaryScreen);
    }
    for (QScreen *screen : screens) {
        layout.screens.append(screen->geometry());
        layout.available.append(screen->availableGeometry());
    }
    return layout;
}

} // namespace FormSize
