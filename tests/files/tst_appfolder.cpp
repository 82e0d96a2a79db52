#include "files/appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAppFolder : public QObject {
    Q_OBJECT
private slots:
    void installedProgramsUseTheUserDataFolder();
    void portableFoldersHoldData();
    void findsEntriesThatDifferOnlyInCase();
    void keepsNamesThatExistInNoCase();
};

void TestAppFolder::installedProgramsUseTheUserDataFolder()
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    AppFolder::setRoot(QString());
    QCOMPARE(AppFolder::userDataFolder(), home.path() + "/paxelo-memo/");
    // The tests' own folder holds no Data/: like an installed program's.
    QVERIFY(!AppFolder::isPortable(AppFolder::programFolder()));
    QCOMPARE(AppFolder::programFolder(), QCoreApplication::applicationDirPath() + "/");
    QCOMPARE(AppFolder::root(), home.path() + "/paxelo-memo/");
    QDir::setCurrent(QDir::rootPath());
    QCOMPARE(AppFolder::root(), home.path() + "/paxelo-memo/");
    // No share folder beside the tests: the program folder is the template.
    QCOMPARE(AppFolder::templateFolder(), AppFolder::programFolder());
}

void TestAppFolder::portableFoldersHoldData()
{
    QTemporaryDir dir;
    QVERIFY(!AppFolder::isPortable(dir.path()));
    QFile(dir.filePath("Data")).open(QIODevice::WriteOnly);
    QVERIFY(!AppFolder::isPortable(dir.path())); // a file named Data
    QFile::remove(dir.filePath("Data"));
    QDir(dir.path()).mkdir("data");
    QVERIFY(AppFolder::isPortable(dir.path()));
    // A folder that cannot be written stays portable: tst_userpermissions,
    // as an ordinary user.
}

void TestAppFolder::findsEntriesThatDifferOnlyInCase()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("DATA");
    QDir(dir.path()).mkpath("source/DeskTopBG");
    QFile(dir.filePath("source/DeskTopBG/Mix.bmp")).open(QIODevice::WriteOnly);
    AppFolder::setRoot(dir.path());
    QCOMPARE(AppFolder::file("Data/FormSize.ini"), dir.path() + "/DATA/FormSize.ini");
    QCOMPARE(AppFolder::file("data/configSetBg.ini"), dir.path() + "/DATA/configSetBg.ini");
    QCOMPARE(AppFolder::file("source/DeskTopBG/Mix.Bmp"), dir.path() + "/source/DeskTopBG/Mix.bmp");
    QCOMPARE(AppFolder::file("SOURCE/desktopbg/"), dir.path() + "/source/DeskTopBG/");
    AppFolder::setRoot(QString());
}

void TestAppFolder::keepsNamesThatExistInNoCase()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Data");
    QFile(dir.filePath("Data/data")).open(QIODevice::WriteOnly);
    AppFolder::setRoot(dir.path());
    QCOMPARE(AppFolder::file("Data/BGPicList.ini"), dir.path() + "/Data/BGPicList.ini");
    QCOMPARE(AppFolder::file("Missing/Sub/x.txt"), dir.path() + "/Missing/Sub/x.txt");
    AppFolder::setRoot(QString());
}

QTEST_GUILESS_MAIN(TestAppFolder)
#include "tst_appfolder.moc"
