#include "../imaging/pixelcompare.h"

#include "imaging/bmpwriter.h"
#include "wallpaper/composition.h"
#include "wallpaper/compositioncanvas.h"
#include "wallpaper/coverscale.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/mixpicture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestComposition : public QObject {
    Q_OBJECT
private slots:
    void coverCropsEvenly_data();
    void coverCropsEvenly();
    void coverKeepsTheMiddleUpright_data();
    void coverKeepsTheMiddleUpright();
    void canvasIsTheScreenInDevicePixels_data();
    void canvasIsTheScreenInDevicePixels();
    void notesStandInsideTheFreeArea_data();
    void notesStandInsideTheFreeArea();
    void aScreenSizedBackgroundGivesTheSameFiles_data();
    void aScreenSizedBackgroundGivesTheSameFiles();
    void sizeRulesMeetTheScreenNotThePicture();
};

namespace {

using Pixel = std::array<uchar, 4>;

const Pixel red {0, 0, 255, 0};
const Pixel green {0, 255, 0, 0};
const Pixel blue {255, 0, 0, 0};
const Pixel grey {100, 100, 100, 0};
const Pixel ink {0, 0, 0, 0};

void fill(Bitmap &bitmap, QRect area, Pixel colour)
{
    area &= QRect(0, 0, bitmap.width(), bitmap.height());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            std::copy(colour.begin(), colour.end(), bitmap.scanLine(y) + 4 * x);
}

Bitmap filled(QSize size, Pixel colour)
{
    Bitmap bitmap(size.width(), size.height());
    fill(bitmap, QRect(QPoint(0, 0), size), colour);
    return bitmap;
}

Pixel colourAt(const Bitmap &bitmap, int x, int y)
{
    const uchar *p = bitmap.scanLine(y) + 4 * x;
    return {p[0], p[1], p[2], 0};
}

// The rectangle of pixels whose colour is not `background`.
QRect changedArea(const Bitmap &result, Pixel background)
{
    QRect area;
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            if (colourAt(result, x, y) != background)
                area |= QRect(x, y, 1, 1);
    return area;
}

// The board as Content.bmp holds it: pale yellow with lines of ink.
Bitmap notes(QSize size = QSize(316, 319))
{
    Bitmap bitmap = filled(size, {225, 255, 255, 0});
    for (int y = 10; y < size.height(); y += 20)
        fill(bitmap, QRect(8, y, size.width() - 16, 3), ink);
    return bitmap;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestComposition::coverCropsEvenly_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QRect>("source");
    QTest::newRow("taller photo onto 16:9") << QSize(4000, 3000) << QSize(1920, 1080) << QRect(0, 375, 4000, 2250);
    QTest::newRow("wider panorama") << QSize(4000, 1000) << QSize(1920, 1080) << QRect(1111, 0, 1778, 1000);
    QTest::newRow("smaller, grows") << QSize(800, 600) << QSize(1920, 1080) << QRect(0, 75, 800, 450);
    QTest::newRow("16:9 onto 4:3") << QSize(1920, 1080) << QSize(1024, 768) << QRect(240, 0, 1440, 1080);
    QTest::newRow("equal") << QSize(1920, 1080) << QSize(1920, 1080) << QRect(0, 0, 1920, 1080);
    QTest::newRow("same shape") << QSize(3840, 2160) << QSize(1920, 1080) << QRect(0, 0, 3840, 2160);
    QTest::newRow("1 x N") << QSize(1, 1000) << QSize(1920, 1080) << QRect(0, 499, 1, 1);
    QTest::newRow("N x 1") << QSize(1000, 1) << QSize(1920, 1080) << QRect(499, 0, 2, 1);
    QTest::newRow("odd leftover rounds down") << QSize(100, 60) << QSize(100, 57) << QRect(0, 1, 100, 57);
}

// The cut is the same on both sides (one pixel more at the far side for an
// odd leftover) and the rest has the canvas's shape.
void TestComposition::coverCropsEvenly()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, canvas);
    QFETCH(QRect, source);
    QCOMPARE(CoverScale::sourceRect(picture, canvas), source);

    Bitmap scaled = CoverScale::covering(Bitmap(picture.width(), picture.height()), canvas);
    QCOMPARE(QSize(scaled.width(), scaled.height()), canvas);
}

