#include "text/appfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAppFolder : public QObject {
    Q_OBJECT
private slots:
    void defaultsToTheExecutableFolder();
    void findsEntriesThatDifferOnlyInCase();
    void keepsNamesThatExistInNoCase();
};

void TestAppFolder::defaultsToTheExecutableFolder()
{
    AppFolder::setRoot(QString());
    QCOMPARE(AppFolder::root(), QCoreApplication::applicationDirPath() + "/");
    QDir::setCurrent(QDir::rootPath());
    QCOMPARE(AppFolder::root(), QCoreApplication::applicationDirPath() + "/");
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
