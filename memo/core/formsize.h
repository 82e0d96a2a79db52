#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

// The size file Data/FormSize.ini: five lines, the current page, the outer
// width and height, left and top of the memo window.
struct FormBounds {
    int page = 1;
    int width = 645;
    int height = 443;
    int left = 0;
    int top = 0;

    bool operator==(const FormBounds &) const = default;
};

// The screens the window may be placed on; the first is the primary one.
// `available` holds each screen's area without the task bars and panels,
// in the same order; when it is empty the whole screens are available.
struct ScreenLayout {
    QList<QRect> screens;
    QList<QRect> available = {};
};

namespace FormSize {

inline constexpr int kMinimumWidth = 645;
inline constexpr int kMinimumHeight = 443;
// No screen is larger and no coordinate lies further out: stored values are
// held within it before any sum is taken, so no file can overflow one.
inline constexpr int kLargestExtent = 1 << 20;

// The file's values, or nullopt when it is missing, has fewer than five
// lines, or a line that is not an integer. Throws when it cannot be read.
std::optional<FormBounds> read(const QString &path);

// Writes the five values, each followed by CR LF. Throws on failure.
void write(const QString &path, const FormBounds &bounds);

// A too small width or a too small height resets both to the minimum size.
FormBounds withMinimumSize(FormBounds stored);

// The first-run bounds: the minimum size centred on the primary screen
// (30 pixels left for the task bar), page 1.
FormBounds firstRun(const ScreenLayout &layout);

// Every value held within +-kLargestExtent (sizes not below 0).
FormBounds bounded(FormBounds stored);

// A window that would lie wholly outside every screen (a monitor that was
// unplugged) is centred on the primary screen; any other place is kept.
FormBounds keptReachable(FormBounds bounds, const ScreenLayout &layout);

// The window made no larger than the available area of its screen (the one
// that holds its centre, else the primary one), though never below the minimum
// size, and moved into that area when it had to shrink or when its close
// picture in the top right corner would be out of reach.
FormBounds fittedToScreen(FormBounds bounds, const ScreenLayout &layout);

// The bounds the window opens with for the values of the size file.
FormBounds fromStored(const FormBounds &stored, const ScreenLayout &layout);

// The screens of this session.
ScreenLayout currentScreens();

} // namespace FormSize
