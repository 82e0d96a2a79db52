#include "jpegmarkers.h"
#include "magick.h"
#include "pixelcompare.h"
#include "support/testdata.h"

#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"
#include "imaging/imagingerror.h"
#include "imaging/jpegcodec.h"
#include "imaging/picturefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

class TestJpegCodec : public QObject {
    Q_OBJECT
private slots:
    void encodesBaselineJfifOfTheQuality();
    void encodesTheColourBytesAs24BitPixels();
    void roundTripKeepsSizeAndColours_data();
    void roundTripKeepsSizeAndColours();
    void sharedFiles_data();
    void sharedFiles();
    void imageMagickFiles_data();
    void imageMagickFiles();
    void hugeClaimsAreRefused_data();
    void hugeClaimsAreRefused();
    void encodingABmpFileReadsItBandByBand_data();
    void encodingABmpFileReadsItBandByBand();
    void decodingToABmpFile_data();
    void decodingToABmpFile();
    void damagedJpegLeavesTheBmpAlone();
};

namespace {

// libjpeg's standard encode of packed 24-bit RGB rows, quality 90.
QByteArray plainEncode24(const Bitmap &bitmap)
{
    std::vector<uchar> rgb(size_t(bitmap.width()) * 3 * size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const uchar *p = bitmap.scanLine(y) + 4 * x;
            uchar *q = rgb.data() + (size_t(y) * size_t(bitmap.width()) + size_t(x)) * 3;
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr errors {};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(bitmap.width());
    cinfo.image_height = JDIMENSION(bitmap.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = rgb.data() + size_t(cinfo.next_scanline) * size_t(bitmap.width()) * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray result(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return result;
}

QString sampleJpegGif(const QString &name)
{
    return testData(QStringLiteral("jpeg-gif/") + name);
}

// Puts new dimensions into the frame header of a JPEG file.
QByteArray withFrameSize(QByteArray file, int width, int height)
{
    const qsizetype sof = file.indexOf(QByteArray("\xff\xc0", 2));
    file[sof + 5] = char(height >> 8);
    file[sof + 6] = char(height);
    file[sof + 7] = char(width >> 8);
    file[sof + 8] = char(width);
    return file;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Bitmap decodeFile(const QString &path)
{
    return JpegCodec::decode(PictureFile::read(path));
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// The same 32-bit file with its rows stored top row first.
QByteArray topDown(const QByteArray &bottomUp)
{
    const qint32 width = qFromLittleEndian<qint32>(bottomUp.constData() + 18);
    const qint32 height = qFromLittleEndian<qint32>(bottomUp.constData() + 22);
    QByteArray file = bottomUp.left(54);
    qToLittleEndian<qint32>(-height, file.data() + 22);
    for (int row = height - 1; row >= 0; --row)
        file += bottomUp.mid(54 + qsizetype(row) * width * 4, width * 4);
    return file;
}

} // namespace

void TestJpegCodec::encodesBaselineJfifOfTheQuality()
{
    const JpegMarkers markers = readJpegMarkers(JpegCodec::encode(makeTestBitmap(64, 48), 90));
    QVERIFY(markers.jfif);
    QCOMPARE(markers.frameTypes, QList<int> {0});
    QCOMPARE(markers.components, 3);
    QCOMPARE(markers.quantTables.size(), 2);
    QCOMPARE(markers.quantTables.at(0), standardQuantTable(false, 90));
    QCOMPARE(markers.quantTables.at(1), standardQuantTable(true, 90));
}

void TestJpegCodec::encodesTheColourBytesAs24BitPixels()
{
    const Bitmap bitmap = makeTestBitmap(75, 33);
    QCOMPARE(JpegCodec::encode(bitmap, 90), plainEncode24(bitmap));
}

void TestJpegCodec::roundTripKeepsSizeAndColours_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("tolerance");
    // Steep gradients of the small pictures cost more than the screen's.
    QTest::newRow("1×1") << 1 << 1 << 8;
    QTest::newRow("odd sizes") << 17 << 9 << 24;
    QTest::newRow("wide, three rows") << 640 << 3 << 48;
    QTest::newRow("screen") << 1024 << 768 << 8;
}

void TestJpegCodec::roundTripKeepsSizeAndColours()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, tolerance);
    const Bitmap original = makeTestBitmap(width, height);
    const Bitmap decoded = JpegCodec::decode(JpegCodec::encode(original, 90));
    QCOMPARE_GE(maxColourDifference(decoded, original.toQImage()), 0);
    QCOMPARE_LE(maxColourDifference(decoded, original.toQImage()), tolerance);
}

void TestJpegCodec::sharedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("baseline 4:2:0") << "libjpeg-turbo_testorig.jpg" << QSize(227, 149);
    QTest::newRow("arithmetic") << "libjpeg-turbo_testimgari.jpg" << QSize(227, 149);
    QTest::newRow("progressive") << "jpeg-decoder_mozilla_jpg-progressive.jpg" << QSize(32, 32);
    QTest::newRow("Adobe YCCK") << "pillow_pil_sample_cmyk.jpg" << QSize(100, 100);
    QTest::newRow("cut short: libjpeg warns and fills with grey") << "pillow_truncated_jpeg.jpg" << QSize();
    QTest::newRow("12-bit") << "libjpeg-turbo_monkey12.jpg" << QSize();
    QTest::newRow("no frame") << "jpeg-decoder_missing-sof.jpg" << QSize();
    QTest::newRow("empty") << "jpeg-decoder_empty.jpg" << QSize();
    QTest::newRow("bad Huffman table") << "jpeg-decoder_derive-huffman-codes-overflow.jpg" << QSize();
    QTest::newRow("PNG named .jpg") << "jpeg-decoder_mozilla_jpg-size-6x6_is-png.jpg" << QSize();
}

void TestJpegCodec::sharedFiles()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString file = sampleJpegGif(name);
    QVERIFY(QFile::exists(file));
    if (!size.isValid()) {
        QVERIFY_THROWS_EXCEPTION(ImagingError, decodeFile(file));
        return;
    }
    const Bitmap bitmap = decodeFile(file);
    QCOMPARE(QSize(bitmap.width(), bitmap.height()), size);
    if (Magick::tool().isEmpty())
        return;
    QTemporaryDir dir;
    const QImage reference = Magick::decode(file, dir.filePath("reference.ppm"));
    QCOMPARE_LE(maxColourDifference(bitmap, reference), 3);
}

