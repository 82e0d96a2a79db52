#include "imaging/bitmap.h"
#include "wallpaper/mixpicture.h"

#include <QTest>

class TestMixPicture : public QObject {
    Q_OBJECT
private slots:
    void contentLandsWhereTheLetterSays_data();
    void contentLandsWhereTheLetterSays();
    void bytesMoveHalfWayTruncated_data();
    void bytesMoveHalfWayTruncated();
    void onlyPureWhiteIsTransparent_data();
    void onlyPureWhiteIsTransparent();
    void backgroundNotTallerSwapsTheRoles();
    void emptyBackgroundKeepsTheContent();
    void placementsOutsideTheBaseAreRefused_data();
    void placementsOutsideTheBaseAreRefused();
};

namespace {

using Pixel = std::array<uchar, 4>;

Bitmap filled(int width, int height, Pixel colour)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            std::copy(colour.begin(), colour.end(), bitmap.scanLine(y) + 4 * x);
    }
    return bitmap;
}

Pixel at(const Bitmap &bitmap, int x, int y)
{
    Pixel p;
    std::copy_n(bitmap.scanLine(y) + 4 * x, 4, p.begin());
    return p;
}

void set(Bitmap &bitmap, int x, int y, Pixel colour)
{
    std::copy(colour.begin(), colour.end(), bitmap.scanLine(y) + 4 * x);
}

// The rectangle of pixels that differ from the untouched background.
QRect changedArea(const Bitmap &result, Pixel background)
{
    QRect area;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            if (at(result, x, y) != background)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

const Pixel black {0, 0, 0, 0};
const Pixel grey {100, 100, 100, 0};

} // namespace

void TestMixPicture::contentLandsWhereTheLetterSays_data()
{
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QSize>("background");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("A or C") << false << QSize(1024, 768) << QPoint(658, 30);
    QTest::newRow("B") << true << QSize(1024, 768) << QPoint(354, 30);
    QTest::newRow("exactly 50 wider") << false << QSize(366, 349) << QPoint(0, 30);
    QTest::newRow("B, as wide") << true << QSize(316, 349) << QPoint(0, 30);
    QTest::newRow("B, odd difference") << true << QSize(1023, 768) << QPoint(353, 30);
}

void TestMixPicture::contentLandsWhereTheLetterSays()
{
    QFETCH(bool, centre);
    QFETCH(QSize, background);
    QFETCH(QPoint, topLeft);
    Bitmap content = filled(316, 319, black);
    Bitmap bg = filled(background.width(), background.height(), grey);
    const Bitmap contentBefore = content;

    Bitmap &result = MixPicture(content, bg, 30, 50, centre);
    QCOMPARE(&result, &bg);
    QCOMPARE(changedArea(result, grey), QRect(topLeft, QSize(316, 319)));
    QCOMPARE(at(result, topLeft.x(), topLeft.y()), (Pixel {50, 50, 50, 0}));
    QVERIFY(content == contentBefore);
}

void TestMixPicture::bytesMoveHalfWayTruncated_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("overlay");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("expected");
    QTest::newRow("255 into 0") << 0 << 255 << 50 << 127;
    QTest::newRow("0 into 255") << 255 << 0 << 50 << 128;
    QTest::newRow("101 into 100") << 100 << 101 << 50 << 100;
    QTest::newRow("99 into 100") << 100 << 99 << 50 << 100;
    QTest::newRow("level 0") << 10 << 200 << 0 << 10;
    QTest::newRow("level 100") << 10 << 200 << 100 << 200;
    QTest::newRow("level 33") << 200 << 0 << 33 << 134;
}

void TestMixPicture::bytesMoveHalfWayTruncated()
{
    QFETCH(int, base);
    QFETCH(int, overlay);
    QFETCH(int, level);
    QFETCH(int, expected);
    // Every byte of the pixel, the fourth included, follows the rule.
    Bitmap content = filled(1, 1, {uchar(overlay), uchar(overlay), uchar(overlay), uchar(overlay)});
    if (overlay == 255)
        set(content, 0, 0, {254, 255, 255, 255});
    Bitmap bg = filled(51, 2, {uchar(base), uchar(base), uchar(base), uchar(base)});
    MixPicture(content, bg, 1, level, false);
    const Pixel result = at(bg, 0, 1);
    QCOMPARE(int(result[1]), expected);
    QCOMPARE(int(result[2]), expected);
    QCOMPARE(int(result[3]), expected);
}

