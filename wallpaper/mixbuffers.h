#pragma once

#include "imaging/bitmap.h"

// Holds the last blend; never shown.
class MixBuffers {
public:
    // The blend result of the last apply, kept until the next one.
    Bitmap blend;
};