void TestJpegCodec::imageMagickFiles_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("defaults") << QStringList {};
    QTest::newRow("4:4:4 quality 75") << QStringList {"-sampling-factor", "1x1", "-quality", "75"};
    QTest::newRow("progressive") << QStringList {"-interlace", "JPEG"};
    QTest::newRow("grey") << QStringList {"-colorspace", "Gray"};
    QTest::newRow("CMYK") << QStringList {"-colorspace", "CMYK"};
}

void TestJpegCodec::imageMagickFiles()
{
    if (Magick::tool().isEmpty())
        QSKIP("ImageMagick's convert is not installed");
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    const QString file = dir.filePath("made.jpg");
    QVERIFY(Magick::run(QStringList {"-size", "203x101", "-seed", "3", "plasma:"} + options + QStringList {file}));
    const QImage reference = Magick::decode(file, dir.filePath("reference.ppm"));
    QVERIFY(!reference.isNull());
    QCOMPARE_LE(maxColourDifference(decodeFile(file), reference), 3);
}

void TestJpegCodec::hugeClaimsAreRefused_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("wider than 16384") << 16385 << 8;
    QTest::newRow("taller than 16384") << 8 << 16385;
    QTest::newRow("more than 256 MB") << 16000 << 16000;
}

void TestJpegCodec::hugeClaimsAreRefused()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray file = withFrameSize(JpegCodec::encode(makeTestBitmap(16, 16), 90), width, height);
    try {
        JpegCodec::decode(file);
        QFAIL("the file was decoded");
    } catch (const ImagingError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains("太大"), e.what());
    }
}

void TestJpegCodec::encodingABmpFileReadsItBandByBand_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("32-bit") << "32";
    QTest::newRow("24-bit") << "24";
    QTest::newRow("32-bit top-down") << "32 top-down";
    QTest::newRow("4-bit run-length") << "bmpsuite/good/pal4rle.bmp";
    QTest::newRow("16-bit masks") << "bmpsuite/good/rgb16-565.bmp";
    QTest::newRow("8-bit top-down") << "bmpsuite/good/pal8topdown.bmp";
}

// Rows come from the file in bands of 64; the JPEG must be the one the whole
// picture gives.
void TestJpegCodec::encodingABmpFileReadsItBandByBand()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString bmp = dir.filePath("in.bmp");
    if (kind.startsWith("bmpsuite")) {
        bmp = testData("bmp/" + kind);
        QVERIFY2(QFile::exists(bmp), qPrintable(bmp));
    } else {
        BmpWriter::writeFile(makeTestBitmap(150, 157), bmp,
                             kind.startsWith("32") ? BmpWriter::Depth::Bits32 : BmpWriter::Depth::Bits24);
        if (kind.endsWith("top-down"))
            writeAll(bmp, topDown(readAll(bmp)));
    }
    const QString jpeg = dir.filePath("out.jpg");
    JpegCodec::encodeBmpFile(bmp, jpeg, 90);
    QCOMPARE(readAll(jpeg), JpegCodec::encode(BmpReader::readFile(bmp), 90));
}

void TestJpegCodec::decodingToABmpFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("YCbCr 4:2:0") << "libjpeg-turbo_testorig.jpg";
    QTest::newRow("Adobe YCCK") << "pillow_pil_sample_cmyk.jpg";
}

void TestJpegCodec::decodingToABmpFile()
{
    QFETCH(QString, name);
    QVERIFY2(QFile::exists(sampleJpegGif(name)), qPrintable(name));
    QTemporaryDir dir;
    const QString bmp = dir.filePath("out.bmp");
    JpegCodec::decodeToBmpFile(sampleJpegGif(name), bmp);
    const QByteArray file = readAll(bmp);
    QCOMPARE(qFromLittleEndian<quint16>(file.constData() + 28), quint16(24));
    const Bitmap decoded = decodeFile(sampleJpegGif(name));
    QCOMPARE(maxColourDifference(BmpReader::read(file), decoded.toQImage()), 0);
}

void TestJpegCodec::damagedJpegLeavesTheBmpAlone()
{
    QTemporaryDir dir;
    const QByteArray good = JpegCodec::encode(makeTestBitmap(64, 64), 90);
    writeAll(dir.filePath("cut.jpg"), good.left(good.size() / 3));
    writeAll(dir.filePath("Mix.bmp"), "earlier picture");
    QVERIFY_THROWS_EXCEPTION(ImagingError, JpegCodec::decodeToBmpFile(dir.filePath("cut.jpg"), dir.filePath("Mix.bmp")));
    QCOMPARE(readAll(dir.filePath("Mix.bmp")), QByteArray("earlier picture"));
}

QTEST_GUILESS_MAIN(TestJpegCodec)
#include "tst_jpegcodec.moc"
