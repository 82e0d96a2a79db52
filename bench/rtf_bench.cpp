// Writing and reading the board's RTF stream for boards of 10 KB, 100 KB
// and 1 MB of stored text (a whole write, and the write after one key that
// reuses the other paragraphs' encodings), a whole SaveAbcPage at those sizes, and the bare
// SQLite update of the same bytes (one transaction, as the save makes it).
#include "richtext/richtext.h"
#include "store/pagestore.h"
#include "store/tdm.h"
#include "tools/storebuilder.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// Notes as a user writes them: Chinese and ASCII mixed, in four formats.
std::unique_ptr<QTextDocument> board(qsizetype storedBytes)
{
    const QStringList phrases = {
        QStringLiteral("今天下午三点在四楼会议室开会，记得带上周报和预算表。"),
        QStringLiteral("Meeting with Li Wei at 15:00, room 402 (bring the Q3 report). "),
        QStringLiteral("买牛奶、鸡蛋、面包；周五前交电费 128.50 元！"),
        QStringLiteral("TODO: call 13800138000 about the order #A-2024-117 "),
    };
    QList<QTextCharFormat> formats(4);
    formats[0].setFontFamilies({QStringLiteral("宋体")});
    formats[0].setFontPointSize(11.5);
    formats[1].setFontFamilies({QStringLiteral("Arial")});
    formats[1].setFontPointSize(10);
    formats[1].setFontItalic(true);
    formats[2].setFontFamilies({QStringLiteral("黑体")});
    formats[2].setFontPointSize(14);
    formats[2].setFontWeight(QFont::Bold);
    formats[2].setForeground(QColor(200, 0, 0));
    formats[3].setFontFamilies({QStringLiteral("宋体")});
    formats[3].setFontPointSize(11.5);
    formats[3].setFontUnderline(true);

    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    for (int run = 0;; ++run) {
        if (run % 100 == 99 && RichText::save(*document).size() >= storedBytes)
            return document;
        if (run % 6 == 5)
            cursor.insertBlock();
        cursor.insertText(phrases.at(run % 4), formats.at((run / 4 + run) % 4));
    }
}

const QTextDocument &boardOf(qsizetype storedBytes)
{
    static std::map<qsizetype, std::unique_ptr<QTextDocument>> boards;
    auto &document = boards[storedBytes];
    if (!document)
        document = board(storedBytes);
    return *document;
}

// The same board after one more character typed at its top, which moves
// every later byte of the stream: SQLite skips pages whose bytes did not
// change, so saving one text over and over would measure nothing.
const QTextDocument &typedOn(qsizetype storedBytes)
{
    static std::map<qsizetype, std::unique_ptr<QTextDocument>> boards;
    auto &document = boards[storedBytes];
    if (!document) {
        document.reset(boardOf(storedBytes).clone());
        QTextCursor(document.get()).insertText(QStringLiteral("记"));
    }
    return *document;
}

// A fresh store in a temporary folder, opened as the program opens it.
struct Store {
    QTemporaryDir dir;
    TDM dm;
    Store()
    {
        const QString path = dir.filePath(QStringLiteral("UserData.mdb"));
        buildStore(QStringLiteral(PAXELO_SCHEMA_FILE), path);
        dm.OpenDatabase(path);
    }
};

void setSizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
}

void reportBytes(benchmark::State &state, qsizetype bytes)
{
    state.counters["rtf_bytes"] = double(bytes);
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_RtfWrite(benchmark::State &state)
{
    const QTextDocument &document = boardOf(state.range(0));
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray rtf = RichText::save(document);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.constData());
    }
    reportBytes(state, bytes);
}
BENCHMARK(BM_RtfWrite)->Apply(setSizes);

// The save at a key: one character typed in the middle of a board that was
// loaded and saved before, so that only its paragraph is encoded anew.
void BM_RtfWriteAfterKey(benchmark::State &state)
{
    QTextDocument document;
    RichText::load(RichText::save(boardOf(state.range(0))), document);
    // Laid out as the board is: the layout tells the changes.
    document.documentLayout();
    RichText::save(document);
    QTextCursor cursor(&document);
    cursor.setPosition(document.characterCount() / 2);
    qsizetype bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        cursor.insertText(QStringLiteral("记"));
        state.ResumeTiming();
        const QByteArray rtf = RichText::save(document);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.constData());
    }
    reportBytes(state, bytes);
}
BENCHMARK(BM_RtfWriteAfterKey)->Apply(setSizes);

void BM_RtfRead(benchmark::State &state)
{
    const QByteArray rtf = RichText::save(boardOf(state.range(0)));
    QTextDocument document;
    for (auto _ : state)
        RichText::load(rtf, document);
    reportBytes(state, rtf.size());
}
BENCHMARK(BM_RtfRead)->Apply(setSizes);

void BM_SaveAbcPage(benchmark::State &state)
{
    const QTextDocument *versions[2] = {&boardOf(state.range(0)), &typedOn(state.range(0))};
    Store store;
    PageStore pages(store.dm, {[&state](const QString &) { state.SkipWithError("load failed"); },
                               [&state](const QString &notice) {
                                   if (!notice.isEmpty())
                                       state.SkipWithError("save failed");
                               }});
    int turn = 0;
    for (auto _ : state)
        pages.SaveAbcPage(1, *versions[turn++ & 1]);
    reportBytes(state, RichText::save(*versions[0]).size());
}
BENCHMARK(BM_SaveAbcPage)->Apply(setSizes);

void BM_RawUpdate(benchmark::State &state)
{
    const QByteArray versions[2] = {RichText::save(boardOf(state.range(0))), RichText::save(typedOn(state.range(0)))};
    Store store;
    QSqlQuery transaction(store.dm.database());
    QSqlQuery update(store.dm.database());
    update.prepare(QStringLiteral("UPDATE tb_A SET SundayCon = ? WHERE ID = 1"));
    int turn = 0;
    for (auto _ : state) {
        transaction.exec(QStringLiteral("BEGIN IMMEDIATE"));
        update.addBindValue(versions[turn++ & 1]);
        if (!update.exec())
            state.SkipWithError("update failed");
        transaction.exec(QStringLiteral("COMMIT"));
    }
    reportBytes(state, versions[0].size());
}
BENCHMARK(BM_RawUpdate)->Apply(setSizes);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
