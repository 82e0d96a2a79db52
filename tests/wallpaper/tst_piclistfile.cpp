#include "support/tempappfolder.h"

#include "files/gbk.h"
#include "wallpaper/piclistfile.h"
#include "wallpaper/uglobal.h"

#include <QTest>

class TestPicListFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void missingFileIsWrittenWithTheStandardPicture();
    void loadPlacesTheIndex_data();
    void loadPlacesTheIndex();
    void emptyFileKeepsTheEarlierList();
    void saveWritesDefaultThenRows();
    void windowReadsDefaultAndRows_data();
    void windowReadsDefaultAndRows();
};

namespace {

QStringList names()
{
    QStringList out;
    for (int i = 0; i < uGlobal::PicList.size(); ++i) {
        if (uGlobal::PicList.at(i).PicIndex != i)
            return {QStringLiteral("PicIndex %1 at position %2").arg(uGlobal::PicList.at(i).PicIndex).arg(i)};
        out << uGlobal::PicList.at(i).PicName;
    }
    return out;
}

const char *listFile = "Data/BGPicList.ini";

} // namespace

void TestPicListFile::init()
{
    uGlobal::PicList.clear();
    uGlobal::PicCount = 0;
}

void TestPicListFile::missingFileIsWrittenWithTheStandardPicture()
{
    TempAppFolder folder(false);
    QString defaultPic;
    int curPicIndex = 5;
    PicListFile::LoadPicList(false, defaultPic, curPicIndex);
    QCOMPARE(folder.readFile(listFile), QByteArray("A1.bmp\r\nA1.bmp\r\n"));
    QCOMPARE(defaultPic, QStringLiteral("A1.bmp"));
    QCOMPARE(uGlobal::PicCount, 2);
    QCOMPARE(names(), QStringList({"A1.bmp", "A1.bmp"}));
    QCOMPARE(curPicIndex, 0);
}

void TestPicListFile::loadPlacesTheIndex_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("followDefault");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("last");
    QTest::newRow("last row") << QByteArray("A1.bmp\r\nA1.bmp\r\nsky.bmp\r\n") << false << 3 << 2 << "sky.bmp";
    QTest::newRow("follow the default") << QByteArray("sky.bmp\r\nA1.bmp\r\nsky.bmp\r\n") << true << 3 << 2
                                        << "sky.bmp";
    QTest::newRow("follow, default repeated") << QByteArray("sky.bmp\r\nsky.bmp\r\nsea.bmp\r\nsky.bmp\r\nA1.bmp\r\n")
                                              << true << 5 << 3 << "A1.bmp";
    QTest::newRow("follow, default not listed") << QByteArray("sun.bmp\r\nA1.bmp\r\nsky.bmp\r\n") << true << 3 << 0
                                                << "sky.bmp";
    QTest::newRow("only the default") << QByteArray("A1.bmp\r\n") << false << 1 << 0 << "A1.bmp";
    QTest::newRow("names compared exactly") << QByteArray("Sky.bmp\r\nsky.bmp\r\nSky.bmp \r\n") << true << 3 << 0
                                            << "Sky.bmp ";
    QTest::newRow("LF and no last line end") << QByteArray("A1.bmp\nsea.bmp\nsky.bmp") << false << 3 << 2 << "sky.bmp";
    QTest::newRow("empty lines count") << QByteArray("A1.bmp\r\n\r\nsea.bmp\r\n\r\n") << false << 4 << 3 << "";
}

void TestPicListFile::loadPlacesTheIndex()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, followDefault);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QString, last);
    TempAppFolder folder(false);
    folder.writeFile(listFile, content);
    QString defaultPic;
    int curPicIndex = -7;
    PicListFile::LoadPicList(followDefault, defaultPic, curPicIndex);
    QCOMPARE(uGlobal::PicCount, count);
    QCOMPARE(uGlobal::PicList.size(), count);
    QCOMPARE(curPicIndex, index);
    QCOMPARE(defaultPic, uGlobal::PicList.first().PicName);
    QCOMPARE(names().last(), last);
    QCOMPARE(folder.readFile(listFile), content);
}

void TestPicListFile::emptyFileKeepsTheEarlierList()
{
    TempAppFolder folder(false);
    folder.writeFile(listFile, "sky.bmp\r\nsea.bmp\r\n");
    QString defaultPic;
    int curPicIndex = 0;
    PicListFile::LoadPicList(false, defaultPic, curPicIndex);

    folder.writeFile(listFile, QByteArray());
    PicListFile::LoadPicList(true, defaultPic, curPicIndex);
    QCOMPARE(uGlobal::PicCount, 0);
    QCOMPARE(names(), QStringList({"sky.bmp", "sea.bmp"}));
    QCOMPARE(defaultPic, QStringLiteral("sky.bmp"));
    QCOMPARE(curPicIndex, 1);
    QCOMPARE(folder.readFile(listFile), QByteArray());
}

void TestPicListFile::saveWritesDefaultThenRows()
{
    TempAppFolder folder(false);
    PicListFile::SavePicListFile(QStringLiteral("海边.bmp"), {"A1.bmp", "海边.bmp", " sky.bmp"});
    QCOMPARE(folder.readFile(listFile), Gbk::encode(QStringLiteral("海边.bmp\r\nA1.bmp\r\n海边.bmp\r\n sky.bmp\r\n")));
}

void TestPicListFile::windowReadsDefaultAndRows_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QVariant>("defaultPic");
    QTest::addColumn<QVariant>("rows");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::newRow("rows") << QByteArray("sky.bmp\r\nA1.bmp\r\nsky.bmp\r\n") << QVariant("sky.bmp")
                          << QVariant(QStringList {"A1.bmp", "sky.bmp"}) << QByteArray("sky.bmp\r\nA1.bmp\r\nsky.bmp\r\n");
    QTest::newRow("only the default") << QByteArray("A1.bmp\r\n") << QVariant("A1.bmp") << QVariant(QStringList {})
                                      << QByteArray("A1.bmp\r\n");
    QTest::newRow("empty file changes nothing") << QByteArray() << QVariant() << QVariant() << QByteArray();
    QTest::newRow("missing file") << QByteArray("missing") << QVariant("A1.bmp") << QVariant()
                                  << QByteArray("A1.bmp\r\nA1.bmp\r\n");
}

void TestPicListFile::windowReadsDefaultAndRows()
{
    QFETCH(QByteArray, content);
    QFETCH(QVariant, defaultPic);
    QFETCH(QVariant, rows);
    QFETCH(QByteArray, fileAfter);
    TempAppFolder folder(false);
    if (content != "missing")
        folder.writeFile(listFile, content);
    const PicListFile::WindowList list = PicListFile::FillPicList();
    QCOMPARE(list.defaultPic.has_value(), defaultPic.isValid());
    QCOMPARE(list.defaultPic.value_or(QString()), defaultPic.toString());
    QCOMPARE(list.rows.has_value(), rows.isValid());
    QCOMPARE(list.rows.value_or(QStringList()), rows.toStringList());
    QCOMPARE(folder.readFile(listFile), fileAfter);
}

QTEST_GUILESS_MAIN(TestPicListFile)
#include "tst_piclistfile.moc"
