#include "../imaging/magick.h"
#include "../imaging/pixelcompare.h"
#include "support/testdata.h"

#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"
#include "imaging/imagingerror.h"
#include "wallpaper/pictureloader.h"
#include "wallpaper/pictureformats.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void sharedPicturesBecome24BitBmps_data();
    void sharedPicturesBecome24BitBmps();
    void imageMagickPictures_data();
    void imageMagickPictures();
    void otherTypesAreNotConverted_data();
    void otherTypesAreNotConverted();
    void damagedPictureWritesNothing();
    void applyReadsByExtension_data();
    void applyReadsByExtension();
};

namespace {

int bmpBitCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(30);
    return header.size() == 30 ? qFromLittleEndian<quint16>(header.constData() + 28) : -1;
}

// Writes the BMP for a picture beside it, as the add writes it into the
// picture folder; an empty path for a file of no accepted format.
QString writeBmpBeside(const QString &source)
{
    const PictureFormats::Format *format = PictureFormats::of(source);
    if (!format)
        return {};
    const QString bmp = QFileInfo(source).dir().filePath(PictureFormats::bmpName(QFileInfo(source).fileName()));
    format->writeBmp(source, bmp);
    return bmp;
}

// Checks the BMP written for source: its name, depth, size and pixels
// against ImageMagick's reading of the source.
void checkConversion(const QString &source, const QString &expectedBmp, QSize size, int tolerance)
{
    const QString bmp = writeBmpBeside(source);
    QCOMPARE(bmp, expectedBmp);
    QVERIFY(QFile::exists(source));
    QCOMPARE(bmpBitCount(bmp), 24);
    const Bitmap bitmap = BmpReader::readFile(bmp);
    QCOMPARE(QSize(bitmap.width(), bitmap.height()), size);
    if (Magick::tool().isEmpty())
        return;
    const QImage reference = Magick::decode(source, QFileInfo(source).dir().filePath("reference.ppm"),
                                            {"-background", "white", "-flatten"});
    QCOMPARE_LE(maxColourDifference(bitmap, reference), tolerance);
}

} // namespace

void TestConversions::sharedPicturesBecome24BitBmps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copyAs");
    QTest::addColumn<QString>("bmpName");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("JPEG as Pic.JPG") << "libjpeg-turbo_testorig.jpg" << "Pic.JPG" << "Pic.bmp" << QSize(227, 149) << 3;
    QTest::newRow("progressive .jpeg") << "jpeg-decoder_mozilla_jpg-progressive.jpg" << "a.b.jpeg" << "a.b.bmp"
                                       << QSize(32, 32) << 3;
    QTest::newRow("interlaced GIF") << "image-gif_interlaced.gif" << "风景.Gif" << "风景.bmp" << QSize(540, 330) << 0;
    QTest::newRow("animated GIF") << "image-gif_anim-gr.gif" << "anim.gif" << "anim.bmp" << QSize(100, 50) << 0;
}

void TestConversions::sharedPicturesBecome24BitBmps()
{
    QFETCH(QString, name);
    QFETCH(QString, copyAs);
    QFETCH(QString, bmpName);
    QFETCH(QSize, size);
    QFETCH(int, tolerance);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(testData("jpeg-gif/" + name), dir.filePath(copyAs)));
    checkConversion(dir.filePath(copyAs), dir.filePath(bmpName), size, tolerance);
}

void TestConversions::imageMagickPictures_data()
{
    QTest::addColumn<QStringList>("make");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("JPEG") << QStringList {"-size", "300x200", "-seed", "9", "plasma:", "-quality", "80"} << "photo.jpg" << 3;
    QTest::newRow("GIF with a transparent colour")
        << QStringList {"-size", "30x20", "xc:navy", "-fill", "red", "-draw", "circle 15,10 15,2", "-transparent", "red"}
        << "mark.gif" << 0;
    const QStringList halfSeen {"-size", "64x48", "-seed", "4", "plasma:", "-alpha", "set", "-channel", "A",
                                "-evaluate", "set", "50%", "+channel"};
    QTest::newRow("PNG, 16 bits, interlaced") << QStringList {"-size", "120x80", "-seed", "2", "plasma:", "-depth", "16",
                                                              "-interlace", "PNG"} << "deep.PNG" << 1;
    QTest::newRow("PNG, palette") << QStringList {"-size", "50x40", "-seed", "6", "plasma:", "-colors", "16", "-define",
                                                  "png:color-type=3"} << "few.png" << 0;
    QTest::newRow("PNG, half transparent") << halfSeen << "glass.png" << 1;
    QTest::newRow("WebP, lossy") << QStringList {"-size", "90x70", "-seed", "7", "plasma:", "-quality", "80"}
                                 << "photo.webp" << 1;
    QTest::newRow("WebP, lossless, half transparent") << halfSeen + QStringList {"-define", "webp:lossless=true"}
                                                      << "glass.WEBP" << 1;
    QTest::newRow("WebP, animated") << QStringList {"-size", "30x20", "xc:red", "xc:blue", "-loop", "0"} << "anim.webp"
                                    << 1;
}