void TestComposition::coverKeepsTheMiddleUpright_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("canvas");
    QTest::newRow("shrinks a taller picture") << QSize(1600, 1200) << QSize(640, 360);
    QTest::newRow("grows a taller picture") << QSize(160, 120) << QSize(640, 360);
    QTest::newRow("crops a wider picture") << QSize(1200, 300) << QSize(400, 300);
    QTest::newRow("shrinks a wider picture") << QSize(2400, 600) << QSize(400, 300);
}

// Red margins that the crop must cut away, and inside them green above or
// left of blue: what stands on the canvas is the middle, the right way up.
void TestComposition::coverKeepsTheMiddleUpright()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, canvas);
    const QRect kept = CoverScale::sourceRect(picture, canvas);
    Bitmap background = filled(picture, red);
    const bool tall = kept.width() == picture.width();
    QRect first = kept;
    if (tall)
        first.setHeight(kept.height() / 2);
    else
        first.setWidth(kept.width() / 2);
    fill(background, kept, blue);
    fill(background, first, green);

    const Bitmap scaled = CoverScale::covering(std::move(background), canvas);
    const int w = canvas.width();
    const int h = canvas.height();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
        const bool inFirst = tall ? corner.y() == 0 : corner.x() == 0;
        QCOMPARE(colourAt(scaled, corner.x(), corner.y()), inFirst ? green : blue);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            QVERIFY2(colourAt(scaled, x, y)[2] == 0, qPrintable(QStringLiteral("margin shows at %1,%2").arg(x).arg(y)));
}

void TestComposition::canvasIsTheScreenInDevicePixels_data()
{
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("free");
    QTest::newRow("no panel") << QRect(0, 0, 1920, 1080) << QRect(0, 0, 1920, 1080) << 1.0 << QSize(1920, 1080)
                              << QRect(0, 0, 1920, 1080);
    QTest::newRow("top panel, second screen, scale 2")
        << QRect(1920, 0, 1920, 1080) << QRect(1920, 27, 1920, 1053) << 2.0 << QSize(3840, 2160)
        << QRect(0, 54, 3840, 2106);
    QTest::newRow("left panel, scale 1.5") << QRect(0, 0, 1280, 720) << QRect(48, 0, 1232, 720) << 1.5
                                           << QSize(1920, 1080) << QRect(72, 0, 1848, 1080);
    QTest::newRow("no available area known") << QRect(0, 0, 1024, 768) << QRect() << 1.0 << QSize(1024, 768)
                                             << QRect(0, 0, 1024, 768);
}

void TestComposition::canvasIsTheScreenInDevicePixels()
{
    QFETCH(QRect, geometry);
    QFETCH(QRect, available);
    QFETCH(qreal, ratio);
    QFETCH(QSize, size);
    QFETCH(QRect, free);
    const CompositionCanvas canvas = Canvas::forScreen({geometry, available, ratio});
    QCOMPARE(canvas.size, size);
    QCOMPARE(canvas.available, free);
}

void TestComposition::notesStandInsideTheFreeArea_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QPoint>("topLeft");
    const QRect whole(0, 0, 1920, 1080);
    const QRect topPanel(0, 27, 1920, 1053);
    const QRect leftPanel(64, 0, 1856, 1080);
    QTest::newRow("A, no panel") << whole << false << QPoint(1554, 30);
    QTest::newRow("B, no panel") << whole << true << QPoint(802, 30);
    QTest::newRow("A, top panel") << topPanel << false << QPoint(1554, 57);
    QTest::newRow("B, top panel") << topPanel << true << QPoint(802, 57);
    QTest::newRow("A, left panel") << leftPanel << false << QPoint(1554, 30);
    QTest::newRow("B, left panel") << leftPanel << true << QPoint(834, 30);
    QTest::newRow("A, right panel") << QRect(0, 0, 1856, 1080) << false << QPoint(1490, 30);
}

