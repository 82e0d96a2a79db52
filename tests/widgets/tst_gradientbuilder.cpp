#include "widgets/gradientbuilder.h"
#include "xppictures.h"

#include <QTest>

namespace {

// The index in `colours` of each row's colour, or -1 when a row is not one
// colour across its whole width or holds another colour.
QList<int> rowSteps(const QImage &image, const QList<QRgb> &colours)
{
    QList<int> steps;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb first = image.pixel(0, y);
        bool uniform = true;
        for (int x = 1; x < image.width(); ++x)
            uniform = uniform && image.pixel(x, y) == first;
        steps.append(uniform ? int(colours.indexOf(first)) : -1);
    }
    return steps;
}

} // namespace

class TestGradientBuilder : public QObject {
    Q_OBJECT

private slots:
    void colourStepsRoundHalfToEven_data()
    {
        QTest::addColumn<QColor>("start");
        QTest::addColumn<QColor>("end");
        QTest::addColumn<QColor>("middle");
        QTest::newRow("1.5 up to 2") << QColor(0, 0, 0) << QColor(3, 3, 3) << QColor(2, 2, 2);
        QTest::newRow("2.5 down to 2") << QColor(0, 0, 0) << QColor(5, 5, 5) << QColor(2, 2, 2);
        QTest::newRow("0.5 down to 0") << QColor(0, 10, 0) << QColor(1, 11, 1) << QColor(0, 10, 0);
        QTest::newRow("falling -127.5 to -128") << QColor(255, 255, 255) << QColor(0, 0, 0) << QColor(127, 127, 127);
    }

    void colourStepsRoundHalfToEven()
    {
        QFETCH(QColor, start);
        QFETCH(QColor, end);
        QFETCH(QColor, middle);
        // Three rows and three steps: each row holds its own step.
        const QImage image = buildGradient(4, 3, start, end, 3, GradientDirection::TopToBottom, false);
        QCOMPARE(image.pixelColor(0, 0), start);
        QCOMPARE(image.pixelColor(0, 1), middle);
        QCOMPARE(image.pixelColor(0, 2), end);
    }

    void bandsStartAtRoundedRows()
    {
        // 10 rows in 4 steps: bands start at 0, 2.5 -> 3, 5 and 7.5 -> 8.
        const QImage image = buildGradient(20, 10, QColor(0, 0, 0), QColor(30, 30, 30), 4,
                                           GradientDirection::TopToBottom, false);
        const QList<QRgb> table{qRgb(0, 0, 0), qRgb(10, 10, 10), qRgb(20, 20, 20), qRgb(30, 30, 30)};
        QCOMPARE(rowSteps(image, table), (QList<int>{0, 0, 0, 1, 1, 2, 2, 2, 3, 3}));
    }

    void controlPicturesRowByRow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("top");
        QTest::addColumn<QColor>("bottom");
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("dither");
        QTest::addColumn<QList<QRgb>>("rows");
        using namespace XPPictures;
        const QSize button(71, 19);
        const QSize box(11, 11);
        QTest::newRow("button face") << button << QColor(255, 255, 255) << QColor(239, 235, 231) << 64 << true
                                     << kButtonFace;
        QTest::newRow("button pressed face") << button << QColor(214, 207, 198) << QColor(247, 243, 235) << 64
                                             << true << kButtonPressedFace;
        QTest::newRow("button focus ring") << button << QColor(206, 231, 255) << QColor(109, 132, 239) << 64 << true
                                           << kButtonFocusRing;
        QTest::newRow("button hot ring") << button << QColor(255, 243, 206) << QColor(231, 150, 0) << 64 << true
                                         << kButtonHotRing;
        QTest::newRow("box face") << box << QColor(255, 255, 255) << QColor(239, 235, 231) << 16 << false << kBoxFace;
        QTest::newRow("box pressed face") << box << QColor(214, 207, 198) << QColor(247, 243, 235) << 16 << true
                                          << kBoxPressedFace;
        QTest::newRow("box hot ring") << box << QColor(255, 243, 206) << QColor(231, 150, 0) << 16 << true
                                      << kBoxHotRing;
    }

    void controlPicturesRowByRow()
    {
        QFETCH(QSize, size);
        QFETCH(QColor, top);
        QFETCH(QColor, bottom);
        QFETCH(int, steps);
        QFETCH(bool, dither);
        QFETCH(QList<QRgb>, rows);
        const QImage image =
            buildGradient(size.width(), size.height(), top, bottom, steps, GradientDirection::TopToBottom, dither);
        QCOMPARE(image, XPPictures::fromRows(size.width(), rows));
    }

    void ditherMovesWholeRowsOneStepBack()
    {
        GradientRandom random(7);
        const QList<QRgb> table{qRgb(0, 0, 0), qRgb(10, 10, 10), qRgb(20, 20, 20), qRgb(30, 30, 30)};
        const QImage image = buildGradient(50, 40, QColor(0, 0, 0), QColor(30, 30, 30), 4,
                                           GradientDirection::TopToBottom, true, random);
        // Bands start at rows 0, 10, 20 and 30; a dithered row of a band
        // takes the step before it.
        const QList<int> steps = rowSteps(image, table);
        bool dithered = false;
        for (int y = 0; y < 40; ++y) {
            const int band = y / 10;
            QVERIFY2(steps[y] == band || (band > 0 && steps[y] == band - 1), qPrintable(QString::number(y)));
            dithered = dithered || steps[y] != band;
        }
        QVERIFY(dithered);
    }

    void seededSourceRepeatsItsPicture()
    {
        GradientRandom first(42);
        GradientRandom second(42);
        const auto build = [](GradientRandom &random) {
            return buildGradient(30, 300, QColor(255, 255, 255), QColor(0, 0, 0), 8, GradientDirection::TopToBottom,
                                 true, random);
        };
        const QImage picture = build(first);
        QCOMPARE(build(second), picture);
        second.seed(42);
        QCOMPARE(build(second), picture);
        second.seed(43);
        QVERIFY(build(second) != picture);
    }

    void otherDirections()
    {
        const QColor light(250, 240, 230);
        const QColor dark(20, 40, 60);
        const auto build = [&](int w, int h, QColor start, QColor end, GradientDirection direction) {
            GradientRandom random(3);
            return buildGradient(w, h, start, end, 16, direction, true, random);
        };
        const QImage down = build(40, 70, light, dark, GradientDirection::TopToBottom);
        QCOMPARE(build(40, 70, dark, light, GradientDirection::BottomToTop), down);
        const QImage across = build(70, 40, light, dark, GradientDirection::LeftToRight);
        QCOMPARE(across.transformed(QTransform(0, 1, 1, 0, 0, 0)).convertToFormat(down.format()), down);
        QCOMPARE(build(70, 40, dark, light, GradientDirection::RightToLeft), across);
    }

    void degenerateInputs()
    {
        QVERIFY(buildGradient(0, 10, Qt::white, Qt::black, 8, GradientDirection::TopToBottom, true).isNull());
        QVERIFY(buildGradient(10, -1, Qt::white, Qt::black, 8, GradientDirection::TopToBottom, true).isNull());
        const QImage single = buildGradient(5, 5, QColor(1, 2, 3), Qt::black, 1, GradientDirection::TopToBottom, true);
        QCOMPARE(rowSteps(single, {qRgb(1, 2, 3)}), (QList<int>{0, 0, 0, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestGradientBuilder)
#include "tst_gradientbuilder.moc"
