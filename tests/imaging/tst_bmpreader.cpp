#include "magick.h"
#include "pixelcompare.h"
#include "support/testdata.h"

#include "imaging/bmpreader.h"
#include "imaging/imagingerror.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class TestBmpReader : public QObject {
    Q_OBJECT
private slots:
    void goodFilesMatchQt_data();
    void goodFilesMatchQt();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void questionableFilesNeverCrash();
    void imageMagickFiles_data();
    void imageMagickFiles();
    void rowOrderAndPadding_data();
    void rowOrderAndPadding();
    void claimedSizesAreChecked_data();
    void claimedSizesAreChecked();
};

namespace {

QString suite(const QString &relative)
{
    return testData(QStringLiteral("bmp/") + relative);
}

// A 24-bit file: 40-byte header, rows as given (already padded), height
// negative for top-down.
QByteArray handMade(qint32 width, qint32 height, quint16 bits, const QByteArray &pixels, quint32 compression = 0)
{
    QByteArray file(54, '\0');
    auto put32 = [&](int offset, quint32 v) { qToLittleEndian(v, file.data() + offset); };
    auto put16 = [&](int offset, quint16 v) { qToLittleEndian(v, file.data() + offset); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, quint32(54 + pixels.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, bits);
    put32(30, compression);
    return file + pixels;
}

QByteArray bgr(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes)
        out.append(char(b));
    return out;
}

} // namespace

void TestBmpReader::goodFilesMatchQt_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("tolerance");
    // Without the folder the rows below still fail, and so does tst_testdata.
    for (const QString &name : testDataNames("bmp/bmpsuite/good", "*.bmp"))
        // Qt widens 5- and 6-bit channels by shifting, we scale them to the
        // full range (31 gives 255, not 248).
        QTest::newRow(qPrintable(name)) << suite("bmpsuite/good/" + name) << (name.startsWith("rgb16") ? 7 : 0);
    for (const char *name : {"libgd_bug00450.bmp", "pillow_hopper_rle8_grayscale.bmp", "pillow_rgb32bf-abgr.bmp",
                             "libjpeg-turbo_vgl_6434_0018a.bmp"})
        QTest::newRow(name) << suite(QStringLiteral("other/") + name) << 0;
}

void TestBmpReader::goodFilesMatchQt()
{
    QFETCH(QString, file);
    QFETCH(int, tolerance);
    const QImage reference(file);
    QVERIFY2(!reference.isNull(), "Qt cannot read the reference");
    const Bitmap bitmap = BmpReader::readFile(file);
    QCOMPARE(bitmap.width(), reference.width());
    QCOMPARE(bitmap.height(), reference.height());
    QCOMPARE_LE(maxColourDifference(bitmap, reference), tolerance);
}

void TestBmpReader::damagedFilesAreRefused_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"badbitcount", "badbitssize", "badheadersize", "badpalettesize", "badplanes", "badrle",
                             "badrle4", "badrle4bis", "badrle4ter", "badrlebis", "badrleter", "badwidth",
                             "reallybig", "rletopdown", "shortfile"})
        QTest::newRow(name) << suite(QStringLiteral("bmpsuite/bad/%1.bmp").arg(name));
    for (const char *name : {"libgd_truncated", "pillow_l2rgb_read", "pillow_hopper_rle8_row_overflow"})
        QTest::newRow(name) << suite(QStringLiteral("other/%1.bmp").arg(name));
    for (const char *name : {"pal1huffmsb", "rgb24rle24", "rgb24jpeg", "rgb24png", "rgba64"})
        QTest::newRow(name) << suite(QStringLiteral("bmpsuite/questionable/%1.bmp").arg(name));
}

void TestBmpReader::damagedFilesAreRefused()
{
    QFETCH(QString, file);
    QVERIFY(QFileInfo::exists(file));
    QVERIFY_THROWS_EXCEPTION(ImagingError, BmpReader::readFile(file));
}

// Any sane result will do for these; what matters is that nothing crashes
// (the sanitizer build watches for reads outside the data).
void TestBmpReader::questionableFilesNeverCrash()
{
    QStringList files;
    for (const QString folder : {"bmpsuite/questionable/", "bmpsuite/bad/"}) {
        for (const QString &name : testDataNames("bmp/" + folder, "*.bmp"))
            files << suite(folder + name);
    }
    QVERIFY(files.size() > 40);
    int decoded = 0;
    for (const QString &file : files) {
        try {
            const Bitmap bitmap = BmpReader::readFile(file);
            QVERIFY2(!bitmap.isEmpty(), qPrintable(file));
            ++decoded;
        } catch (const ImagingError &) {
        }
    }
    QVERIFY(decoded > 20);
}

