#include "../imaging/jpegmarkers.h"
#include "../imaging/pixelcompare.h"

#include "imaging/bmpreader.h"
#include "imaging/jpegcodec.h"
#include "wallpaper/mixfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class TestMixFiles : public QObject {
    Q_OBJECT
private slots:
    void mixIsSavedWith32Bits();
    void roundTripLeavesTheJpegPixelsIn24Bits();
    void withoutTheJpegMixHoldsTheBlendIn32Bits();
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int bitCount(const QByteArray &bmp)
{
    return bmp.size() >= 30 ? qFromLittleEndian<quint16>(bmp.constData() + 28) : -1;
}

QString folderOf(const QTemporaryDir &dir)
{
    return dir.path() + QLatin1Char('/');
}

} // namespace

void TestMixFiles::mixIsSavedWith32Bits()
{
    QTemporaryDir dir;
    const Bitmap mix = makeTestBitmap(103, 41);
    MixFiles::saveMix(mix, folderOf(dir));
    QCOMPARE(MixFiles::mixBmpPath(folderOf(dir)), dir.filePath("Mix.bmp"));
    const QByteArray file = readAll(dir.filePath("Mix.bmp"));
    QCOMPARE(bitCount(file), 32);
    QCOMPARE(file.size(), 54 + 103 * 41 * 4);
    QVERIFY(BmpReader::read(file) == mix);
}

void TestMixFiles::roundTripLeavesTheJpegPixelsIn24Bits()
{
    QTemporaryDir dir;
    const Bitmap mix = makeTestBitmap(1024, 768);
    QVERIFY(MixFiles::writeWallpaperFiles(mix, folderOf(dir)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList {"Mix.bmp", "Mix.Jpg"}));

    const QByteArray jpeg = readAll(dir.filePath("Mix.Jpg"));
    const JpegMarkers markers = readJpegMarkers(jpeg);
    QCOMPARE(markers.frameTypes, QList<int> {0});
    QCOMPARE(markers.components, 3);
    QCOMPARE(markers.quantTables.size(), 2);
    QCOMPARE(markers.quantTables.at(0), standardQuantTable(false, 90));
    QCOMPARE(markers.quantTables.at(1), standardQuantTable(true, 90));

    const QByteArray bmp = readAll(dir.filePath("Mix.bmp"));
    QCOMPARE(bitCount(bmp), 24);
    const Bitmap wallpaper = BmpReader::read(bmp);
    QCOMPARE(maxColourDifference(wallpaper, JpegCodec::decode(jpeg).toQImage()), 0);
    QCOMPARE_LE(maxColourDifference(wallpaper, mix.toQImage()), 8);
}

void TestMixFiles::withoutTheJpegMixHoldsTheBlendIn32Bits()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("Mix.Jpg"));
    const Bitmap mix = makeTestBitmap(64, 48);
    QVERIFY(!MixFiles::writeWallpaperFiles(mix, folderOf(dir)));
    const QByteArray bmp = readAll(dir.filePath("Mix.bmp"));
    QCOMPARE(bitCount(bmp), 32);
    QVERIFY(BmpReader::read(bmp) == mix);
}

QTEST_GUILESS_MAIN(TestMixFiles)
#include "tst_mixfiles.moc"
