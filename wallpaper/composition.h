#pragma once

#include "imaging/bitmap.h"
#include "wallpaper/compositioncanvas.h"

#include <QString>

// Composing the wallpaper: the notes' picture blended over a background that
// is scaled to cover the screen, and the files the desktop is given. Nothing
// here touches a window, so it may run on any thread.
namespace Composition {

// The notes land this many rows below the top of the free area, and each
// byte moves this share (in percent) towards the notes.
inline constexpr int kTopOffset = 30;
inline constexpr int kLevel = 50;

// One composition.
struct Request {
    // Content.bmp: the board as the screen shows it, in device pixels.
    QString contentPath;
    QString backgroundPath;
    // The screen the wallpaper is made for; an empty one keeps the
    // background's own size (no screen is known).
    CompositionCanvas canvas;
    // The position letter: "B" centres the notes, any other letter puts them
    // 50 pixels inside the right edge.
    QString letter;
    // The folder Mix.bmp and Mix.Jpg are written to, with its trailing
    // separator.
    QString bgFolder;
};

// The background cover-scaled to the canvas, and the content blended on it
// 1:1, placed inside the canvas's free area. Throws MixError when the notes
// do not fit (a canvas not taller than the notes swaps the roles, as
// MixPicture tells).
Bitmap blend(Bitmap content, Bitmap background, const CompositionCanvas &canvas, bool centred);

// Reads both pictures and blends them. Throws ImagingError or MixError;
// nothing is written then.
Bitmap compose(const Request &request);

// The whole step: composes and writes Mix.Jpg and Mix.bmp (see
// MixFiles::writeWallpaperFiles). True when Mix.bmp is ready to become the
// wallpaper; false when only the 32-bit blend could be written. Throws as
// compose() does, and FileError when Mix.bmp cannot be written.
bool writeWallpaperFiles(const Request &request);

} // namespace Composition
