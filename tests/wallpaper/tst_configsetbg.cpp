#include "support/tempappfolder.h"
#include "wallpaper/uglobal.h"

#include <QFileInfo>
#include <QTest>

class TestConfigSetBg : public QObject {
    Q_OBJECT
private slots:
    void missingFileIsCreatedAsking();
    void firstLineDecides_data();
    void firstLineDecides();
    void doNotAskWritesZero();
};

void TestConfigSetBg::missingFileIsCreatedAsking()
{
    TempAppFolder folder;
    const QString path = folder.path("Data/configSetBg.ini");
    QVERIFY(uGlobal::readAskBeforeSetBg(path));
    QCOMPARE(folder.readFile("Data/configSetBg.ini"), QByteArray("1\r\n"));
}

void TestConfigSetBg::firstLineDecides_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ask");
    QTest::newRow("1") << QByteArray("1\r\n") << true;
    QTest::newRow("2") << QByteArray("2\r\n") << true;
    QTest::newRow("0") << QByteArray("0\r\n") << false;
    QTest::newRow("-3") << QByteArray("-3\r\n") << false;
    QTest::newRow("0 then more") << QByteArray("0\r\n1\r\n5\r\n") << false;
    QTest::newRow("no line end") << QByteArray("0") << false;
    QTest::newRow("abc") << QByteArray("abc\r\n") << true;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("empty first line") << QByteArray("\r\n0\r\n") << true;
}

void TestConfigSetBg::firstLineDecides()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, ask);
    TempAppFolder folder;
    folder.writeFile("Data/configSetBg.ini", content);
    QCOMPARE(uGlobal::readAskBeforeSetBg(folder.path("Data/configSetBg.ini")), ask);
    QCOMPARE(folder.readFile("Data/configSetBg.ini"), content);
}

void TestConfigSetBg::doNotAskWritesZero()
{
    TempAppFolder folder;
    folder.writeFile("Data/configSetBg.ini", "1\r\nkept?\r\n");
    uGlobal::writeDoNotAsk(folder.path("Data/configSetBg.ini"));
    QCOMPARE(folder.readFile("Data/configSetBg.ini"), QByteArray("0\r\n"));
    QVERIFY(!uGlobal::readAskBeforeSetBg(folder.path("Data/configSetBg.ini")));
}

QTEST_GUILESS_MAIN(TestConfigSetBg)
#include "tst_configsetbg.moc"
