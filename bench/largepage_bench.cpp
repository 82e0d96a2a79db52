// The memo window over large pages, on the offscreen platform:
// - BM_ShowPage: from creating the window until the board with the stored
//   page has been drawn, for pages of 10 MB and 50 MB of short paragraphs
//   (50 MB holds about 860,000 of them).
// - BM_ShowLongParagraph: the same for a page that is one paragraph of
//   100,000 to 10,000,000 characters.
// - BM_Keystroke: one character typed on the board until the whole page is
//   stored, on a 1 MB page of paragraphs and on one paragraph of 100,000 to
//   10,000,000 characters.
#include "files/appfolder.h"
#include "memo/boardedit.h"
#include "memo/core/siteaddress.h"
#include "memo/mainfrm.h"
#include "store/tdm.h"
#include "tools/storebuilder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// One paragraph of notes in RTF, as the board writes it: Chinese in code
// page 936, ASCII, a bold red run now and then.
QByteArray paragraph(int n)
{
    switch (n % 4) {
    case 0:
        return "\\'bd\\'f1\\'cc\\'ec\\'cf\\'c2\\'ce\\'e7\\'c8\\'fd\\'b5\\'e3\\'bf\\'aa\\'bb\\'e1\\par\r\n";
    case 1:
        return "Meeting with Li Wei at 15:00, room 402\\par\r\n";
    case 2:
        return "{\\b\\cf1 \\'c2\\'f2\\'c5\\'a3\\'c4\\'cc}, \\'bc\\'a6\\'b5\\'b0 128.50\\par\r\n";
    default:
        return "TODO: call about order #A-2024-117\\par\r\n";
    }
}

QByteArray pageOfParagraphs(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                     "{\\colortbl ;\\red200\\green0\\blue0;}\\uc1\\pard\\f0\\fs22 ";
    rtf.reserve(bytes + 64);
    for (int n = 0; rtf.size() < bytes; ++n)
        rtf += paragraph(n);
    return rtf + "}";
}

QByteArray oneParagraph(qsizetype characters)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\pard\\f0\\fs22 ";
    const QByteArray words = "notes that never end ";
    for (qsizetype n = 0; n < characters; n += words.size())
        rtf += words;
    return rtf + "\\par\r\n}";
}

// A temporary application folder whose page A holds `rtf`.
struct Folder {
    QTemporaryDir dir;
    TDM dm;
    explicit Folder(const QByteArray &rtf)
    {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        QDir(dir.path()).mkpath(QStringLiteral("source/DeskTopBG"));
        AppFolder::setRoot(dir.path());
        buildStore(QStringLiteral(PAXELO_SCHEMA_FILE), dir.filePath(QStringLiteral("Data/UserData.mdb")));
        dm.OpenDatabase();
        QSqlQuery update(dm.database());
        update.prepare(QStringLiteral("UPDATE tb_A SET SundayCon = ? WHERE ID = 1"));
        update.addBindValue(rtf);
        update.exec();
    }
};

// Waits until `widget` has been painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

void showUntilDrawn(benchmark::State &state, Folder &folder)
{
    for (auto _ : state) {
        TMainFrm window(folder.dm);
        PaintWatch watch(window.board()->viewport());
        window.show();
        if (!QTest::qWaitFor([&] { return watch.painted; }, 60000))
            state.SkipWithError("the board was never drawn");
        state.PauseTiming();
        state.counters["paragraphs"] = window.board()->document()->blockCount();
        window.hide();
        state.ResumeTiming();
    }
}

void BM_ShowPage(benchmark::State &state)
{
    Folder folder(pageOfParagraphs(state.range(0) << 20));
    showUntilDrawn(state, folder);
}
BENCHMARK(BM_ShowPage)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ShowLongParagraph(benchmark::State &state)
{
    Folder folder(oneParagraph(state.range(0)));
    showUntilDrawn(state, folder);
}
BENCHMARK(BM_ShowLongParagraph)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_Keystroke(benchmark::State &state)
{
    Folder folder(state.range(0) == 0 ? pageOfParagraphs(1 << 20) : oneParagraph(state.range(0)));
    TMainFrm window(folder.dm);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("the window was never shown");
    window.board()->setFocus();
    window.board()->moveCursor(QTextCursor::Start);
    // The first key after a load encodes the whole page; the keys after it
    // only the paragraph they change.
    QTest::keyClick(window.board(), 'x');
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(window.board(), 'x');
        state.PauseTiming();
        // Drawing the board happens after the save, when the event loop
        // runs again; it is not part of the keystroke's cost.
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(state.range(0) == 0 ? "1 MB of paragraphs" : "one paragraph");
    if (!window.board()->toPlainText().startsWith(QLatin1Char('x')))
        state.SkipWithError("the keys did not reach the board");
}
BENCHMARK(BM_Keystroke)
    ->Arg(0)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
