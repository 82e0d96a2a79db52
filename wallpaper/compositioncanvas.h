#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

// What the composition needs to know of a screen, in the desktop's logical
// coordinates as Qt reports them: the whole screen, the part no panel or
// task bar covers, and how many device pixels a logical pixel spans.
struct ScreenMetrics {
    QRect geometry;
    QRect available;
    qreal devicePixelRatio = 1;
};

// The picture the wallpaper is composed on: the screen in device pixels, so
// the desktop shows it without scaling it again; `available` is the part of
// it that panels leave free, in the canvas's own pixels (origin at its top
// left corner).
struct CompositionCanvas {
    QSize size;
    QRect available;

    bool operator==(const CompositionCanvas &) const = default;
};

namespace Canvas {

// The canvas of a screen: its device size, and its available area moved to
// the screen's origin and scaled, held inside the canvas (an empty or
// missing available area counts as the whole screen).
CompositionCanvas forScreen(const ScreenMetrics &screen);

// The metrics Qt reports for `screen`. This and screenHolding() ask the
// session's screens: on the thread that runs the windows only.
ScreenMetrics metricsOf(const QScreen &screen);

// The screen that holds the global point `centre` (the memo window's
// centre), else the primary screen; empty metrics (a 0 × 0 canvas) when the
// session has no screen at all.
ScreenMetrics screenHolding(QPoint centre);

} // namespace Canvas
