// Every file the program writes meets a full disk, a reader and a kill in
// mid-write as a whole file: the old one or the new one. The same program
// drives kill_during_writes.sh (the modes at the end of main).
#include "../imaging/pixelcompare.h"

#include "files/appfolder.h"
#include "files/atomicfile.h"
#include "files/linelist.h"
#include "imaging/bmpwriter.h"
#include "imaging/jpegcodec.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/mixpicture.h"
#include "wallpaper/piclistfile.h"
#include "wallpaper/pictureformats.h"
#include "wallpaper/pictureimport.h"
#include "wallpaper/pictureloader.h"
#include "wallpaper/uglobal.h"

#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

QString bgFolder(const QString &root)
{
    return root + QStringLiteral("/source/DeskTopBG/");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below root by its relative path, but the disk's filler.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String("/filler")))
            files.insert(path.mid(root.size()), readAll(path));
    }
    return files;
}

// Small old files, and the pictures an add brings, before the disk is full.
void writeOldFiles(const QString &root)
{
    for (const char *folder : {"Data", "source/DeskTopBG", "chosen", "start/Data"})
        QDir(root).mkpath(QString::fromLatin1(folder));
    LineList::write(root + QStringLiteral("/Data/BGPicList.ini"), {"A1.bmp", "A1.bmp", "big.bmp"});
    for (const char *name : {"big.bmp", "photo.bmp", "Content.bmp", "Mix.bmp"})
        BmpWriter::writeFile(makeTestBitmap(2, 2), bgFolder(root) + QString::fromLatin1(name), BmpWriter::Depth::Bits24);
    AtomicFile::write(bgFolder(root) + QStringLiteral("Mix.Jpg"), "old");
    BmpWriter::writeFile(makeTestBitmap(64, 64), root + QStringLiteral("/chosen/big.bmp"), BmpWriter::Depth::Bits24);
    AtomicFile::write(root + QStringLiteral("/chosen/photo.jpg"), JpegCodec::encode(makeTestBitmap(64, 64), 90));
}

void fillDisk(const QString &path)
{
    QFile filler(path);
    const QByteArray block(4096, 'x');
    if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        while (filler.write(block) > 0) { }
}

// Runs in a child on a full disk or under a file size limit of 0: every
// write must fail with a message naming its file, and leave every file as
// it was. Prints what went wrong; exits 0 when nothing did.
int writeOnFullDisk(const QString &root, bool fill)
{
    if (fill) {
        writeOldFiles(root);
        fillDisk(root + QStringLiteral("/filler"));
    }
    const QMap<QString, QByteArray> before = snapshot(root);
    QStringList problems;
    const auto expectFailure = [&](const QString &file, const std::function<void()> &write) {
        try {
            write();
            problems << file + QStringLiteral(": written");
        } catch (const std::exception &e) {
            const QString message = QString::fromUtf8(e.what());
            if (!message.contains(QStringLiteral("无法写入")) || !message.contains(file))
                problems << file + QStringLiteral(": ") + message;
        }
    };
    // A start with neither settings file creates no empty one.
    AppFolder::setRoot(root + QStringLiteral("/start"));
    QString defaultPic;
    int index = 0;
    expectFailure("BGPicList.ini", [&] { PicListFile::LoadPicList(false, defaultPic, index); });
    expectFailure("configSetBg.ini", [&] { uGlobal::readAskBeforeSetBg(AppFolder::file("Data/configSetBg.ini")); });
    AppFolder::setRoot(root);
    expectFailure("BGPicList.ini", [&] { PicListFile::SavePicListFile("A1.bmp", QStringList(300, "sky.bmp")); });
    expectFailure("big.bmp", [&] { PictureImport::importPicture(root + QStringLiteral("/chosen/big.bmp")); });
    expectFailure("photo.bmp", [&] { PictureImport::importPicture(root + QStringLiteral("/chosen/photo.jpg")); });
    expectFailure("Content.bmp", [&] {
        BmpWriter::writeFile(makeTestBitmap(64, 64), bgFolder(root) + "Content.bmp", BmpWriter::Depth::Bits24);
    });
    expectFailure("Mix.bmp", [&] { MixFiles::writeWallpaperFiles(makeTestBitmap(64, 64), bgFolder(root)); });
    const QMap<QString, QByteArray> after = snapshot(root);
    if (after != before)
        problems << QStringLiteral("files before: ") + before.keys().join(' ') + QStringLiteral("; after: ")
                + after.keys().join(' ') + QStringLiteral(" (or their bytes changed)");
    std::fputs(qPrintable(problems.join('\n')), stdout);
    return problems.isEmpty() ? 0 : 1;
}

