// What an ordinary user's files look like to the program and to others:
// ctest runs this file as a throwaway uid, since the superuser may read and
// write every file whatever its permissions.
#include "files/appfolder.h"
#include "files/atomicfile.h"
#include "files/userdatafolder.h"
#include "store/tdm.h"
#include "support/tempappfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(AtomicFile::Durability)

namespace {

using Permissions = QFile::Permissions;
constexpr Permissions kPrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr Permissions kPrivateFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr Permissions kOpenFile = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr Permissions kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                        | QFile::ReadOther | QFile::ExeOther;

// The mode bits alone, without what the running user happens to be allowed.
Permissions modeOf(const QString &path)
{
    return QFile::permissions(path) & ~Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

void put(const QString &path, const QByteArray &bytes, Permissions permissions)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QVERIFY(QFile::setPermissions(path, permissions));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Makes `folder` read-only while it lives, as a medium that cannot be written.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder)
        : m_folder(std::move(folder))
        , m_before(modeOf(m_folder))
    {
        QFile::setPermissions(m_folder, kReadOnlyFolder);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(m_folder, m_before); }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_folder;
    Permissions m_before;
};

} // namespace

class TestUserPermissions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theUsersDataFolderIsTheirsAlone();
    void newFilesAreTheUsersAloneReplacedOnesKeepTheirMode_data();
    void newFilesAreTheUsersAloneReplacedOnesKeepTheirMode();
    void aFailedCommitIsReportedAndLeavesTheOldFile_data();
    void aFailedCommitIsReportedAndLeavesTheOldFile();
    void aPortableFolderThatCannotBeWrittenStaysPortable();
};

void TestUserPermissions::initTestCase()
{
    if (geteuid() == 0)
        QSKIP("the superuser may read and write every file: ctest runs this test as a throwaway uid");
}

void TestUserPermissions::theUsersDataFolderIsTheirsAlone()
{
    // A template as a package lays it down: open to everyone, read-only.
    QTemporaryDir installed;
    for (const char *name : {"Data/UserData.mdb", "Data/BGPicList.ini", "source/DeskTopBG/A1.bmp"})
        put(installed.filePath(name), name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QTemporaryDir home;
    const QString dataHome = home.filePath(".local/share");
    const QString target = dataHome + "/paxelo-memo";
    UserDataFolder(installed.path(), target).fillMissing();

    for (const QString &folder : {home.filePath(".local"), dataHome, target, target + "/Data", target + "/source",
                                  target + "/source/DeskTopBG"})
        QCOMPARE(modeOf(folder), kPrivateFolder);
    for (const char *name : {"Data/UserData.mdb", "Data/BGPicList.ini", "source/DeskTopBG/A1.bmp"}) {
        QCOMPARE(modeOf(target + "/" + name), kPrivateFile);
        QCOMPARE(contents(target + "/" + name), QByteArray(name));
    }
}

void TestUserPermissions::newFilesAreTheUsersAloneReplacedOnesKeepTheirMode_data()
{
    QTest::addColumn<AtomicFile::Durability>("durability");
    QTest::newRow("settings file") << AtomicFile::Durability::Synced;
    QTest::newRow("generated picture") << AtomicFile::Durability::Regenerated;
}

void TestUserPermissions::newFilesAreTheUsersAloneReplacedOnesKeepTheirMode()
{
    QFETCH(AtomicFile::Durability, durability);
    QTemporaryDir dir;
    const QString made = dir.filePath("made.ini");
    AtomicFile::write(made, "new", durability);
    QCOMPARE(modeOf(made), kPrivateFile);

    // The user opened these to others, or closed them further: their choice stays.
    for (const Permissions mode : {kOpenFile, Permissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup)}) {
        const QString replaced = dir.filePath("replaced.ini");
        put(replaced, "old", mode);
        AtomicFile::write(replaced, "replacement", durability);
        QCOMPARE(contents(replaced), QByteArray("replacement"));
        QCOMPARE(modeOf(replaced), mode);
    }
}

void TestUserPermissions::aFailedCommitIsReportedAndLeavesTheOldFile_data()
{
    newFilesAreTheUsersAloneReplacedOnesKeepTheirMode_data();
}

void TestUserPermissions::aFailedCommitIsReportedAndLeavesTheOldFile()
{
    QFETCH(AtomicFile::Durability, durability);
    QTemporaryDir dir;
    const QString path = dir.filePath("FormSize.ini");
    put(path, "old content", kPrivateFile);
    AtomicFile file(path, durability);
    file.write("new content", 11);
    {
        // The folder cannot be written by now: the new file cannot be renamed over the old one.
        ReadOnlyFolder locked(dir.path());
        try {
            file.commit();
            QFAIL("a commit that could not rename was taken for a success");
        } catch (const FileError &failure) {
            QVERIFY2(QString::fromStdString(failure.what()).startsWith("无法写入文件 " + path + "："), failure.what());
        }
    }
    QCOMPARE(contents(path), QByteArray("old content"));
}

void TestUserPermissions::aPortableFolderThatCannotBeWrittenStaysPortable()
{
    TempAppFolder folder;
    QVERIFY(folder.isValid());
    const QByteArray before = folder.readFile("Data/UserData.mdb");
    ReadOnlyFolder medium(folder.path("Data"));
    ReadOnlyFolder program(folder.root());
    QVERIFY(!QFileInfo(folder.root()).isWritable());
    QVERIFY(AppFolder::isPortable(folder.root()));

    // The notes open there, read-only, saying why.
    TDM dm;
    QVERIFY2(dm.OpenDatabase(), qPrintable(dm.lastError()));
    QCOMPARE(dm.readOnlyReason(), QStringLiteral("文件夹 %1 不允许写入").arg(folder.path("Data")));
    QCOMPARE(folder.readFile("Data/UserData.mdb"), before);
}

QTEST_GUILESS_MAIN(TestUserPermissions)
#include "tst_userpermissions.moc"
