// The list window's add, clicked as a user clicks it: what it lists, what it
// refuses and tells in one message, and that it leaves nothing unlisted.
#include "../imaging/magick.h"
#include "../imaging/pixelcompare.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/testdata.h"

#include "imaging/bmpreader.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/xpbutton.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

namespace {

const QString kFolder = QStringLiteral("source/DeskTopBG");

QStringList rows(const TPicSelFrm &window)
{
    QStringList result;
    for (int i = 0; i < window.LVpic->topLevelItemCount(); ++i)
        result.append(window.LVpic->topLevelItem(i)->text(0));
    return result;
}

void clickAdd(TPicSelFrm &window)
{
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      window.btnAdd->mapTo(&window, window.btnAdd->rect().center()));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestPictureAdd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void addsReadablePicturesAndNamesTheOthers();
    void listThatCannotBeSavedChangesNothing();
    void namesWithALineBreakAreRefused();

private:
    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<QWidget> m_owner;
    TPicSelFrm *m_window = nullptr;
    QTemporaryDir m_outside;
};

void TestPictureAdd::init()
{
    m_folder = std::make_unique<TempAppFolder>(false);
    m_folder->writeFile("Data/BGPicList.ini", "A1.bmp\r\nA1.bmp\r\n");
    m_owner = std::make_unique<QWidget>();
    m_window = new TPicSelFrm(m_owner.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPictureAdd::cleanup()
{
    m_owner.reset();
    m_folder.reset();
}

void TestPictureAdd::addsReadablePicturesAndNamesTheOthers()
{
    if (Magick::tool().isEmpty())
        QSKIP("ImageMagick's convert is not installed");
    const QString png = m_outside.filePath("p.png"), webp = m_outside.filePath("w.webp");
    const QStringList glass {"-size", "61x47", "-seed", "8", "plasma:", "-alpha", "set", "-channel", "A", "-evaluate",
                             "set", "70%", "+channel"};
    QVERIFY(Magick::run(glass + QStringList {png}) && Magick::run(glass + QStringList {webp}));
    QFile pngFile(png);
    QVERIFY(pngFile.open(QIODevice::ReadOnly));
    writeFile(m_outside.filePath("broken.png"), pngFile.read(300));
    QVERIFY(QFile::copy(testData("jpeg-gif/pillow_truncated_jpeg.jpg"), m_outside.filePath("cut.jpg")));
    writeFile(m_outside.filePath("icon.ico"), "\0\0\1\0");
    QVERIFY(QDir(m_outside.path()).mkdir("folder.jpg"));
    QCOMPARE(QProcess::execute("mkfifo", {m_outside.filePath("fifo.bmp")}), 0);
    // An older p.bmp is replaced; a BMP picked in the folder itself stays.
    m_folder->writeFile(kFolder + "/p.bmp", "old");
    QVERIFY(makeTestBitmap(30, 20).toQImage().save(m_folder->path(kFolder + "/sky.bmp"), "BMP"));
    const QByteArray sky = m_folder->readFile(kFolder + "/sky.bmp");

    ScriptedDialogs dialogs;
    dialogs.openAnswers = {{m_outside.filePath("cut.jpg"), png, m_outside.filePath("gone.jpg"), m_outside.filePath("fifo.bmp"),
                            m_outside.filePath("folder.jpg"), m_outside.filePath("broken.png"), webp,
                            m_outside.filePath("icon.ico"), m_folder->path(kFolder + "/sky.bmp")}};
    clickAdd(*m_window);

    QCOMPARE(dialogs.openCaptions, QStringList {"所有图片(*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.webp)"});
    QCOMPARE(rows(*m_window), (QStringList {"A1.bmp", "p.bmp", "w.bmp", "sky.bmp"}));
    QCOMPARE(m_folder->readFile("Data/BGPicList.ini"), QByteArray("A1.bmp\r\nA1.bmp\r\np.bmp\r\nw.bmp\r\nsky.bmp\r\n"));
    QCOMPARE(m_folder->entries(kFolder), (QStringList {"p.bmp", "sky.bmp", "w.bmp"}));
    QCOMPARE(m_folder->readFile(kFolder + "/sky.bmp"), sky);
    for (const QString &name : {QStringLiteral("p"), QStringLiteral("w")}) {
        const QString source = name == "p" ? png : webp;
        const QImage reference = Magick::decode(source, m_outside.filePath("reference.ppm"), {"-background", "white", "-flatten"});
        QCOMPARE_LE(maxColourDifference(BmpReader::readFile(m_folder->path(kFolder + '/' + name + ".bmp")), reference), 1);
    }
    QCOMPARE(dialogs.errors.size(), 1);
    const QStringList lines = dialogs.errors.first().split('\n');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.first(), QStringLiteral("以下文件没有添加："));
    for (const char *line : {"gone.jpg：文件不存在", "fifo.bmp：不是普通文件", "folder.jpg：不是普通文件", "icon.ico：不支持的图片格式"})
        QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
    for (const char *start : {"cut.jpg：无法读取的图片（无法读取 JPEG 图片：图片数据不完整（",
                              "broken.png：无法读取的图片（无法读取 PNG 图片：图片数据不完整（"})
        QVERIFY2(std::any_of(lines.begin(), lines.end(), [&](const QString &line) { return line.startsWith(QString::fromUtf8(start)); }), start);
    // Every reason in the user's words: once the files' names and the
    // formats' are taken away, no word of a library's is left.
    static const QRegularExpression names(QStringLiteral(R"([^\s：（]*\.(jpg|png|bmp|ico)|JPEG|PNG)"));
    static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]{2,}"));
    for (const QString &line : lines)
        QVERIFY2(!QString(line).remove(m_outside.path()).remove(names).contains(latinWord), qPrintable(line));
}

