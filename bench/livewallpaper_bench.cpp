// BM_Keystroke: one character typed on the board until the page is stored,
// on a page of notes of a few lines,
// - 0: with 自动更新桌面 off;
// - 1: on, between updates (each key only restarts the pause);
// - 2: on, while an update composes a 1920 x 1080 wallpaper on the worker
//   thread (one is started before every key that finds none running).
#include "files/appfolder.h"
#include "files/linelist.h"
#include "imaging/bmpwriter.h"
#include "memo/boardedit.h"
#include "memo/core/siteaddress.h"
#include "memo/livewallpaper.h"
#include "memo/mainfrm.h"
#include "platform/desktopwallpaper.h"
#include "store/tdm.h"
#include "tools/storebuilder.h"
#include "wallpaper/mixbuffers.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/ui/picselfrm.h"

#include <QApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <benchmark/benchmark.h>

namespace {

// A desktop that takes every picture at once.
class CountingDesktop : public DesktopWallpaper {
public:
    explicit CountingDesktop(std::atomic<int> &count)
        : m_count(count)
    {
    }
    void setWallpaper(const QString &) override { ++m_count; }

private:
    std::atomic<int> &m_count;
};

Bitmap photoLikeBackground(int width, int height)
{
    Bitmap bitmap(width, height);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        uchar *p = bitmap.scanLine(y);
        for (int x = 0; x < width; ++x, p += 4) {
            seed = seed * 1664525u + 1013904223u;
            p[0] = uchar((x * 200 / width + (seed >> 28)) & 0xff);
            p[1] = uchar((y * 200 / height + (seed >> 27)) & 0xff);
            p[2] = uchar((120 + ((x / 7) ^ (y / 5)) % 23) & 0xff);
        }
    }
    return bitmap;
}

// An application folder after one apply over sky.bmp, with the choice as
// given.
struct Folder {
    QTemporaryDir dir;
    TDM dm;
    explicit Folder(bool updateDesktop)
    {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        QDir(dir.path()).mkpath(QStringLiteral("source/DeskTopBG"));
        AppFolder::setRoot(dir.path());
        buildStore(QStringLiteral(PAXELO_SCHEMA_FILE), dir.filePath(QStringLiteral("Data/UserData.mdb")));
        LineList::write(dir.filePath(QStringLiteral("Data/configSetBg.ini")), {QStringLiteral("0")});
        LineList::write(dir.filePath(QStringLiteral("Data/BGPicList.ini")), {QStringLiteral("sky.bmp")});
        LineList::write(dir.filePath(QStringLiteral("Data/LastBackground.ini")), {QStringLiteral("sky.bmp")});
        LineList::write(dir.filePath(QStringLiteral("Data/Options.ini")),
                        {QStringLiteral("0"), updateDesktop ? QStringLiteral("1") : QStringLiteral("0")});
        BmpWriter::writeFile(photoLikeBackground(1920, 1080), dir.filePath(QStringLiteral("source/DeskTopBG/sky.bmp")),
                             BmpWriter::Depth::Bits24);
        dm.OpenDatabase();
        QSqlQuery update(dm.database());
        update.prepare(QStringLiteral("UPDATE tb_A SET SundayCon = ? WHERE ID = 1"));
        update.addBindValue(QByteArray("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                                       "\\pard\\f0\\fs22 Meeting at 15:00\\par\r\nCall Li Wei\\par\r\nTODO: order #117\\par\r\n}"));
        update.exec();
    }
};

void BM_Keystroke(benchmark::State &state)
{
    const int variant = int(state.range(0));
    Folder folder(variant > 0);
    std::atomic<int> wallpapers = 0;
    TMainFrm window(folder.dm);
    TDeskBGSetFrm composer(std::make_unique<CountingDesktop>(wallpapers));
    TPicSelFrm listWindow(&window);
    TInforFrm box(&window);
    MixBuffers mixer;
    window.setCompanions({&composer, &listWindow, &box, &mixer});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("the window was never shown");
    window.liveWallpaper()->waitForIdle();
    window.board()->setFocus();
    window.board()->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        if (variant == 2) {
            state.PauseTiming();
            window.liveWallpaper()->updateNow();
            state.ResumeTiming();
        }
        QTest::keyClick(window.board(), 'x');
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    // No update may outlive the composer, which goes first.
    window.liveWallpaper()->setEnabled(false);
    window.liveWallpaper()->waitForIdle();
    QCoreApplication::processEvents();
    state.counters["wallpapers"] = wallpapers.load();
    state.SetLabel(variant == 0 ? "off" : variant == 1 ? "on, between updates" : "on, an update running");
}
BENCHMARK(BM_Keystroke)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Site::rootOverride() = QStringLiteral("https://127.0.0.1:9");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