void TestConversions::imageMagickPictures()
{
    if (Magick::tool().isEmpty())
        QSKIP("ImageMagick's convert is not installed");
    QFETCH(QStringList, make);
    QFETCH(QString, name);
    QFETCH(int, tolerance);
    QTemporaryDir dir;
    const QString source = dir.filePath(name);
    QVERIFY(Magick::run(make + QStringList {source}));
    const QImage made(Magick::decode(source, dir.filePath("size.ppm")));
    checkConversion(source, dir.filePath(QFileInfo(name).completeBaseName() + ".bmp"), made.size(), tolerance);
}

void TestConversions::otherTypesAreNotConverted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");
    QTest::newRow("bmp") << "sky.bmp" << "sky.bmp";
    QTest::newRow("BMP") << "sky.BMP" << "sky.BMP";
    QTest::newRow("tif") << "scan.tif" << "";
    QTest::newRow("ico") << "icon.ico" << "";
    QTest::newRow("no extension") << "jpg" << "";
}

void TestConversions::otherTypesAreNotConverted()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    QTemporaryDir dir;
    // A readable BMP under every name: only the name decides.
    BmpWriter::writeFile(Bitmap(3, 2), dir.filePath(name), BmpWriter::Depth::Bits24);
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QCOMPARE(writeBmpBeside(dir.filePath(name)), result.isEmpty() ? QString() : dir.filePath(result));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {name});
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestConversions::damagedPictureWritesNothing()
{
    QTemporaryDir dir;
    // A PNG cut short inside its header, under every name.
    const QStringList names {"cut.png", "cut.webp", "fake.jpg"};
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        file.close();
        QVERIFY_THROWS_EXCEPTION(ImagingError, writeBmpBeside(dir.filePath(name)));
    }
    QVERIFY_THROWS_EXCEPTION(ImagingError,
                             PictureFormats::of("x.gif")->writeBmp(dir.filePath("fake.jpg"), dir.filePath("fake.bmp")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), names);
}

void TestConversions::applyReadsByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("error");
    QTest::newRow("bmp") << "back.bmp" << QSize(7, 5) << "";
    QTest::newRow("BMP") << "back.BMP" << QSize(7, 5) << "";
    for (const char *other : {"x.jpg", "x.JPEG", "x.gif", "x.png", "x.ico", "x.emf", "x.wmf"})
        QTest::newRow(other) << other << QSize(0, 0) << "";
    QTest::newRow("txt") << "notes.txt" << QSize() << "无法识别的图片文件扩展名（.txt）";
    QTest::newRow("TIF") << "scan.TIF" << QSize() << "无法识别的图片文件扩展名（.TIF）";
    QTest::newRow("none") << "picture" << QSize() << "无法识别的图片文件扩展名（.）";
    QTest::newRow("missing bmp") << "gone.bmp" << QSize() << "gone.bmp";
    // Refused without opening it: an open would wait for a writer.
    QTest::newRow("FIFO") << "fifo.bmp" << QSize() << "不是普通文件";
    QTest::newRow("folder") << "folder.bmp" << QSize() << "不是普通文件";
}

void TestConversions::applyReadsByExtension()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QString, error);
    QTemporaryDir dir;
    BmpWriter::writeFile(Bitmap(7, 5), dir.filePath("back.bmp"), BmpWriter::Depth::Bits24);
    QFile::copy(dir.filePath("back.bmp"), dir.filePath("back.BMP"));
    QDir(dir.path()).mkdir("folder.bmp");
    QCOMPARE(QProcess::execute("mkfifo", {dir.filePath("fifo.bmp")}), 0);
    try {
        const Bitmap bitmap = PictureLoader::load(dir.filePath(name));
        QVERIFY2(error.isEmpty(), "no failure");
        QCOMPARE(QSize(bitmap.width(), bitmap.height()), size);
    } catch (const ImagingError &e) {
        QVERIFY2(!error.isEmpty() && QString::fromUtf8(e.what()).contains(error), e.what());
    }
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
