#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"
#include "memo/boardedit.h"
#include "memo/livewallpaper.h"
#include "memo/mainfrm.h"
#include "platform/desktopwallpaper.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/mixbuffers.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/picturecontrol.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMutex>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The desktop: records the pictures it is given (from the worker thread
// too), keeps the user's own setting until the first one, and refuses when
// told to.
class FakeDesktop : public DesktopWallpaper {
public:
    void setWallpaper(const QString &path) override
    {
        QMutexLocker lock(&m_mutex);
        m_calls << path;
        if (m_refuse)
            throw WallpaperError("桌面拒绝了壁纸");
        m_setting = {"picture=" + path};
    }
    QString desktopName() const override { return "fake"; }
    QStringList currentSetting() override
    {
        QMutexLocker lock(&m_mutex);
        return m_setting;
    }
    void restoreSetting(const QStringList &setting) override
    {
        QMutexLocker lock(&m_mutex);
        m_setting = setting;
    }

    int calls() const
    {
        QMutexLocker lock(&m_mutex);
        return int(m_calls.size());
    }
    QStringList setting() const
    {
        QMutexLocker lock(&m_mutex);
        return m_setting;
    }
    void refuse()
    {
        QMutexLocker lock(&m_mutex);
        m_refuse = true;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_calls;
    QStringList m_setting{"picture=/home/u/own.jpg", "mode=zoom"};
    bool m_refuse = false;
};

void writeBackground(const TempAppFolder &folder, const QString &name, QColor colour)
{
    Bitmap picture(1024, 768);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            uchar *pixel = picture.scanLine(y) + 4 * x;
            pixel[0] = uchar(colour.blue());
            pixel[1] = uchar(colour.green());
            pixel[2] = uchar(colour.red());
        }
    BmpWriter::writeFile(picture, folder.path("source/DeskTopBG/" + name), BmpWriter::Depth::Bits24);
}

// The memo window with its composer over a fresh application folder and a
// configuration folder of its own; sea.bmp (dark blue) is the last row and
// so the first background, sky.bmp (blue) the next.
struct Memo {
    TempAppFolder folder;
    QTemporaryDir config;
    ScriptedDialogs dialogs;
    FakeDesktop *desktop = nullptr;
    TDM dm;
    std::unique_ptr<TMainFrm> window;
    std::unique_ptr<TDeskBGSetFrm> composer;
    std::unique_ptr<TPicSelFrm> listWindow;
    std::unique_ptr<TInforFrm> box;
    std::unique_ptr<MixBuffers> mixer;

    explicit Memo(const QByteArray &options = {}, const QByteArray &lastBackground = {})
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        folder.writeFile("Data/configSetBg.ini", "0\r\n");
        folder.writeFile("Data/BGPicList.ini", "A1.bmp\r\nsky.bmp\r\nsea.bmp\r\n");
        folder.writeFile("Data/FormSize.ini", "1\r\n645\r\n443\r\n0\r\n0\r\n");
        if (!options.isEmpty())
            folder.writeFile("Data/Options.ini", options);
        if (!lastBackground.isEmpty())
            folder.writeFile("Data/LastBackground.ini", lastBackground);
        writeBackground(folder, "sky.bmp", Qt::blue);
        writeBackground(folder, "sea.bmp", Qt::darkBlue);
        dm.OpenDatabase();
        window = std::make_unique<TMainFrm>(dm);
        auto fake = std::make_unique<FakeDesktop>();
        desktop = fake.get();
        composer = std::make_unique<TDeskBGSetFrm>(std::move(fake));
        listWindow = std::make_unique<TPicSelFrm>(window.get());
        box = std::make_unique<TInforFrm>(window.get());
        mixer = std::make_unique<MixBuffers>();
        window->setCompanions({composer.get(), listWindow.get(), box.get(), mixer.get()});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // The composer goes before the window, and with it what a running update
    // uses, as when the program ends.
    ~Memo()
    {
        window->liveWallpaper()->setEnabled(false);
        window->liveWallpaper()->waitForIdle();
        qunsetenv("XDG_CONFIG_HOME");
    }