// The kill script's folder: pictures to add in two versions (chosen/A,
// chosen/B), a background, and in ref/ every whole file an add or an apply
// of each version leaves.
const char *const versions[] = {"A", "B"};

Bitmap versionPicture(int version, int width, int height)
{
    return makeTestBitmap(width + 40 * version, height + 30 * version);
}

// The apply's files: Content.bmp, then the blend's Mix.Jpg and Mix.bmp.
void apply(const QString &root, int version)
{
    const QString folder = bgFolder(root);
    BmpWriter::writeFile(versionPicture(version, 316, 319), folder + "Content.bmp", BmpWriter::Depth::Bits24);
    Bitmap content = PictureLoader::load(folder + "Content.bmp");
    Bitmap background = PictureLoader::load(folder + "bg.bmp");
    MixFiles::writeWallpaperFiles(MixPicture(content, background, 30, 50, false), folder);
}

// The list window's add: the picture, then the list with one more row.
void add(const QString &root, int version)
{
    const QString list = root + QStringLiteral("/Data/BGPicList.ini");
    for (const char *name : {"big.jpg", "sky.bmp"}) {
        const auto picture = PictureImport::importPicture(root + "/chosen/" + versions[version] + '/' + name);
        LineList::write(list, LineList::read(list) << picture.row);
        PictureImport::place(picture);
    }
}

void prepareKills(const QString &root)
{
    for (const char *folder : {"Data", "source/DeskTopBG", "ref"})
        QDir(root).mkpath(QString::fromLatin1(folder));
    BmpWriter::writeFile(makeTestBitmap(1920, 1080), bgFolder(root) + "bg.bmp", BmpWriter::Depth::Bits24);
    QFile::copy(bgFolder(root) + "bg.bmp", root + "/ref/bg.bmp");
    LineList::write(root + "/Data/BGPicList.ini", {"bg.bmp", "bg.bmp"});
    for (int version : {0, 1}) {
        const QString chosen = root + "/chosen/" + versions[version] + '/';
        const QString ref = root + "/ref/" + versions[version] + '/';
        QDir().mkpath(chosen);
        QDir().mkpath(ref);
        AtomicFile::write(chosen + "big.jpg", JpegCodec::encode(versionPicture(version, 2400, 1600), 90));
        BmpWriter::writeFile(versionPicture(version, 1600, 1200), chosen + "sky.bmp", BmpWriter::Depth::Bits24);
        PictureFormats::of("big.jpg")->writeBmp(chosen + "big.jpg", ref + "big.bmp");
        QFile::copy(chosen + "sky.bmp", ref + "sky.bmp");
        apply(root, version);
        for (const char *name : {"Content.bmp", "Mix.bmp", "Mix.Jpg"})
            QFile::copy(bgFolder(root) + name, ref + name);
    }
    add(root, 0);
}

