#include "memo/formsize.h"

#include "text/intparse.h"
#include "text/linelist.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

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

ScreenLayout currentScreens()
{
    ScreenLayout layout;
    if (QScreen *primaryScreen = QGuiApplication::primaryScreen())
        layout.screens.append(primaryScreen->geometry());
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            layout.screens.append(screen->geometry());
    return layout;
}

} // namespace FormSize
