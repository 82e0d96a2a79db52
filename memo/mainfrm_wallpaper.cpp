// Putting the notes on the desktop: the apply, its updates while the user
// types, and the choice of backgrounds.
#include "memo/mainfrm.h"

#include "imaging/bmpwriter.h"
#include "memo/boardedit.h"
#include "platform/wallpapererror.h"
#include "text/appfolder.h"
#include "text/fileerror.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/mixpicture.h"
#include "wallpaper/piclistfile.h"
#include "wallpaper/pictureloader.h"
#include "wallpaper/picturepath.h"
#include "wallpaper/picwalk.h"
#include "wallpaper/uglobal.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/ui/mixpicfrm.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/anchoring.h"
#include "widgets/guard.h"
#include "widgets/picturecontrol.h"

#include <QDir>
#include <QThread>

namespace {

// The content lands this many rows below the background's top edge, and
// each byte moves this share (in percent) towards the content.
constexpr int kTopOffset = 30;
constexpr int kLevel = 50;

} // namespace

// After the web panel, which holds imgAddToDesk.
void TMainFrm::createWallpaperCommands()
{
    imgAppToDesk = new TImage(this, QStringLiteral(":/images/main_apptodesk.png"));
    imgAppToDesk->setCursor(Qt::PointingHandCursor);
    m_anchoring->add(imgAppToDesk, QRect(538, 40, 84, 29), Anchoring::Top | Anchoring::Right);
    connect(imgAppToDesk, &TImage::clicked, this, [this] { guarded(this, [this] { imgAppToDeskClick(); }); });
    connect(imgAddToDesk, &TImage::clicked, this, [this] { guarded(this, [this] { imgAddToDeskClick(); }); });
}

void TMainFrm::setCompanions(const Companions &companions)
{
    m_companions = companions;
}

void TMainFrm::LoadPicList(bool FollowDefault)
{
    PicListFile::LoadPicList(FollowDefault, DefaultPic, CurPicIndex);
}

void TMainFrm::SaveContentPic()
{
    // What the board shows, pixel for pixel in physical pixels, without the
    // caret: it is no part of the notes.
    const int caretWidth = rdtAbc->cursorWidth();
    rdtAbc->setCursorWidth(0);
    const QImage shown = rdtAbc->grab().toImage();
    rdtAbc->setCursorWidth(caretWidth);
    BmpWriter::writeFile(Bitmap::fromQImage(shown), m_companions.deskBGSetFrm->BGFolder + QStringLiteral("Content.bmp"),
                         BmpWriter::Depth::Bits24, AtomicFile::Durability::Regenerated);
}

bool TMainFrm::confirmWallpaperChange()
{
    if (!uGlobal::AskBeforeSetBg)
        return true;
    m_companions.inforFrm->exec();
    repaint();
    // The box must be gone from the screen before the board is copied.
    QThread::msleep(100);
    return uGlobal::SetBgAnswer != 0;
}

void TMainFrm::imgAppToDeskClick()
{
    m_liveWallpaper->waitForIdle();
    if (!confirmWallpaperChange())
        return;
    TDeskBGSetFrm &composer = *m_companions.deskBGSetFrm;
    TMixPicFrm &mixer = *m_companions.mixPicFrm;
    SaveContentPic();

    const int index = CurPicIndex;
    const qsizetype listLength = uGlobal::PicList.size();
    composer.BgPicPath = AppFolder::file(QStringLiteral("source/DeskTopBG/") + PicWalk::pictureAt(uGlobal::PicList, index));
    // An empty row or a folder names no picture, and a FIFO must not be
    // opened: all of them count as a missing picture.
    if (!PicturePath::isPictureFile(composer.BgPicPath)) {
        CurPicIndex = PicWalk::afterMissingPicture(index, int(listLength));
        return;
    }
    composer.ContentPicPath = AppFolder::file(QStringLiteral("source/DeskTopBG/Content.bmp"));
    mixer.img1 = PictureLoader::load(composer.ContentPicPath);
    mixer.img2 = PictureLoader::load(composer.BgPicPath);
    mixer.CenterMix = positionLetter() == QLatin1String("B");
    // The blended picture is one of img1 and img2, which are emptied next:
    // it moves into imgmix instead of being copied.
    mixer.imgmix = std::move(mixer.MixPicture(mixer.img1, mixer.img2, kTopOffset, kLevel));
    mixer.XPButton1Click();
    // Without the JPEG round trip Mix.bmp holds the 32-bit blend; the
    // wallpaper and the index are left alone.
    if (!MixFiles::writeWallpaperFiles(mixer.imgmix, composer.BGFolder))
        return;
    const QString mixPath = MixFiles::mixBmpPath(composer.BGFolder);
    try {
        composer.SetWallpaper(mixPath);
    } catch (const std::exception &refusal) {
        // The next apply tries the same background again.
        composer.reportRefusal(this, QString::fromUtf8(refusal.what()), mixPath);
        return;
    }
    rememberAppliedBackground(PicWalk::pictureAt(uGlobal::PicList, index));
    CurPicIndex = PicWalk::afterApply(index, int(listLength));
}

// The apply's steps again for the page on the board, over the background of
// the last apply: no question, and the list's index stays. The board is
// copied here, on the window's thread; blend, files and desktop run in the
// work, on another thread.
LiveWallpaper::Work TMainFrm::liveWallpaperWork()
{
    if (m_appliedBackground.isEmpty())
        return {};
    TDeskBGSetFrm *composer = m_companions.deskBGSetFrm;
    SaveContentPic();
    const QString folder = composer->BGFolder;
    const QString content = AppFolder::file(QStringLiteral("source/DeskTopBG/Content.bmp"));
    const QString background = AppFolder::file(QStringLiteral("source/DeskTopBG/") + m_appliedBackground);
    const bool centred = positionLetter() == QLatin1String("B");
    return [composer, folder, content, background, centred] {
        LiveWallpaper::Outcome outcome;
        try {
            if (!PicturePath::isPictureFile(background))
                throw FileError(QStringLiteral("找不到背景图片 %1").arg(QDir::toNativeSeparators(background)).toStdString());
            Bitmap contentPicture = PictureLoader::load(content);
            Bitmap backgroundPicture = PictureLoader::load(background);
            const Bitmap &mix = MixPicture(contentPicture, backgroundPicture, kTopOffset, kLevel, centred);
            if (!MixFiles::writeWallpaperFiles(mix, folder))
                throw FileError("无法生成壁纸的 JPEG 文件");
            outcome.picture = MixFiles::mixBmpPath(folder);
            composer->SetWallpaper(outcome.picture);
        } catch (const WallpaperError &refusal) {
            outcome.desktopRefused = true;
            outcome.failure = QString::fromUtf8(refusal.what());
        } catch (const std::exception &failure) {
            outcome.failure = QString::fromUtf8(failure.what());
        }
        return outcome;
    };
}

void TMainFrm::imgAddToDeskClick()
{
    TPicSelFrm &window = *m_companions.picSelFrm;
    window.DefaultPic = DefaultPic;
    window.exec();
    if (window.DefaultPic == DefaultPic) {
        LoadPicList(false);
    } else {
        DefaultPic = window.DefaultPic;
        LoadPicList(true);
    }
}
