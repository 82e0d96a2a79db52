#include "files/userdatafolder.h"

#include "files/fileerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// An installed template, read-only as a package lays it down, beside files
// that are not the layout's (a portable folder is its own template).
struct Template {
    QTemporaryDir dir;
    QString path = dir.filePath("share/paxelo-memo");

    Template()
    {
        for (const char *name : {"Data/UserData.mdb", "source/DeskTopBG/A1.bmp", "paxelo-memo", "source/x.so"}) {
            put(path + "/" + name, QByteArray("template ") + name);
            QFile::setPermissions(path + "/" + name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }
    }
};

} // namespace

class TestUserDataFolder : public QObject {
    Q_OBJECT
private slots:
    void eachUserGetsACopyOfTheTemplate();
    void keepsWhatTheUserHasAndAddsWhatIsMissing();
    void failuresNameTheFolder();
};

void TestUserDataFolder::eachUserGetsACopyOfTheTemplate()
{
    Template installed;
    QTemporaryDir homes;
    const QString first = homes.filePath("first/.local/share/paxelo-memo");
    const QString second = homes.filePath("second/.local/share/paxelo-memo");
    UserDataFolder(installed.path, first).fillMissing();
    UserDataFolder(installed.path, second).fillMissing();
    QCOMPARE(contents(first + "/Data/UserData.mdb"), QByteArray("template Data/UserData.mdb"));
    QCOMPARE(contents(first + "/source/DeskTopBG/A1.bmp"), QByteArray("template source/DeskTopBG/A1.bmp"));
    QCOMPARE(entries(first), (QStringList{"Data", "source"}));
    QCOMPARE(entries(first + "/source"), QStringList{"DeskTopBG"});
    // The copies are the user's to write; the users' notes stay apart.
    QVERIFY(QFile::permissions(first + "/Data/UserData.mdb") & QFile::WriteOwner);
    put(first + "/Data/UserData.mdb", "first's notes");
    QCOMPARE(contents(second + "/Data/UserData.mdb"), QByteArray("template Data/UserData.mdb"));
}

void TestUserDataFolder::keepsWhatTheUserHasAndAddsWhatIsMissing()
{
    Template installed;
    QTemporaryDir user;
    put(user.filePath("DATA/UserData.mdb"), "my notes");
    UserDataFolder(installed.path, user.path()).fillMissing();
    UserDataFolder(installed.path, user.path()).fillMissing();
    QCOMPARE(contents(user.filePath("DATA/UserData.mdb")), QByteArray("my notes"));
    QCOMPARE(entries(user.path()), (QStringList{"DATA", "source"}));
    QCOMPARE(contents(user.filePath("source/DeskTopBG/A1.bmp")), QByteArray("template source/DeskTopBG/A1.bmp"));
    // Without a template nothing is made.
    UserDataFolder(user.filePath("no-template"), user.filePath("other")).fillMissing();
    QVERIFY(!QFileInfo::exists(user.filePath("other")));
}

void TestUserDataFolder::failuresNameTheFolder()
{
    Template installed;
    QTemporaryDir dir;
    put(dir.filePath("taken"), "a file where the folder should be");
    try {
        UserDataFolder(installed.path, dir.filePath("taken/paxelo-memo")).fillMissing();
        QFAIL("no failure reported");
    } catch (const FileError &failure) {
        QVERIFY(QString::fromUtf8(failure.what()).contains(dir.filePath("taken/paxelo-memo")));
    }
}

QTEST_GUILESS_MAIN(TestUserDataFolder)
#include "tst_userdatafolder.moc"
