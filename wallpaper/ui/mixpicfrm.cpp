#include "wallpaper/ui/mixpicfrm.h"

#include "wallpaper/mixpicture.h"

Bitmap &TMixPicFrm::MixPicture(Bitmap &Pic1, Bitmap &Pic2, int TopOffset, int Level)
{
    return ::MixPicture(Pic1, Pic2, TopOffset, Level, CenterMix);
}

void TMixPicFrm::XPButton1Click()
{
    img1 = Bitmap();
    img2 = Bitmap();
}