void TestMixPicture::onlyPureWhiteIsTransparent_data()
{
    QTest::addColumn<Pixel>("overlay");
    QTest::addColumn<Pixel>("expected");
    QTest::newRow("pure white") << Pixel {255, 255, 255, 0} << grey;
    QTest::newRow("pure white, any fourth byte") << Pixel {255, 255, 255, 77} << grey;
    QTest::newRow("254 in blue") << Pixel {254, 255, 255, 0} << Pixel {177, 177, 177, 0};
    QTest::newRow("254 in red") << Pixel {255, 255, 254, 0} << Pixel {177, 177, 177, 0};
}

void TestMixPicture::onlyPureWhiteIsTransparent()
{
    QFETCH(Pixel, overlay);
    QFETCH(Pixel, expected);
    Bitmap content = filled(3, 3, overlay);
    Bitmap bg = filled(60, 40, grey);
    MixPicture(content, bg, 30, 50, false);
    QCOMPARE(at(bg, 7, 31), expected);
    QCOMPARE(changedArea(bg, grey).isEmpty(), expected == grey);
}

// A background no taller than the content is laid on the content from its
// top row; its white is transparent and the content keeps its size.
void TestMixPicture::backgroundNotTallerSwapsTheRoles()
{
    Bitmap content = filled(400, 300, grey);
    Bitmap bg = filled(300, 200, black);
    set(bg, 0, 0, {255, 255, 255, 0});
    const Bitmap bgBefore = bg;

    Bitmap &result = MixPicture(content, bg, 30, 50, false);
    QCOMPARE(&result, &content);
    QCOMPARE(result.width(), 400);
    QCOMPARE(result.height(), 300);
    QCOMPARE(changedArea(result, grey), QRect(50, 0, 300, 200));
    QCOMPARE(at(result, 50, 0), grey);
    QCOMPARE(at(result, 51, 0), (Pixel {50, 50, 50, 0}));
    QVERIFY(bg == bgBefore);
}

void TestMixPicture::emptyBackgroundKeepsTheContent()
{
    Bitmap content = filled(20, 10, black);
    Bitmap empty;
    Bitmap &result = MixPicture(content, empty, 30, 50, false);
    QCOMPARE(&result, &content);
    QVERIFY(result == filled(20, 10, black));
}

void TestMixPicture::placementsOutsideTheBaseAreRefused_data()
{
    QTest::addColumn<QSize>("content");
    QTest::addColumn<QSize>("background");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("requirement");
    const QString sizes = QStringLiteral("内容图片（%1×%2）和背景图片（%3×%4）");
    QTest::newRow("background 30 rows short") << QSize(316, 319) << QSize(1024, 348) << false
                                              << "Scan line index out of range" << "";
    QTest::newRow("content wider than background − 50") << QSize(1000, 319) << QSize(1024, 768) << false
                                                         << sizes.arg(1000).arg(319).arg(1024).arg(768)
                                                         << "背景图片应比内容图片宽出至少 50 像素。";
    QTest::newRow("swapped, background wider") << QSize(300, 300) << QSize(400, 200) << false
                                               << sizes.arg(300).arg(300).arg(400).arg(200)
                                               << "背景图片应比内容图片窄至少 50 像素。"
                                                  "要把记事放到背景上，背景图片应比内容图片高出至少 30 像素、宽出至少 50 像素。";
    QTest::newRow("swapped, centred, background wider") << QSize(300, 300) << QSize(400, 200) << true
                                                        << sizes.arg(300).arg(300).arg(400).arg(200)
                                                        << "背景图片不能比内容图片宽。要把记事放到背景上，"
                                                           "背景图片应比内容图片高出至少 30 像素，且不比内容图片窄。";
    QTest::newRow("content wider, centred") << QSize(1100, 319) << QSize(1024, 768) << true
                                            << sizes.arg(1100).arg(319).arg(1024).arg(768)
                                            << "记事居中放置（位置 B）时，背景图片至少要和内容图片一样宽。";
}

void TestMixPicture::placementsOutsideTheBaseAreRefused()
{
    QFETCH(QSize, content);
    QFETCH(QSize, background);
    QFETCH(bool, centre);
    QFETCH(QString, message);
    QFETCH(QString, requirement);
    Bitmap pic1 = filled(content.width(), content.height(), black);
    Bitmap pic2 = filled(background.width(), background.height(), grey);
    try {
        MixPicture(pic1, pic2, 30, 50, centre);
        QFAIL("the blend went ahead");
    } catch (const MixError &e) {
        const QString text = QString::fromUtf8(e.what());
        QVERIFY2(text.startsWith(message) && text.endsWith(requirement), e.what());
    }
    QVERIFY(pic1 == filled(content.width(), content.height(), black));
    QVERIFY(pic2 == filled(background.width(), background.height(), grey));
}

QTEST_GUILESS_MAIN(TestMixPicture)
#include "tst_mixpicture.moc"
