#pragma once

#include "imaging/bitmap.h"

#include <QRect>

#include <stdexcept>

// A placement of the blend that would fall outside the base picture.
class MixError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Blends the content picture Pic1 and the background Pic2. The taller
// background is the base and the content the overlay, placed TopOffset rows
// down; a background that is not taller than the content swaps the roles and
// is laid on the content from its top row. Horizontally the overlay is
// centred (CenterMix) or ends 50 pixels inside the right edge. Pure white
// overlay pixels leave the base alone; every other byte moves Level percent
// of the way towards the overlay, truncated towards the base value.
//
// When the background is the base, `placementArea` (a rectangle inside it,
// such as the part of the screen no panel covers) is where the margins are
// measured from: TopOffset rows below its top, centred in it or 50 pixels
// inside its right edge. A null rectangle stands for the whole background.
//
// Returns the base, changed in place; the overlay is not changed. Before
// anything is changed, a placement past the base's rows throws MixError
// "Scan line index out of range", any other placement outside the base throws
// MixError with a message naming both sizes, and a Level outside 0..100 is
// refused, so nothing is ever written outside either picture.
Bitmap &MixPicture(Bitmap &Pic1, Bitmap &Pic2, int TopOffset, int Level, bool CenterMix,
                   const QRect &placementArea = QRect());
