#include "memo/core/formsize.h"
#include "support/tempappfolder.h"
#include "widgets/anchoring.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(FormBounds)

class TestFormSize : public QObject {
    Q_OBJECT
private slots:
    void firstRunCentresOnThePrimaryScreen();
    void tooSmallSizesResetBoth_data();
    void tooSmallSizesResetBoth();
    void readsOnlyCompleteFiles_data();
    void readsOnlyCompleteFiles();
    void writesFiveLinesWithCrLf();
    void windowsOffEveryScreenAreBroughtBack();
    void storedBoundsFitTheAvailableArea_data();
    void storedBoundsFitTheAvailableArea();
    void anchorsKeepTheirGaps();
};

void TestFormSize::firstRunCentresOnThePrimaryScreen()
{
    const FormBounds bounds = FormSize::firstRun(ScreenLayout{{QRect(0, 0, 1024, 768)}});
    QCOMPARE(bounds, (FormBounds{1, 645, 443, 189, 147}));
    // Integer division truncates toward zero, also on a screen smaller than the window.
    const FormBounds tiny = FormSize::firstRun(ScreenLayout{{QRect(0, 0, 640, 480)}});
    QCOMPARE(tiny.left, -2);
    QCOMPARE(tiny.top, 3);
}

void TestFormSize::tooSmallSizesResetBoth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("644 x 600") << 644 << 600 << QSize(645, 443);
    QTest::newRow("800 x 442") << 800 << 442 << QSize(645, 443);
    QTest::newRow("800 x 443") << 800 << 443 << QSize(800, 443);
    QTest::newRow("645 x 900") << 645 << 900 << QSize(645, 900);
}

void TestFormSize::tooSmallSizesResetBoth()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QSize, expected);
    const FormBounds bounds = FormSize::withMinimumSize(FormBounds{2, width, height, 10, 20});
    QCOMPARE(QSize(bounds.width, bounds.height), expected);
    QCOMPARE(bounds.page, 2);
    QCOMPARE(bounds.left, 10);
}

void TestFormSize::readsOnlyCompleteFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("valid");
    QTest::newRow("five lines") << QByteArray("3\r\n700\r\n500\r\n-20\r\n-5\r\n") << true;
    QTest::newRow("more lines") << QByteArray("3\r\n700\r\n500\r\n-20\r\n-5\r\nx\r\n") << true;
    QTest::newRow("four lines") << QByteArray("3\r\n700\r\n500\r\n-20\r\n") << false;
    QTest::newRow("not an integer") << QByteArray("3\r\n700\r\nwide\r\n-20\r\n-5\r\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestFormSize::readsOnlyCompleteFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, valid);
    TempAppFolder folder;
    folder.writeFile("Data/FormSize.ini", content);
    const std::optional<FormBounds> bounds = FormSize::read(folder.path("Data/FormSize.ini"));
    QCOMPARE(bounds.has_value(), valid);
    if (valid)
        QCOMPARE(*bounds, (FormBounds{3, 700, 500, -20, -5}));
    QVERIFY(!FormSize::read(folder.path("Data/missing.ini")));
}

void TestFormSize::writesFiveLinesWithCrLf()
{
    TempAppFolder folder;
    FormSize::write(folder.path("Data/FormSize.ini"), FormBounds{1, 645, 443, -189, 147});
    QCOMPARE(folder.readFile("Data/FormSize.ini"), QByteArray("1\r\n645\r\n443\r\n-189\r\n147\r\n"));
}