void TestBmpReader::imageMagickFiles_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("24-bit") << QStringList {"-type", "TrueColor", "BMP3:%1"} << 24 << 0;
    QTest::newRow("8-bit palette") << QStringList {"-colors", "200", "-type", "Palette", "BMP3:%1"} << 8 << 0;
    QTest::newRow("4-bit palette") << QStringList {"-colors", "16", "-type", "Palette", "BMP3:%1"} << 4 << 0;
    QTest::newRow("1-bit") << QStringList {"-monochrome", "BMP3:%1"} << 1 << 0;
    QTest::newRow("8-bit run-length") << QStringList {"-colors", "200", "-type", "Palette", "-compress", "RLE", "BMP3:%1"} << 8 << 0;
    QTest::newRow("16-bit 5-6-5") << QStringList {"-define", "bmp:subtype=RGB565", "BMP:%1"} << 16 << 1;
    QTest::newRow("32-bit with alpha") << QStringList {"-alpha", "set", "-channel", "A", "-evaluate", "set", "60%",
                                                       "+channel", "-type", "TrueColorAlpha", "BMP:%1"} << 32 << 0;
}

void TestBmpReader::imageMagickFiles()
{
    if (Magick::tool().isEmpty())
        QSKIP("ImageMagick's convert is not installed");
    QFETCH(QStringList, options);
    QFETCH(int, bits);
    QFETCH(int, tolerance);
    QTemporaryDir dir;
    const QString file = dir.filePath("made.bmp");
    QStringList arguments {"-size", "61x37", "plasma:fractal", "-seed", "7"};
    for (const QString &option : options)
        arguments << (option.contains("%1") ? option.arg(file) : option);
    QVERIFY(Magick::run(arguments));

    QFile made(file);
    QVERIFY(made.open(QIODevice::ReadOnly));
    QCOMPARE(qFromLittleEndian<quint16>(made.read(30).constData() + 28), quint16(bits));
    const QImage reference = Magick::decode(file, dir.filePath("reference.ppm"));
    QVERIFY(!reference.isNull());
    const Bitmap bitmap = BmpReader::readFile(file);
    QCOMPARE_LE(maxColourDifference(bitmap, reference), tolerance);
}

void TestBmpReader::rowOrderAndPadding_data()
{
    QTest::addColumn<QByteArray>("file");
    // Two rows of one pixel each, padded to four bytes: blue then red.
    const QByteArray rows = bgr({255, 0, 0, 0, 0, 0, 255, 0});
    QTest::newRow("bottom-up") << handMade(1, 2, 24, rows);
    QTest::newRow("top-down") << handMade(1, -2, 24, bgr({0, 0, 255, 0, 255, 0, 0, 0}));
    QTest::newRow("last padding missing") << handMade(1, 2, 24, rows.left(7));
    // 5-5-5: 0x001f is full blue, 0x7c00 full red.
    QTest::newRow("16-bit full range") << handMade(1, 2, 16, bgr({0x1f, 0, 0, 0, 0, 0x7c, 0, 0}));
}

void TestBmpReader::rowOrderAndPadding()
{
    QFETCH(QByteArray, file);
    const Bitmap bitmap = BmpReader::read(file);
    QCOMPARE(bitmap.width(), 1);
    QCOMPARE(bitmap.height(), 2);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bitmap.scanLine(0)), 4), bgr({0, 0, 255, 0}));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bitmap.scanLine(1)), 4), bgr({255, 0, 0, 0}));
}

void TestBmpReader::claimedSizesAreChecked_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty file") << QByteArray() << "BM";
    QTest::newRow("header only") << QByteArray("BM") << "不完整";
    QTest::newRow("not BM") << handMade(1, 1, 24, QByteArray(4, '\0')).replace(0, 2, "PK") << "BM";
    QTest::newRow("wider than 16384") << handMade(16385, 1, 24, QByteArray()) << "太大";
    QTest::newRow("taller than 16384") << handMade(1, -16385, 24, QByteArray()) << "太大";
    QTest::newRow("more than 256 MB") << handMade(8193, 8193, 8, QByteArray()) << "太大";
    QTest::newRow("data missing") << handMade(8000, 8000, 24, QByteArray(100, '\0')) << "不完整";
    QTest::newRow("zero width") << handMade(0, 5, 24, QByteArray()) << "尺寸无效";
    QTest::newRow("run-length past the row") << handMade(2, 1, 8, bgr({5, 0, 0, 1}), 1) << "超出";
}

void TestBmpReader::claimedSizesAreChecked()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    try {
        BmpReader::read(file);
        QFAIL("the file was read");
    } catch (const ImagingError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(reason), e.what());
    }
}

QTEST_GUILESS_MAIN(TestBmpReader)
#include "tst_bmpreader.moc"
