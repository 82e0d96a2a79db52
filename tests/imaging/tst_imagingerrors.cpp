#include "pixelcompare.h"

#include "imaging/bmpreader.h"
#include "imaging/gifdecoder.h"
#include "imaging/imagingerror.h"
#include "imaging/jpegcodec.h"
#include "imaging/picturefile.h"
#include "imaging/pngdecoder.h"
#include "imaging/webpdecoder.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Decode = Bitmap (*)(const QByteArray &);

} // namespace

Q_DECLARE_METATYPE(Decode)

namespace {

QByteArray pngFile()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    makeTestBitmap(40, 30).toQImage().save(&buffer, "PNG");
    return bytes;
}

QByteArray jpegFile()
{
    return JpegCodec::encode(makeTestBitmap(64, 48), 90);
}

// A JPEG whose scan is cut by markers that have no place there.
QByteArray jpegWithStrayMarkers()
{
    QByteArray file = jpegFile();
    for (qsizetype at = file.size() / 2; at < file.size() - 40; at += 16)
        file.replace(at, 2, "\xff\xc4");
    return file;
}

QByteArray riff(const QByteArray &chunk)
{
    QByteArray file = "RIFF" + QByteArray(4, '\0') + "WEBP" + chunk;
    const quint32 size = quint32(file.size() - 8);
    for (int i = 0; i < 4; ++i)
        file[4 + i] = char(size >> (8 * i));
    return file;
}

QString messageOf(Decode decode, const QByteArray &file)
{
    try {
        decode(file);
    } catch (const ImagingError &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class TestImagingErrors : public QObject {
    Q_OBJECT
private slots:
    void reasonsAreTheUsersWords_data();
    void reasonsAreTheUsersWords();
    void theFileIsNamedOnce();
};

void TestImagingErrors::reasonsAreTheUsersWords_data()
{
    QTest::addColumn<Decode>("decode");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    const Decode jpeg = JpegCodec::decode, png = PngDecoder::decode, gif = GifDecoder::decode,
                 webp = WebpDecoder::decode, bmp = BmpReader::read;
    QTest::newRow("JPEG: not one") << jpeg << QByteArray("\xbc\xc8 some text") << "无法读取 JPEG 图片：不是JPEG图片";
    QTest::newRow("JPEG: empty") << jpeg << QByteArray() << "无法读取 JPEG 图片：图片数据不完整";
    QTest::newRow("JPEG: cut short") << jpeg << jpegFile().chopped(200) << "无法读取 JPEG 图片：图片数据不完整";
    QTest::newRow("JPEG: header only") << jpeg << jpegFile().left(20) << "无法读取 JPEG 图片：图片数据不完整";
    QTest::newRow("JPEG: stray markers") << jpeg << jpegWithStrayMarkers() << "无法读取 JPEG 图片：图片数据已损坏";
    QTest::newRow("PNG: not one") << png << QByteArray("GIF89a and more") << "无法读取 PNG 图片：不是PNG图片";
    QTest::newRow("PNG: cut short") << png << pngFile().left(100) << "无法读取 PNG 图片：图片数据不完整";
    QByteArray badCrc = pngFile();
    badCrc[29] = char(badCrc[29] ^ 0x55);  // the header chunk's checksum
    QTest::newRow("PNG: bad checksum") << png << badCrc << "无法读取 PNG 图片：图片数据已损坏";
    QTest::newRow("GIF: not one") << gif << QByteArray("\x89PNG\r\n\x1a\n") << "无法读取 GIF 图片：不是GIF图片";
    QTest::newRow("GIF: cut short") << gif << QByteArray("GIF89a\x01\x00") << "无法读取 GIF 图片：图片数据不完整";
    QTest::newRow("WebP: not one") << webp << QByteArray("RIFF\x10\0\0\0WAVEfmt ") << "无法读取 WebP 图片：不是WebP图片";
    const QByteArray damagedWebp = riff("VP8 " + QByteArray("\x20\0\0\0", 4) + QByteArray(32, '\x5a'));
    QTest::newRow("WebP: cut short") << webp << damagedWebp.chopped(1) << "无法读取 WebP 图片：图片数据不完整";
    QTest::newRow("WebP: damaged") << webp << damagedWebp << "无法读取 WebP 图片：图片数据已损坏";
    QTest::newRow("BMP: cut short") << bmp << QByteArray("BM\x36\0\0\0") << "不是有效的 BMP 图片：文件不完整";
}

void TestImagingErrors::reasonsAreTheUsersWords()
{
    QFETCH(Decode, decode);
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    const QString message = messageOf(decode, file);
    QCOMPARE(message, reason);
    // Only the formats' own names are written in Latin letters.
    static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression formats(QStringLiteral("JPEG|PNG|GIF|WebP|BMP"));
    QVERIFY2(!QString(message).remove(formats).contains(latinWord), qPrintable(message));
}

void TestImagingErrors::theFileIsNamedOnce()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("风景.png"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(pngFile().left(100));
    file.close();
    for (const auto &decodeFile : {PngDecoder::decodeFile, GifDecoder::decodeFile, BmpReader::readFile}) {
        try {
            decodeFile(path);
            QFAIL("decoded");
        } catch (const ImagingError &e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.endsWith(QStringLiteral("（%1）").arg(QDir::toNativeSeparators(path))), e.what());
            QCOMPARE(message.count(QStringLiteral("风景.png")), 1);
        }
    }
    const QString bmp = folder.filePath(QStringLiteral("out.bmp"));
    try {
        JpegCodec::decodeToBmpFile(path, bmp);
        QFAIL("decoded");
    } catch (const ImagingError &e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("无法读取 JPEG 图片：不是JPEG图片（%1）").arg(QDir::toNativeSeparators(path)));
    }
    QVERIFY(!QFile::exists(bmp));
}

QTEST_GUILESS_MAIN(TestImagingErrors)
#include "tst_imagingerrors.moc"