// After a kill: every listed picture and every file of the apply is one of
// the whole versions. A temporary left by the kill is told and removed.
int checkAfterKill(const QString &root)
{
    QStringList problems;
    const QString folder = bgFolder(root);
    const QByteArray listBytes = readAll(root + "/Data/BGPicList.ini");
    if (!listBytes.endsWith("\r\n"))
        problems << "BGPicList.ini is cut short";
    QSet<QString> known {"Content.bmp", "Mix.bmp", "Mix.Jpg"};
    for (const QString &row : LineList::splitLines(QString::fromLatin1(listBytes)))
        known << row;
    for (const QString &name : known) {
        QStringList candidates {root + "/ref/" + name};
        for (const char *version : versions)
            candidates << root + "/ref/" + version + '/' + name;
        const QByteArray bytes = readAll(folder + name);
        if (std::none_of(candidates.begin(), candidates.end(),
                         [&](const QString &ref) { return QFile::exists(ref) && readAll(ref) == bytes; }))
            problems << name + " is torn";
    }
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (!known.contains(name) && QFile::remove(folder + name))
            std::printf("left over by the kill: %s\n", qPrintable(name));
    std::fputs(qPrintable(problems.join('\n')), stdout);
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

class TestWriteSafety : public QObject {
    Q_OBJECT
private slots:
    void fullDiskLeavesEveryOldFile_data();
    void fullDiskLeavesEveryOldFile();
    void readerNeverSeesHalfAMix();
};

void TestWriteSafety::fullDiskLeavesEveryOldFile_data()
{
    QTest::addColumn<bool>("fullFileSystem");
    QTest::newRow("file size limit 0") << false;
    QTest::newRow("full file system") << true;
}

void TestWriteSafety::fullDiskLeavesEveryOldFile()
{
    QFETCH(bool, fullFileSystem);
    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    if (fullFileSystem) {
        // A small file system of our own, in a mount namespace that ends
        // with the child.
        child.start("unshare", {"-m", "sh", "-c",
                                "mount -t tmpfs -o size=1m tmpfs \"$1\" 2>/dev/null || exit 77;"
                                "exec \"$0\" --write-on-full-disk \"$1\" fill",
                                self, dir.path()});
    } else {
        writeOldFiles(dir.path());
        child.start("sh", {"-c", "trap '' XFSZ; ulimit -f 0; exec \"$0\" --write-on-full-disk \"$1\"", self, dir.path()});
    }
    QVERIFY(child.waitForFinished(60000));
    if (fullFileSystem && (child.exitCode() == 77 || child.error() == QProcess::FailedToStart))
        QSKIP("no tmpfs can be mounted here");
    QCOMPARE(QString::fromUtf8(child.readAll()), QString());
    QCOMPARE(child.exitCode(), 0);
}

void TestWriteSafety::readerNeverSeesHalfAMix()
{
    // In memory where there is such a file system: syncing 600 files to a
    // disk takes seconds and changes nothing about what a reader sees.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir dir(QFileInfo(shm).isWritable() ? shm + QStringLiteral("/tst_writesafety-XXXXXX") : QString());
    const QString folder = dir.path() + QLatin1Char('/');
    const Bitmap blends[2] {makeTestBitmap(640, 480), makeTestBitmap(500, 400)};
    QSet<QByteArray> whole;
    for (const Bitmap &blend : blends) {
        MixFiles::writeWallpaperFiles(blend, folder);
        whole << readAll(MixFiles::mixBmpPath(folder));
    }
    std::atomic<bool> done = false;
    int reads = 0, torn = 0;
    std::thread reader([&] {
        for (; !done; ++reads)
            torn += whole.contains(readAll(MixFiles::mixBmpPath(folder))) ? 0 : 1;
    });
    for (int apply = 0; apply < 200; ++apply)
        MixFiles::writeWallpaperFiles(blends[apply % 2], folder);
    done = true;
    reader.join();
    QCOMPARE_GT(reads, 200);
    QCOMPARE(torn, 0);
}

int main(int argc, char **argv)
{
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (mode == QLatin1String("--write-on-full-disk"))
        return writeOnFullDisk(root, argc > 3);
    // The kill script's steps: each loop runs until it is killed.
    if (mode.endsWith(QLatin1String("-kills")) || mode.endsWith(QLatin1String("-loop")))
        AppFolder::setRoot(root);
    if (mode == QLatin1String("--prepare-kills"))
        return prepareKills(root), 0;
    if (mode == QLatin1String("--check-kills"))
        return checkAfterKill(root);
    for (int round = 0; mode == QLatin1String("--add-loop"); ++round)
        add(root, round % 2);
    for (int round = 0; mode == QLatin1String("--apply-loop"); ++round)
        apply(root, round % 2);
    QCoreApplication app(argc, argv);
    TestWriteSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_writesafety.moc"