void TestPictureAdd::listThatCannotBeSavedChangesNothing()
{
    m_folder->writeFile("Data/BGPicList.ini", "A1.bmp\r\nA1.bmp\r\nsky.bmp\r\n");
    m_window->FillPicList();
    // A picture of the same name lies in the folder already, and one is new.
    const QString chosen = m_outside.filePath("sky.bmp"), other = m_outside.filePath("new.bmp");
    QVERIFY(makeTestBitmap(8, 8).toQImage().save(chosen, "BMP"));
    QVERIFY(makeTestBitmap(9, 9).toQImage().save(other, "BMP"));
    m_folder->writeFile(kFolder + "/sky.bmp", "the picture the list names");
    // A folder where the list file was: it cannot be replaced.
    QFile::remove(m_folder->path("Data/BGPicList.ini"));
    QVERIFY(QDir(m_folder->path("Data")).mkpath("BGPicList.ini/x"));
    ScriptedDialogs dialogs;
    dialogs.openAnswers = {{chosen, other}};
    clickAdd(*m_window);
    QTreeWidget *list = m_window->LVpic;
    const QRect sky = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, list->viewport()->mapTo(m_window, sky.center()));
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                      m_window->btnRemove->mapTo(m_window, m_window->btnRemove->rect().center()));

    QCOMPARE(rows(*m_window), (QStringList {"A1.bmp", "sky.bmp"}));
    QCOMPARE(m_folder->entries(kFolder), QStringList {"sky.bmp"});
    QCOMPARE(m_folder->readFile(kFolder + "/sky.bmp"), QByteArray("the picture the list names"));
    QCOMPARE(dialogs.errors.size(), 2);
    for (const char *line : {"\nsky.bmp：无法写入文件", "\nnew.bmp：无法写入文件"})
        QVERIFY2(dialogs.errors.first().contains(QString::fromUtf8(line)), qPrintable(dialogs.errors.first()));
    for (const QString &error : dialogs.errors)
        QVERIFY2(error.contains("BGPicList.ini"), qPrintable(error));
}

void TestPictureAdd::namesWithALineBreakAreRefused()
{
    // Each would be two rows of the list file.
    const QStringList names {"evil\nA1.bmp", "evil\rA2.bmp"};
    QStringList chosen;
    for (const QString &name : names) {
        chosen << m_outside.filePath(name);
        QVERIFY(makeTestBitmap(8, 8).toQImage().save(chosen.last(), "BMP"));
    }
    ScriptedDialogs dialogs;
    dialogs.openAnswers = {chosen};
    clickAdd(*m_window);

    QCOMPARE(rows(*m_window), QStringList {"A1.bmp"});
    QCOMPARE(m_folder->readFile("Data/BGPicList.ini"), QByteArray("A1.bmp\r\nA1.bmp\r\n"));
    QCOMPARE(m_folder->entries(kFolder), QStringList());
    QCOMPARE(dialogs.errors.size(), 1);
    for (const QString &name : names)
        QVERIFY2(dialogs.errors.first().contains(name + QStringLiteral("：文件名含有换行符，不能列入图片列表")),
                 qPrintable(dialogs.errors.first()));
}

QTEST_MAIN(TestPictureAdd)
#include "tst_pictureadd.moc"
