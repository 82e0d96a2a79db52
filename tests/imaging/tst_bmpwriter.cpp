#include "pixelcompare.h"

#include "files/fileerror.h"
#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class TestBmpWriter : public QObject {
    Q_OBJECT
private slots:
    void writesBottomUpUncompressed_data();
    void writesBottomUpUncompressed();
    void replacesAnExistingFile();
    void unwritablePathThrows();
};

void TestBmpWriter::writesBottomUpUncompressed_data()
{
    QTest::addColumn<BmpWriter::Depth>("depth");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rowBytes");
    QTest::newRow("24-bit, rows padded") << BmpWriter::Depth::Bits24 << 5 << 16;
    QTest::newRow("24-bit, no padding") << BmpWriter::Depth::Bits24 << 4 << 12;
    QTest::newRow("32-bit") << BmpWriter::Depth::Bits32 << 5 << 20;
}

void TestBmpWriter::writesBottomUpUncompressed()
{
    QFETCH(BmpWriter::Depth, depth);
    QFETCH(int, width);
    QFETCH(int, rowBytes);
    const Bitmap bitmap = makeTestBitmap(width, 3);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bmp");
    BmpWriter::writeFile(bitmap, path, depth);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const char *h = bytes.constData();
    QCOMPARE(bytes.size(), 54 + 3 * rowBytes);
    QCOMPARE(qFromLittleEndian<quint32>(h + 2), quint32(bytes.size()));
    QCOMPARE(qFromLittleEndian<quint32>(h + 10), 54u);
    QCOMPARE(qFromLittleEndian<qint32>(h + 22), 3); // positive: bottom-up
    QCOMPARE(qFromLittleEndian<quint16>(h + 28), quint16(depth));
    QCOMPARE(qFromLittleEndian<quint32>(h + 30), 0u);
    // The first stored row is the bottom one.
    QCOMPARE(uchar(bytes[54]), bitmap.scanLine(2)[0]);

    QCOMPARE(maxColourDifference(bitmap, QImage(path)), 0);
    const Bitmap back = BmpReader::readFile(path);
    QCOMPARE(maxColourDifference(back, bitmap.toQImage()), 0);
    if (depth == BmpWriter::Depth::Bits32)
        QVERIFY(back == bitmap);
}

void TestBmpWriter::replacesAnExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Mix.bmp");
    BmpWriter::writeFile(makeTestBitmap(300, 200), path, BmpWriter::Depth::Bits32);
    BmpWriter::writeFile(makeTestBitmap(2, 2), path, BmpWriter::Depth::Bits24);
    QCOMPARE(QFileInfo(path).size(), 54 + 2 * 8);
}

void TestBmpWriter::unwritablePathThrows()
{
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(FileError, BmpWriter::writeFile(Bitmap(2, 2), dir.filePath("no/such/folder.bmp"),
                                                                BmpWriter::Depth::Bits24));
}

QTEST_GUILESS_MAIN(TestBmpWriter)
#include "tst_bmpwriter.moc"
