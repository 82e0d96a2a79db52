#include "imaging/bitmap.h"
#include "platform/largepages.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

// Large pictures ask the kernel for large pages before their first touch;
// the advice itself takes only the pages wholly inside the buffer it is
// given, so it never changes memory that belongs to something else.
namespace {

// The flags of the mapping (or the piece of it made by advice) that holds
// `address`, as /proc/self/smaps lists them; empty when none holds it.
QByteArrayList mappingFlags(const void *address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return {};
    const auto at = quintptr(address);
    bool inside = false;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const QByteArray range = line.left(line.indexOf(' '));
        const qsizetype dash = range.indexOf('-');
        if (dash > 0 && !range.contains(':')) {
            bool okStart = false, okEnd = false;
            const quintptr start = range.left(dash).toULongLong(&okStart, 16);
            const quintptr end = range.mid(dash + 1).toULongLong(&okEnd, 16);
            inside = okStart && okEnd && start <= at && at < end;
        } else if (inside && line.startsWith("VmFlags:")) {
            return line.mid(8).simplified().split(' ');
        }
    }
    return {};
}

bool advisedForLargePages(const void *address)
{
    return mappingFlags(address).contains("hg");
}

} // namespace

class TestLargePages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void largePicturesAreAdvisedBeforeTheirFirstTouch();
    void adviceTakesOnlyWholePagesInsideTheBuffer();
    void picturesStartBlackWhateverTheMemoryHeld();
};

void TestLargePages::initTestCase()
{
    QVERIFY2(QFile::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled")),
             "this kernel offers no large pages for ordinary memory");
}

void TestLargePages::largePicturesAreAdvisedBeforeTheirFirstTouch()
{
    // A camera's picture, cleared and for overwriting; each row's memory.
    Bitmap cleared(4000, 3000);
    QVERIFY(advisedForLargePages(cleared.scanLine(1500)));
    QCOMPARE(cleared.scanLine(0)[0], uchar(0));
    QCOMPARE(cleared.scanLine(2999)[4 * 3999 + 2], uchar(0));
    // All but the partial pages at the buffer's two ends: the rows next to
    // the first and the last one.
    const Bitmap forOverwrite = Bitmap::forOverwrite(4000, 3000);
    QVERIFY(advisedForLargePages(forOverwrite.scanLine(1)));
    QVERIFY(advisedForLargePages(forOverwrite.scanLine(2998)));
    // A copy is a picture of its own, advised as well.
    const Bitmap copy = cleared;
    QVERIFY(advisedForLargePages(copy.scanLine(1500)));
}

void TestLargePages::adviceTakesOnlyWholePagesInsideTheBuffer()
{
    const auto page = size_t(::sysconf(_SC_PAGESIZE));
    void *mapped = ::mmap(nullptr, 4 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    QVERIFY(mapped != MAP_FAILED);
    auto *base = static_cast<uchar *>(mapped);

    // From inside the first page to inside the third: only the second is
    // wholly inside.
    adviseLargePages(base + 100, 2 * page);
    QVERIFY(!advisedForLargePages(base));
    QVERIFY(advisedForLargePages(base + page));
    QVERIFY(!advisedForLargePages(base + 2 * page));
    QVERIFY(!advisedForLargePages(base + 3 * page));

    // Less than a page, and a buffer ending where a page begins: nothing
    // beyond it.
    adviseLargePages(base + 3 * page + 8, page / 2);
    QVERIFY(!advisedForLargePages(base + 3 * page));
    adviseLargePages(base + 2 * page + 8, page - 8);
    QVERIFY(!advisedForLargePages(base + 2 * page));
    QVERIFY(!advisedForLargePages(base + 3 * page));
    ::munmap(mapped, 4 * page);
}

// The advice comes before the clearing now; a cleared picture is still black
// where the memory it gets held an earlier picture's pixels.
void TestLargePages::picturesStartBlackWhateverTheMemoryHeld()
{
    for (const QSize size : {QSize(64, 64), QSize(1024, 1024)}) {
        for (int round = 0; round < 3; ++round) {
            {
                Bitmap used = Bitmap::forOverwrite(size.width(), size.height());
                for (int y = 0; y < size.height(); ++y)
                    std::memset(used.scanLine(y), 0xff, size_t(used.bytesPerLine()));
            }
            const Bitmap cleared(size.width(), size.height());
            for (int y = 0; y < size.height(); ++y) {
                const uchar *row = cleared.scanLine(y);
                QVERIFY2(std::all_of(row, row + cleared.bytesPerLine(), [](uchar byte) { return byte == 0; }),
                         qPrintable(QStringLiteral("%1×%2, row %3").arg(size.width()).arg(size.height()).arg(y)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestLargePages)
#include "tst_largepages.moc"