void TestFormSize::windowsOffEveryScreenAreBroughtBack()
{
    const ScreenLayout twoScreens{{QRect(0, 0, 1024, 768), QRect(-1280, 0, 1280, 1024)}};
    // On the left monitor: kept as stored, negative coordinates included.
    const FormBounds onLeft{1, 645, 443, -900, 100};
    QCOMPARE(FormSize::keptReachable(onLeft, twoScreens), onLeft);
    // Partly visible on the primary screen: kept.
    const FormBounds partly{1, 645, 443, 1000, 700};
    QCOMPARE(FormSize::keptReachable(partly, twoScreens), partly);
    // That monitor was unplugged: centred on the primary screen, size kept.
    const ScreenLayout oneScreen{{QRect(0, 0, 1024, 768)}};
    QCOMPARE(FormSize::keptReachable(onLeft, oneScreen), (FormBounds{1, 645, 443, 189, 147}));
    const FormBounds large{2, 800, 600, 5000, 5000};
    QCOMPARE(FormSize::keptReachable(large, oneScreen), (FormBounds{2, 800, 600, 112, 69}));
}

void TestFormSize::storedBoundsFitTheAvailableArea_data()
{
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    QTest::addColumn<FormBounds>("stored");
    QTest::addColumn<FormBounds>("opened");
    QTest::newRow("40000 x 40000") << FormBounds{2, 40000, 40000, 0, 0} << FormBounds{2, 1024, 740, 0, 0};
    QTest::newRow("largest integers") << FormBounds{most, most, most, most, most} << FormBounds{most, 1024, 740, 0, 0};
    QTest::newRow("smallest integers") << FormBounds{1, least, least, least, least} << FormBounds{1, 645, 443, 189, 147};
    QTest::newRow("too high, moved up") << FormBounds{1, 800, 2000, 100, 50} << FormBounds{1, 800, 740, 100, 0};
    QTest::newRow("close picture off the right edge") << FormBounds{1, 700, 500, 600, 100} << FormBounds{1, 700, 500, 324, 100};
    QTest::newRow("close picture under the top edge") << FormBounds{1, 700, 500, 10, -5} << FormBounds{1, 700, 500, 10, 0};
    QTest::newRow("left edge off screen, close picture on it") << FormBounds{1, 700, 500, -300, 100}
                                                              << FormBounds{1, 700, 500, -300, 100};
    QTest::newRow("on the second screen") << FormBounds{1, 1200, 900, -1280, 0} << FormBounds{1, 1200, 900, -1280, 0};
    QTest::newRow("larger than the second screen") << FormBounds{1, 1500, 1200, -1300, 50}
                                                   << FormBounds{1, 1280, 1024, -1280, 0};
}

void TestFormSize::storedBoundsFitTheAvailableArea()
{
    QFETCH(FormBounds, stored);
    QFETCH(FormBounds, opened);
    // The primary screen has a 28-pixel panel at the bottom.
    const ScreenLayout screens{{QRect(0, 0, 1024, 768), QRect(-1280, 0, 1280, 1024)},
                               {QRect(0, 0, 1024, 740), QRect(-1280, 0, 1280, 1024)}};
    QCOMPARE(FormSize::fromStored(stored, screens), opened);
    // A screen smaller than the minimum size: the top right corner stays on it.
    const ScreenLayout small{{QRect(0, 0, 640, 400)}};
    QCOMPARE(FormSize::fromStored(stored, small), (FormBounds{stored.page, 645, 443, -5, 0}));
}

void TestFormSize::anchorsKeepTheirGaps()
{
    const QSize design(629, 405);
    const QSize client(645, 443);
    // pnlRight: anchored on every side, right gap 6 and bottom gap 48.
    QCOMPARE(Anchoring::place(QRect(319, 72, 304, 285), 15, design, client), QRect(319, 72, 320, 323));
    // The close button: top and right, right gap 1.
    QCOMPARE(Anchoring::place(QRect(589, 1, 39, 20), Anchoring::Top | Anchoring::Right, design, client),
             QRect(605, 1, 39, 20));
    // The logo: left and top, never moves.
    QCOMPARE(Anchoring::place(QRect(52, 8, 210, 56), Anchoring::Left | Anchoring::Top, design, QSize(1000, 900)),
             QRect(52, 8, 210, 56));
}

QTEST_GUILESS_MAIN(TestFormSize)
#include "tst_formsize.moc"