    void chooseSetting(const QString &caption) const
    {
        WindowInput::click(window->settingsLabel());
        QVERIFY(WindowInput::choose(window->settingsMenu(), caption));
    }
    QAction *item(const QString &caption) const
    {
        for (QAction *action : window->settingsMenu()->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }
    void apply() const { WindowInput::click(window->appToDeskPicture()); }
    void type(const QString &text) const
    {
        WindowInput::click(window->board());
        WindowInput::type(window->board(), text);
    }
    // Waits until the desktop got `calls` pictures and no update runs.
    bool desktopCalled(int calls) const
    {
        const bool reached = QTest::qWaitFor([&] { return desktop->calls() >= calls; }, 20000);
        window->liveWallpaper()->waitForIdle();
        return reached && desktop->calls() == calls;
    }
    QColor mixCorner() const
    {
        const Bitmap mix = BmpReader::readFile(folder.path("source/DeskTopBG/Mix.bmp"));
        const uchar *pixel = mix.scanLine(5) + 4 * 5;
        return QColor(pixel[2], pixel[1], pixel[0]);
    }
    QByteArray mixFile() const { return folder.readFile("source/DeskTopBG/Mix.bmp"); }
    QSize mixSize() const
    {
        const Bitmap mix = BmpReader::readFile(folder.path("source/DeskTopBG/Mix.bmp"));
        return QSize(mix.width(), mix.height());
    }
    QString autostartEntry() const { return config.filePath("autostart/com.paxelo.memo.desktop"); }
};

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 && std::abs(a.blue() - b.blue()) <= 8;
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theChoicesStandBeforeTheExitAndStartOff();
    void startAtLoginWritesTheEntryAndOffRemovesIt();
    void theNotesFollowTypingOverTheSameBackground();
    void aFailingUpdateIsToldOnce_data();
    void aFailingUpdateIsToldOnce();
    void theNotesAreBroughtUpToDateAtStart();
    void theUsersOwnWallpaperComesBack();
};

void TestOptions::initTestCase()
{
    useLocalWebSite();
    QApplication::setApplicationDisplayName(QStringLiteral("Paxelo备忘录"));
}

void TestOptions::theChoicesStandBeforeTheExitAndStartOff()
{
    Memo memo;
    QStringList captions;
    for (const QAction *action : memo.window->settingsMenu()->actions())
        captions << (action->isSeparator() ? QString("-") : action->text());
    QCOMPARE(captions, (QStringList{"内容导出", "帮助说明", "意见反馈", "登录时启动", "自动更新桌面", "恢复原来的桌面", "-",
                                    "退出程序"}));
    QVERIFY(memo.item("登录时启动")->isCheckable());
    QVERIFY(memo.item("自动更新桌面")->isCheckable());
    QVERIFY(!memo.item("恢复原来的桌面")->isCheckable());
    QVERIFY(!memo.item("登录时启动")->isChecked());
    QVERIFY(!memo.item("自动更新桌面")->isChecked());

    // Typing with the choice off changes nothing on the desktop.
    memo.apply();
    memo.type("abc");
    QTest::qWait(LiveWallpaper::kPauseMs + 500);
    QVERIFY(memo.desktopCalled(1));
    QVERIFY(!QFile::exists(memo.folder.path("Data/Options.ini")));
}

void TestOptions::startAtLoginWritesTheEntryAndOffRemovesIt()
{
    {
        Memo memo;
        memo.chooseSetting("登录时启动");
        QVERIFY(memo.item("登录时启动")->isChecked());
        QCOMPARE(memo.folder.readFile("Data/Options.ini"), QByteArray("1\r\n0\r\n"));
        QFile entry(memo.autostartEntry());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        QVERIFY(text.contains("\nExec=\"" + QCoreApplication::applicationFilePath() + "\"\n"));
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (!validator.isEmpty())
            QCOMPARE(QProcess::execute(validator, {memo.autostartEntry()}), 0);

        memo.chooseSetting("登录时启动");
        QVERIFY(!memo.item("登录时启动")->isChecked());
        QVERIFY(!QFile::exists(memo.autostartEntry()));
        QCOMPARE(memo.folder.readFile("Data/Options.ini"), QByteArray("0\r\n0\r\n"));
    }
    // The choices come back at the next start.
    Memo memo("1\r\n1\r\n");
    QVERIFY(memo.item("登录时启动")->isChecked());
    QVERIFY(memo.item("自动更新桌面")->isChecked());
}

