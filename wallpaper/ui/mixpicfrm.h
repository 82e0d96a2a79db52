#pragma once

#include "imaging/bitmap.h"

// Holds the pictures of the blend; never shown.
class TMixPicFrm {
public:
    // The content picture, the background and the blend result.
    Bitmap img1;
    Bitmap img2;
    Bitmap imgmix;
    // Centred placement (position B) or 50 pixels from the right edge.
    bool CenterMix = false;

    // Blends Pic1 (the content) and Pic2 (the background) as placed by
    // CenterMix; returns the changed base picture.
    Bitmap &MixPicture(Bitmap &Pic1, Bitmap &Pic2, int TopOffset, int Level);

    // Empties img1 and img2.
    void XPButton1Click();
};
