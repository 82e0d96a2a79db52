#include "store/tdm.h"
#include "support/tempappfolder.h"
#include "tools/storebuilder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

// A fresh store's bytes after `damage` ran on it.
QByteArray damagedStore(const QString &damage, qsizetype keptBytes = -1)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("store.mdb"));
    buildStore(QStringLiteral(PAXELO_SCHEMA_FILE), path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec(damage);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.read(keptBytes < 0 ? file.size() : keptBytes);
}

} // namespace

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
        QSqlQuery query(dm.database());
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
    QTest::newRow("store without a page table") << damagedStore(QStringLiteral("drop table tb_E")) << true;
    QTest::newRow("store cut short") << damagedStore(QStringLiteral("vacuum"), 8192) << true;
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
