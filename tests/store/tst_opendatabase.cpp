#include "store/tdm.h"
#include "support/tempappfolder.h"

#include <QSqlQuery>
#include <QTest>

class TestOpenDatabase : public QObject {
    Q_OBJECT
private slots:
    void opensTheStagedStoreWithItsRows();
    void refusesWhatIsNotAStore_data();
    void refusesWhatIsNotAStore();
};

void TestOpenDatabase::opensTheStagedStoreWithItsRows()
{
    TempAppFolder folder;
    QVERIFY(folder.isValid());
    TDM dm;
    QVERIFY2(dm.OpenDatabase(), qPrintable(dm.lastError()));
    for (const char *table : {"tb_A", "tb_B", "tb_C", "tb_D", "tb_E"}) {
        QSqlQuery query(dm.AdoCon);
        QVERIFY(query.exec(QStringLiteral("select ID, SundayCon from %1").arg(table)));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QVERIFY(query.value(1).toByteArray().startsWith("{\\rtf1"));
        QVERIFY(!query.next());
    }
}

void TestOpenDatabase::refusesWhatIsNotAStore_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("text file") << QByteArray("this is not a database\r\n") << true;
    QTest::newRow("empty file") << QByteArray() << true;
}

void TestOpenDatabase::refusesWhatIsNotAStore()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    TempAppFolder folder(false);
    if (present)
        folder.writeFile("Data/UserData.mdb", content);
    const QStringList before = folder.entries("Data");
    {
        TDM dm;
        QVERIFY(!dm.OpenDatabase());
        QVERIFY(!dm.lastError().isEmpty());
    }
    QCOMPARE(folder.entries("Data"), before);
    if (present)
        QCOMPARE(folder.readFile("Data/UserData.mdb"), content);
}

QTEST_GUILESS_MAIN(TestOpenDatabase)
#include "tst_opendatabase.moc"
