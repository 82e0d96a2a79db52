#include "magick.h"
#include "pixelcompare.h"
#include "support/testdata.h"

#include "imaging/gifdecoder.h"
#include "imaging/imagingerror.h"

#include <QTemporaryDir>
#include <QTest>

class TestGifDecoder : public QObject {
    Q_OBJECT
private slots:
    void sharedFiles_data();
    void sharedFiles();
    void firstPictureOnWhite_data();
    void firstPictureOnWhite();
    void missingPaletteGivesGrey();
    void malformedFiles_data();
    void malformedFiles();
};

namespace {

const QStringList onWhite {"-background", "white", "-flatten"};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// GIF89a with a logical screen and a two-colour global table (black, white).
QByteArray gifHeader(int width, int height)
{
    return QByteArray("GIF89a") + bytes({width & 0xff, width >> 8, height & 0xff, height >> 8, 0x80, 0, 0})
        + bytes({0, 0, 0, 255, 255, 255});
}

// A 1×1 picture at (0, 0) whose only pixel is index 1.
QByteArray onePixelPicture()
{
    return bytes({0x2c, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0x02, 0x02, 0x4c, 0x01, 0x00});
}

QRgb pixel(const Bitmap &bitmap, int x, int y)
{
    const uchar *p = bitmap.scanLine(y) + 4 * x;
    return qRgb(p[2], p[1], p[0]);
}

} // namespace

void TestGifDecoder::sharedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("interlaced") << "image-gif_interlaced.gif" << QSize(540, 330);
    QTest::newRow("animation") << "image-gif_anim-gr.gif" << QSize(100, 50);
    QTest::newRow("no trailer") << "libgd_no_trailer.gif" << QSize(4, 4);
    QTest::newRow("truncated LZW") << "libgd_truncated_lzw.gif" << QSize();
    QTest::newRow("bad LZW code") << "libgd_bad_lzw_code.gif" << QSize();
    QTest::newRow("0×0") << "libgd_zero_dimensions.gif" << QSize();
    QTest::newRow("no pictures") << "libgd_bug00005_0_no-frames.gif" << QSize();
    QTest::newRow("zero width") << "pillow_zero_width.gif" << QSize();
}

void TestGifDecoder::sharedFiles()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString file = testData("jpeg-gif/" + name);
    QVERIFY(QFile::exists(file));
    if (!size.isValid()) {
        QVERIFY_THROWS_EXCEPTION(ImagingError, GifDecoder::decodeFile(file));
        return;
    }
    const Bitmap bitmap = GifDecoder::decodeFile(file);
    QCOMPARE(QSize(bitmap.width(), bitmap.height()), size);
    if (Magick::tool().isEmpty())
        return;
    QTemporaryDir dir;
    QCOMPARE(maxColourDifference(bitmap, Magick::decode(file, dir.filePath("reference.ppm"), onWhite)), 0);
}

void TestGifDecoder::firstPictureOnWhite_data()
{
    QTest::addColumn<QStringList>("make");
    // Blue becomes the transparent colour: the left half must read white.
    const QStringList halfTransparent {"-size", "20x10", "xc:red", "-fill", "blue", "-draw", "rectangle 0,0 9,9",
                                       "-transparent", "blue"};
    QTest::newRow("transparent colour") << halfTransparent;
    QTest::newRow("interlaced") << halfTransparent + QStringList {"-interlace", "GIF"};
    QTest::newRow("picture inside a larger screen") << QStringList {"-size", "4x4", "xc:green", "-repage", "10x8+3+2"};
    QTest::newRow("animation") << QStringList {"-size", "5x5", "xc:red", "xc:blue", "-loop", "0"};
    QTest::newRow("photo") << QStringList {"-size", "97x61", "-seed", "5", "plasma:"};
}

void TestGifDecoder::firstPictureOnWhite()
{
    if (Magick::tool().isEmpty())
        QSKIP("ImageMagick's convert is not installed");
    QFETCH(QStringList, make);
    QTemporaryDir dir;
    const QString file = dir.filePath("made.gif");
    QVERIFY(Magick::run(make + QStringList {file}));
    const QImage reference = Magick::decode(file, dir.filePath("reference.ppm"), onWhite);
    QVERIFY(!reference.isNull());
    QCOMPARE(maxColourDifference(GifDecoder::decodeFile(file), reference), 0);
}

void TestGifDecoder::missingPaletteGivesGrey()
{
    QByteArray file = gifHeader(1, 1) + onePixelPicture() + bytes({0x3b});
    file[10] = 0; // no global colour table...
    file.remove(13, 6); // ...and none stored
    const Bitmap bitmap = GifDecoder::decode(file);
    QCOMPARE(pixel(bitmap, 0, 0), qRgb(1, 1, 1));
}

void TestGifDecoder::malformedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("not a GIF") << QByteArray("\x89PNG\r\n\x1a\n") << "";
    QTest::newRow("only a trailer") << gifHeader(1, 1) + bytes({0x3b}) << "没有图片";
    QTest::newRow("screen beyond the limit") << gifHeader(20000, 1) + onePixelPicture() + bytes({0x3b}) << "太大";
    QTest::newRow("screen beyond 256 MB") << gifHeader(16000, 16000) + onePixelPicture() + bytes({0x3b}) << "太大";
    QTest::newRow("cut inside the picture") << gifHeader(1, 1) + onePixelPicture().left(12) << "";
}

void TestGifDecoder::malformedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    try {
        GifDecoder::decode(file);
        QFAIL("the file was decoded");
    } catch (const ImagingError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(reason), e.what());
    }
}

QTEST_GUILESS_MAIN(TestGifDecoder)
#include "tst_gifdecoder.moc"
