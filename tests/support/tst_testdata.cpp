#include "support/testdata.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QtTest>

// The samples from other programs are the repository's own copies: each must
// be there, unchanged, and accounted for in SOURCES.md.
class TestTestData : public QObject
{
    Q_OBJECT
private slots:
    void everyListedFileHasItsChecksum();
    void everySampleIsListedWithItsSource();
};

namespace {

// "<sha256>  <relative path>" per line, as sha256sum writes it.
QMap<QString, QByteArray> listedSums()
{
    QMap<QString, QByteArray> sums;
    QFile list(testData("SHA256SUMS"));
    if (!list.open(QIODevice::ReadOnly))
        return sums;
    while (!list.atEnd()) {
        const QByteArray line = list.readLine().trimmed();
        const qsizetype gap = line.indexOf("  ");
        if (gap == 64)
            sums.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap));
    }
    return sums;
}

QByteArray sha256Of(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

} // namespace

void TestTestData::everyListedFileHasItsChecksum()
{
    const QMap<QString, QByteArray> sums = listedSums();
    // The corpus as copied; a sample added later is counted here too.
    QCOMPARE(sums.size(), 152);
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        QVERIFY2(sha256Of(testData(it.key())) == it.value(), qPrintable(it.key() + " is missing or changed"));
}

void TestTestData::everySampleIsListedWithItsSource()
{
    const QMap<QString, QByteArray> sums = listedSums();
    QFile sources(testData("SOURCES.md"));
    QVERIFY(sources.open(QIODevice::ReadOnly));
    const QString described = QString::fromUtf8(sources.readAll());
    QSet<QString> found;
    for (const QString folder : {"bmp", "jpeg-gif", "rtf"}) {
        QDirIterator files(testData(folder), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString relative = QDir(testData(QString())).relativeFilePath(files.next());
            QVERIFY2(sums.contains(relative), qPrintable(relative + " has no checksum"));
            QVERIFY2(described.contains(QFileInfo(relative).fileName()), qPrintable(relative + " has no source"));
            found.insert(relative);
        }
    }
    QCOMPARE(found.size(), sums.size());
}

QTEST_GUILESS_MAIN(TestTestData)
#include "tst_testdata.moc"