void TestOptions::theNotesFollowTypingOverTheSameBackground()
{
    Memo memo;
    memo.apply();
    QVERIFY(memo.desktopCalled(1));
    QVERIFY(near(memo.mixCorner(), Qt::darkBlue));
    const int index = memo.window->CurPicIndex;
    // Made for the memo's screen, as the apply makes it.
    const QSize screen = memo.window->screen()->size() * memo.window->devicePixelRatio();
    QCOMPARE(memo.mixSize(), screen);

    // Turned on, the notes are brought up to date at once.
    memo.chooseSetting("自动更新桌面");
    QCOMPARE(memo.folder.readFile("Data/Options.ini"), QByteArray("0\r\n1\r\n"));
    QVERIFY(memo.desktopCalled(2));

    // A burst of typing gives one update after the pause, over sea.bmp again.
    for (const QString &pause : {QString("one"), QString(" two")}) {
        const QByteArray before = memo.mixFile();
        const int calls = memo.desktop->calls();
        memo.type(pause);
        QVERIFY(memo.desktopCalled(calls + 1));
        QTest::qWait(LiveWallpaper::kPauseMs + 500);
        QVERIFY(memo.desktopCalled(calls + 1));
        QVERIFY(memo.mixFile() != before);
        QVERIFY(near(memo.mixCorner(), Qt::darkBlue));
        QCOMPARE(memo.mixSize(), screen);
        QCOMPARE(memo.window->CurPicIndex, index);
    }
    QVERIFY(memo.dialogs.messages.isEmpty());

    // The next apply takes the next background, as if no update had run.
    memo.apply();
    QVERIFY(memo.desktopCalled(5));
    QVERIFY(near(memo.mixCorner(), Qt::blue));
}

void TestOptions::aFailingUpdateIsToldOnce_data()
{
    QTest::addColumn<bool>("desktopRefuses");
    QTest::addColumn<QString>("told");
    QTest::newRow("the desktop refuses") << true << "桌面拒绝了壁纸";
    QTest::newRow("the background is gone") << false << "sea.bmp";
}

void TestOptions::aFailingUpdateIsToldOnce()
{
    QFETCH(bool, desktopRefuses);
    QFETCH(QString, told);
    Memo memo("0\r\n1\r\n");
    memo.apply();
    QVERIFY(memo.desktopCalled(1));
    if (desktopRefuses)
        memo.desktop->refuse();
    else
        QVERIFY(QFile::remove(memo.folder.path("source/DeskTopBG/sea.bmp")));
    for (int pause = 1; pause <= 3; ++pause) {
        memo.type("x");
        QTest::qWait(LiveWallpaper::kPauseMs + 1000);
        memo.window->liveWallpaper()->waitForIdle();
        QCoreApplication::processEvents();
    }
    QCOMPARE(memo.dialogs.messages.size(), 1);
    QVERIFY2(memo.dialogs.messages.first().contains(told), qPrintable(memo.dialogs.messages.first()));
}

void TestOptions::theNotesAreBroughtUpToDateAtStart()
{
    Memo memo("0\r\n1\r\n", "sky.bmp\r\n");
    QVERIFY(memo.desktopCalled(1));
    QVERIFY(near(memo.mixCorner(), Qt::blue));
    // Not the background the next apply takes, and no step of the list.
    QCOMPARE(memo.window->CurPicIndex, 2);
}

void TestOptions::theUsersOwnWallpaperComesBack()
{
    Memo memo("0\r\n1\r\n");
    memo.chooseSetting("恢复原来的桌面");
    QCOMPARE(memo.dialogs.messages, QStringList{"没有记录原来的桌面：本程序还没有在这个桌面上设置过壁纸。"});

    memo.apply();
    memo.apply();
    QVERIFY(memo.desktopCalled(2));
    memo.chooseSetting("恢复原来的桌面");
    QCOMPARE(memo.dialogs.messages.last(), QString("已恢复原来的桌面。"));
    QCOMPARE(memo.desktop->setting(), (QStringList{"picture=/home/u/own.jpg", "mode=zoom"}));

    // The notes are off the desktop: typing does not bring them back.
    memo.type("y");
    QTest::qWait(LiveWallpaper::kPauseMs + 500);
    QVERIFY(memo.desktopCalled(2));
    QVERIFY(!QFile::exists(memo.folder.path("Data/LastBackground.ini")));
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
