// Putting the notes on the desktop: the apply, its updates while the user
// types, and the choice of backgrounds.
#include "memo/mainfrm.h"

#include "files/appfolder.h"
#include "files/fileerror.h"
#include "imaging/bmpwriter.h"
#include "memo/boardedit.h"
#include "platform/wallpapererror.h"
#include "wallpaper/composition.h"
#include "wallpaper/compositioncanvas.h"
#include "wallpaper/mixbuffers.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/piclistfile.h"
#include "wallpaper/picturepath.h"
#include "wallpaper/picwalk.h"
#include "wallpaper/uglobal.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/anchoring.h"
#include "widgets/guard.h"
#include "widgets/picturecontrol.h"

#include <QDir>
#include <QThread>

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
    m_companions.deskBGSetFrm.give(companions.deskBGSetFrm);
    m_companions.picSelFrm.give(companions.picSelFrm);
    m_companions.inforFrm.give(companions.inforFrm);
    m_companions.mixBuffers.give(companions.mixBuffers);
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
    MixBuffers &mixer = *m_companions.mixBuffers;
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
    // The wallpaper is made for the screen the memo stands on, so the desktop
    // shows the notes exactly as large and as sharp as the board.
    const CompositionCanvas canvas = Canvas::forScreen(Canvas::screenHolding(frameGeometry().center()));
    mixer.blend = Composition::compose(
        {composer.ContentPicPath, composer.BgPicPath, canvas, positionLetter(), composer.BGFolder});
    // Without the JPEG round trip Mix.bmp holds the 32-bit blend; the
    // wallpaper and the index are left alone.
    if (!MixFiles::writeWallpaperFiles(mixer.blend, composer.BGFolder))
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
    TDeskBGSetFrm *composer = &*m_companions.deskBGSetFrm;
    SaveContentPic();
    const QString folder = composer->BGFolder;
    const QString content = AppFolder::file(QStringLiteral("source/DeskTopBG/Content.bmp"));
    const QString background = AppFolder::file(QStringLiteral("source/DeskTopBG/") + m_appliedBackground);
    // Screens are read here: the work may not touch them.
    const CompositionCanvas canvas = Canvas::forScreen(Canvas::screenHolding(frameGeometry().center()));
    const Composition::Request request{content, background, canvas, positionLetter(), folder};
    return [composer, request] {
        LiveWallpaper::Outcome outcome;
        try {
            if (!PicturePath::isPictureFile(request.backgroundPath))
                throw FileError(QStringLiteral("找不到背景图片 %1").arg(QDir::toNativeSeparators(request.backgroundPath)).toStdString());
            if (!Composition::writeWallpaperFiles(request))
                throw FileError("无法生成壁纸的 JPEG 文件");
            outcome.picture = MixFiles::mixBmpPath(request.bgFolder);
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
