#include "richtext/richtext.h"
#include "store/pagestore.h"
#include "store/tdm.h"
#include "support/tempappfolder.h"
#include "tools/storebuilder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTextDocument>

#include <unistd.h>

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

// Runs `open` as an ordinary user: the superuser may write anywhere.
template <typename Open>
void asOrdinaryUser(Open &&open)
{
    const bool superuser = geteuid() == 0;
    if (superuser)
        QVERIFY(seteuid(65534) == 0);
    open();
    if (superuser)
        QVERIFY(seteuid(0) == 0);
}

} // namespace

class TestOpenDatabase : public QObject {
    Q_OBJECT
private slots:
    void opensTheStagedStoreWithItsRows();
    void refusesWhatIsNotAStore_data();
    void refusesWhatIsNotAStore();
    void aStoreThatCannotBeWrittenOpensReadOnly_data();
    void aStoreThatCannotBeWrittenOpensReadOnly();
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

void TestOpenDatabase::aStoreThatCannotBeWrittenOpensReadOnly_data()
{
    QTest::addColumn<QString>("locked");
    QTest::addColumn<QString>("named");
    QTest::newRow("folder read-only") << QStringLiteral("Data") << QStringLiteral("文件夹");
    QTest::newRow("file read-only") << QStringLiteral("Data/UserData.mdb") << QStringLiteral("文件");
}

void TestOpenDatabase::aStoreThatCannotBeWrittenOpensReadOnly()
{
    QFETCH(QString, locked);
    QFETCH(QString, named);
    TempAppFolder folder;
    {
        TDM setUp;
        QVERIFY(setUp.OpenDatabase());
        QTextDocument page;
        page.setPlainText(QStringLiteral("只读的记事"));
        PageStore(setUp, [](const QString &) {}).SaveAbcPage(2, page);
    }
    // Open to everyone, the locked one only for reading; the group's rights
    // count as well, as the ordinary user stays in the superuser's group.
    const auto all = QFile::Permissions(0x7777);
    const auto readable = QFile::Permissions(0x5555);
    for (const char *path : {"", "Data", "Data/UserData.mdb"})
        QFile::setPermissions(folder.path(path), path == locked ? readable : all);
    const QByteArray before = folder.readFile("Data/UserData.mdb");

    TDM dm;
    bool opened = false;
    asOrdinaryUser([&] { opened = dm.OpenDatabase(); });
    QVERIFY2(opened, qPrintable(dm.lastError()));
    QVERIFY(dm.readOnlyReason().contains(named));
    QVERIFY(dm.readOnlyReason().contains(QDir::toNativeSeparators(folder.path(locked))));

    QStringList messages;
    PageStore pages(dm, [&](const QString &text) { messages.append(text); });
    QTextDocument board;
    pages.LoadAbcPage(2, board);
    QCOMPARE(board.toPlainText(), QStringLiteral("只读的记事"));
    QVERIFY(!pages.boardEditable());
    QVERIFY(pages.saveBeforeLeaving(2, board));
    pages.SaveAbcPage(2, board);
    QVERIFY(messages.isEmpty());
    QCOMPARE(folder.readFile("Data/UserData.mdb"), before);
    QFile::setPermissions(folder.path(locked), all);
}

QTEST_GUILESS_MAIN(TestOpenDatabase)
#include "tst_opendatabase.moc"
