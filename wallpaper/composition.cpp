#include "wallpaper/composition.h"

#include "wallpaper/coverscale.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/mixpicture.h"
#include "wallpaper/pictureloader.h"

namespace Composition {

Bitmap blend(Bitmap content, Bitmap background, const CompositionCanvas &canvas, bool centred)
{
    // Without a screen, or for a picture that named no pixels at all (the
    // notes then stand alone), the background is taken as it is.
    const bool onCanvas = !canvas.size.isEmpty() && !background.isEmpty();
    if (onCanvas)
        background = CoverScale::covering(std::move(background), canvas.size);
    const QRect area = onCanvas ? canvas.available : QRect();
    // The blended picture is one of the two: it moves out rather than being
    // copied.
    return std::move(MixPicture(content, background, kTopOffset, kLevel, centred, area));
}

Bitmap compose(const Request &request)
{
    Bitmap content = PictureLoader::load(request.contentPath);
    Bitmap background = PictureLoader::load(request.backgroundPath);
    return blend(std::move(content), std::move(background), request.canvas, request.letter == QLatin1String("B"));
}

bool writeWallpaperFiles(const Request &request)
{
    return MixFiles::writeWallpaperFiles(compose(request), request.bgFolder);
}

} // namespace Composition