// A 4:3 photo on a 1920 × 1080 screen: the notes keep their size,
// pixel for pixel, at the margins measured from the free area.
void TestComposition::notesStandInsideTheFreeArea()
{
    QFETCH(QRect, available);
    QFETCH(bool, centred);
    QFETCH(QPoint, topLeft);
    const Bitmap board = notes();
    const Bitmap mix = Composition::blend(board, filled(QSize(2000, 1500), grey), {QSize(1920, 1080), available},
                                          centred);
    QCOMPARE(QSize(mix.width(), mix.height()), QSize(1920, 1080));
    QCOMPARE(changedArea(mix, grey), QRect(topLeft, QSize(316, 319)));
    // 1:1: every row of the board, ink lines included, where it belongs.
    for (int y = 0; y < board.height(); ++y) {
        const bool inked = colourAt(board, 8, y) == ink;
        QCOMPARE(colourAt(mix, topLeft.x() + 8, topLeft.y() + y), inked ? (Pixel {50, 50, 50, 0}) : (Pixel {162, 177, 177, 0}));
    }
}

void TestComposition::aScreenSizedBackgroundGivesTheSameFiles_data()
{
    QTest::addColumn<QString>("letter");
    QTest::newRow("A") << "A";
    QTest::newRow("B") << "B";
}

// A background of the screen's size on a screen without panels: Mix.bmp
// and Mix.Jpg are byte for byte what the blend in the picture's own pixels
// gives.
void TestComposition::aScreenSizedBackgroundGivesTheSameFiles()
{
    QFETCH(QString, letter);
    QTemporaryDir made;
    QTemporaryDir composed;
    const QString madeFolder = made.path() + QLatin1Char('/');
    const QString composedFolder = composed.path() + QLatin1Char('/');
    const Bitmap background = makeTestBitmap(1024, 768);

    Bitmap content = notes();
    Bitmap base = background;
    QVERIFY(MixFiles::writeWallpaperFiles(MixPicture(content, base, 30, 50, letter == "B"), madeFolder));

    BmpWriter::writeFile(notes(), composedFolder + "Content.bmp", BmpWriter::Depth::Bits24);
    BmpWriter::writeFile(background, composedFolder + "sky.bmp", BmpWriter::Depth::Bits32);
    const Composition::Request request{composedFolder + "Content.bmp", composedFolder + "sky.bmp",
                                       Canvas::forScreen({QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768), 1}),
                                       letter, composedFolder};
    QVERIFY(Composition::writeWallpaperFiles(request));

    for (const char *name : {"Mix.bmp", "Mix.Jpg"}) {
        const QByteArray expected = readAll(madeFolder + name);
        QVERIFY(!expected.isEmpty());
        QVERIFY2(readAll(composedFolder + name) == expected, name);
    }
}

// Whether the notes fit is asked of the screen-sized background, whatever
// size the picture has.
void TestComposition::sizeRulesMeetTheScreenNotThePicture()
{
    const Bitmap board = notes();
    // A picture as tall as the notes fits a screen with room below them.
    const Bitmap onScreen =
        Composition::blend(board, filled(QSize(2000, 319), grey), {QSize(800, 600), QRect(0, 0, 800, 600)}, false);
    QCOMPARE(changedArea(onScreen, grey), QRect(434, 30, 316, 319));

    // A screen 30 rows short of the notes below its top panel.
    try {
        Composition::blend(board, filled(QSize(2000, 1500), grey), {QSize(1024, 375), QRect(0, 27, 1024, 348)}, false);
        QFAIL("notes past the screen's bottom were blended");
    } catch (const MixError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Scan line index out of range"));
    }

    // A free area too narrow for the notes and the right margin.
    try {
        Composition::blend(board, filled(QSize(2000, 1500), grey), {QSize(360, 700), QRect(0, 0, 360, 700)}, false);
        QFAIL("notes wider than the screen were blended");
    } catch (const MixError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).startsWith(QStringLiteral("内容图片（316×319）和背景图片（360×700）")), e.what());
    }

    // A screen no taller than the notes: the scaled background is laid on
    // the notes, which keep their size.
    const Bitmap swapped =
        Composition::blend(board, filled(QSize(2000, 1500), grey), {QSize(200, 300), QRect(0, 0, 200, 300)}, false);
    QCOMPARE(QSize(swapped.width(), swapped.height()), QSize(316, 319));
    QCOMPARE(colourAt(swapped, 66 + 10, 5), (Pixel {163, 178, 178, 0}));
}

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
