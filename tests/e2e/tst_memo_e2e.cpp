#include "imaging/bmpreader.h"
#include "richtext/richtext.h"
#include "support/tempappfolder.h"
#include "wallpaper/composition.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <optional>

// The real program on an X server of its own, driven with the X test
// extension as a user drives it: typing, choosing a letter, closing with ×.
namespace {

const QSize kScreen(1024, 768);
// Places in the memo window at its first-run size, in window coordinates.
const QPoint kBoard(470, 200);
const QPoint kLetterButton(441, 55);
const QPoint kClose(624, 11);

// Xvfb on the first free display; empty error() when it accepts clients.
class XServer {
public:
    explicit XServer(QSize size = kScreen)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (program.isEmpty()) {
            m_error = QStringLiteral("Xvfb is not installed (make deps installs the package xvfb)");
            return;
        }
        // The server picks a free display and writes its number to -displayfd
        // once it accepts clients. -noreset: when the program, its last
        // client, ends, the server would reset and refuse the next start for
        // a moment, as no desktop session's server does.
        const QString screen = QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height());
        m_process.start(program, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                  QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                  QStringLiteral("-noreset")});
        QElapsedTimer waited;
        waited.start();
        while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning && waited.elapsed() < 15000)
            m_process.waitForReadyRead(200);
        const QByteArray number = m_process.readLine().trimmed();
        if (number.isEmpty())
            m_error = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(m_process.readAllStandardError());
        else
            m_display = QStringLiteral(":") + QString::fromLatin1(number);
    }

    ~XServer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }

    QString error() const { return m_error; }
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
    QString m_error;
};

class Session {
public:
    // `scale`: the factor Qt is told to scale the program's windows by.
    explicit Session(QString display, int scale = 1)
        : m_display(std::move(display))
        , m_scale(scale)
    {
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
        if (m_scale != 1)
            environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(m_scale));
        return environment;
    }

    // Runs a tool of the X server's and gives its output; nothing when it failed.
    std::optional<QString> run(const QString &tool, const QStringList &arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(tool, arguments);
        if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    // xdotool's output; empty when it failed.
    QString xdotool(const QStringList &arguments) const
    {
        return run(QStringLiteral("xdotool"), arguments).value_or(QString());
    }

    QStringList windowsOf(qint64 pid) const
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                        QString::number(pid)})
            .split(u'\n', Qt::SkipEmptyParts);
    }

    // The visible window of a process that has the given size, once it shows.
    QString windowOf(qint64 pid, QSize size) const
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30000) {
            for (const QString &window : windowsOf(pid))
                if (geometry(window).size() == size)
                    return window;
            QTest::qWait(200);
        }
        return {};
    }

    QRect geometry(const QString &window) const
    {
        QRect rect;
        const QString shell = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
        for (const QString &line : shell.split(u'\n')) {
            const QString value = line.section(u'=', 1);
            if (line.startsWith(u"X="))
                rect.moveLeft(value.toInt());
            else if (line.startsWith(u"Y="))
                rect.moveTop(value.toInt());
            else if (line.startsWith(u"WIDTH="))
                rect.setWidth(value.toInt());
            else if (line.startsWith(u"HEIGHT="))
                rect.setHeight(value.toInt());
        }
        return rect;
    }

    void clickAt(const QString &window, QPoint at) const
    {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
                 QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }

    void type(const QString &text) const { xdotool({QStringLiteral("type"), text}); }

    // Gives every character of `text` that the keyboard lacks a key of its
    // own, for as long as the server runs. Left to itself, xdotool lends a
    // spare key for one keystroke and takes it back at once; a program that
    // reads the changed keyboard map after that (a busy machine) receives the
    // keystroke as nothing.
    bool addKeysFor(const QString &text) const
    {
        QStringList arguments;
        QSet<char32_t> added;
        for (const char32_t character : text.toUcs4())
            if (character > 0x7e && !added.contains(character)) {
                added.insert(character);
                arguments << QStringLiteral("-e")
                          << QStringLiteral("keycode any = U%1").arg(uint(character), 4, 16, QLatin1Char('0'));
            }
        return arguments.isEmpty() || run(QStringLiteral("xmodmap"), arguments).has_value();
    }

    // Clicks into the window and waits until it has the keyboard focus.
    bool focusAt(const QString &window, QPoint at) const
    {
        clickAt(window, at);
        QElapsedTimer waited;
        waited.start();
        while (xdotool({QStringLiteral("getwindowfocus")}) != window) {
            if (waited.elapsed() > 5000)
                return false;
            QTest::qWait(50);
        }
        return true;
    }

private:
    QString m_display;
    int m_scale = 1;
};

// The page's RTF as the store holds it now, or nothing when it cannot be read.
std::optional<QByteArray> storedRtf(const QString &store, char letter)
{
    std::optional<QByteArray> rtf;
    const QString connection = QStringLiteral("e2e-read");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(store);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        QSqlQuery query(database);
        if (database.open()
            && query.exec(QStringLiteral("SELECT SundayCon FROM tb_%1 WHERE ID = 1").arg(QChar::fromLatin1(letter)))
            && query.next())
            rtf = query.value(0).toByteArray();
    }
    QSqlDatabase::removeDatabase(connection);
    return rtf;
}

std::optional<QString> storedText(const QString &store, char letter)
{
    const std::optional<QByteArray> rtf = storedRtf(store, letter);
    if (!rtf)
        return std::nullopt;
    QTextDocument board;
    RichText::load(*rtf, board);
    return board.toPlainText();
}

// Every change is stored at once, so the store shows what the board received.
bool storeShows(const QString &store, char letter, const QString &expected, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    do {
        if (storedText(store, letter) == expected)
            return true;
        QTest::qWait(50);
    } while (waited.elapsed() < milliseconds);
    return false;
}

// Types `text` after `before` on the board of page `letter` and waits until
// the store holds it.
bool typeAndStore(const Session &session, const QString &store, char letter, const QString &before,
                  const QString &text)
{
    session.type(text);
    const QString expected = before + text;
    if (storeShows(store, letter, expected, 10000))
        return true;
    qWarning() << "page" << letter << "holds" << storedText(store, letter).value_or(QStringLiteral("(none)"))
               << "after typing" << expected;
    return false;
}

// Starts the program of the folder and gives its memo window once it shows,
// `scale` times its size in the screen's pixels.
QString startProgram(QProcess &program, const Session &session, const TempAppFolder &folder, int scale = 1,
                     const QProcessEnvironment &extra = {})
{
    QProcessEnvironment environment = session.environment();
    for (const QString &name : extra.keys())
        environment.insert(name, extra.value(name));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QDir::rootPath());
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder.path(QStringLiteral("paxelo-memo")), {});
    if (!program.waitForStarted(10000))
        return {};
    return session.windowOf(program.processId(), QSize(645, 443) * scale);
}

} // namespace

class TestMemoEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void typeSwitchCloseAndStartAgain();
    void wallpaperAtScaleTwoHoldsTheBoardsDevicePixels();
    void theDesktopFollowsTheTyping();
};

void TestMemoEndToEnd::typeSwitchCloseAndStartAgain()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed (make deps installs it)");
    XServer server;
    if (!server.error().isEmpty())
        QSKIP(qPrintable(QStringLiteral("No X server for the end-to-end test: ") + server.error()));
    const Session session(server.display());

    // A fresh application folder: the program, a new store and the standard background.
    TempAppFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(QStringLiteral(PAXELO_PROGRAM), folder.path(QStringLiteral("paxelo-memo"))));
    QVERIFY(QFile::copy(QStringLiteral(PAXELO_STAGED_BACKGROUND), folder.path(QStringLiteral("source/DeskTopBG/A1.bmp"))));
    const QString store = folder.storePath();

    const QString pageA = QStringLiteral("你好世界 memo A1");
    const QString pageB = QStringLiteral("第二页 page B");
    QVERIFY2(session.addKeysFor(pageA + pageB), "xmodmap could not add keys for the Chinese characters");

    QProcess program;
    QString window = startProgram(program, session, folder);
    QVERIFY2(!window.isEmpty(), "the memo window did not appear");
    const QRect place = session.geometry(window);

    QVERIFY2(session.focusAt(window, kBoard), "the memo window did not take the keyboard focus");
    QVERIFY(typeAndStore(session, store, 'A', QString(), pageA));
    // Chinese goes to the store as GBK byte pairs: 你 is C4 E3.
    QVERIFY(storedRtf(store, 'A').value_or(QByteArray()).contains("\\'c4\\'e3"));

    // The letter's menu opens below the button; its middle item is B.
    session.clickAt(window, kLetterButton);
    QString menu;
    for (int tries = 0; tries < 50 && menu.isEmpty(); ++tries, QTest::qWait(100))
        for (const QString &candidate : session.windowsOf(program.processId()))
            if (candidate != window && session.geometry(candidate).height() < 200)
                menu = candidate;
    QVERIFY2(!menu.isEmpty(), "the letter's menu did not open");
    const QRect menuPlace = session.geometry(menu);
    session.clickAt(menu, QPoint(menuPlace.width() / 2, menuPlace.height() / 2));

    QVERIFY(typeAndStore(session, store, 'B', QString(), pageB));
    QCOMPARE(storedText(store, 'A'), pageA);

    // One click on × ends the program.
    session.clickAt(window, kClose);
    const bool ended = program.waitForFinished(2000);
    if (!ended)
        program.kill();
    QVERIFY2(ended, "the program did not end within 2 s of one click on ×");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    const QByteArray expectedSize = QStringLiteral("2\r\n%1\r\n%2\r\n%3\r\n%4\r\n")
                                        .arg(place.width())
                                        .arg(place.height())
                                        .arg(place.x())
                                        .arg(place.y())
                                        .toLatin1();
    QCOMPARE(folder.readFile(QStringLiteral("Data/FormSize.ini")), expectedSize);
    QCOMPARE(storedText(store, 'A'), pageA);
    QCOMPARE(storedText(store, 'B'), pageB);

    // Started again, the window stands at the same place and shows page B:
    // what is typed now joins B's text.
    window = startProgram(program, session, folder);
    QVERIFY2(!window.isEmpty(),
             qPrintable(QStringLiteral("the memo window did not appear at the second start (%1)")
                            .arg(program.state() == QProcess::NotRunning
                                     ? QStringLiteral("the program ended with status %1").arg(program.exitCode())
                                     : QStringLiteral("the program runs"))));
    QCOMPARE(session.geometry(window), place);
    QVERIFY2(session.focusAt(window, kBoard), "the memo window did not take the keyboard focus");
    QVERIFY(typeAndStore(session, store, 'B', pageB, QStringLiteral("!")));
    QCOMPARE(storedText(store, 'A'), pageA);
    session.clickAt(window, kClose);
    if (!program.waitForFinished(2000))
        program.kill();
}

// A 3840 x 2160 screen at scale factor 2: the wallpaper has the screen's
// device pixels, and the notes on it are the board as the screen shows it,
// pixel for pixel.
void TestMemoEndToEnd::wallpaperAtScaleTwoHoldsTheBoardsDevicePixels()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed (make deps installs it)");
    const QSize screen(3840, 2160);
    XServer server(screen);
    if (!server.error().isEmpty())
        QSKIP(qPrintable(QStringLiteral("No X server for the end-to-end test: ") + server.error()));
    const Session session(server.display(), 2);

    TempAppFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(QStringLiteral(PAXELO_PROGRAM), folder.path(QStringLiteral("paxelo-memo"))));
    const QString background = folder.path(QStringLiteral("source/DeskTopBG/A1.bmp"));
    QVERIFY(QFile::copy(QStringLiteral(PAXELO_STAGED_BACKGROUND), background));
    folder.writeFile(QStringLiteral("Data/configSetBg.ini"), "0\r\n");
    folder.writeFile(QStringLiteral("Data/BGPicList.ini"), "A1.bmp\r\n");

    QProcess program;
    const QString window = startProgram(program, session, folder, 2);
    QVERIFY2(!window.isEmpty(), "the memo window did not appear at twice its size");
    // The "添加到桌面" picture, 84 x 29 at (538, 40) of the window.
    session.clickAt(window, QPoint(580, 54) * 2);
    const QString mixPath = folder.path(QStringLiteral("source/DeskTopBG/Mix.bmp"));
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(mixPath) && waited.elapsed() < 30000)
        QTest::qWait(200);
    // The desktop step comes after Mix.bmp; whether this bare server has a
    // desktop to take it does not matter here.
    QTest::qWait(500);
    program.kill();
    program.waitForFinished(5000);

    const Bitmap content = BmpReader::readFile(folder.path(QStringLiteral("source/DeskTopBG/Content.bmp")));
    const Bitmap mix = BmpReader::readFile(mixPath);
    // The board's 316 x 319 pixels at scale 2.
    QCOMPARE(QSize(content.width(), content.height()), QSize(632, 638));
    QCOMPARE(QSize(mix.width(), mix.height()), screen);

    // Letter A: 50 pixels in from the right edge, 30 rows down, 1:1. Each
    // pixel within JPEG's error of the board blended over the background
    // (A1.bmp has the screen's shape: scaled, not cropped).
    const Bitmap expected = Composition::blend(content, BmpReader::readFile(background),
                                               {screen, QRect(QPoint(0, 0), screen)}, false);
    const QRect notes(screen.width() - 632 - 50, 30, 632, 638);
    qint64 total = 0;
    int worst = 0;
    const QRect around = notes.adjusted(-16, -16, 16, 16);
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x) {
            for (int b = 0; b < 3; ++b) {
                const int difference = std::abs(mix.scanLine(y)[4 * x + b] - expected.scanLine(y)[4 * x + b]);
                total += difference;
                worst = std::max(worst, difference);
            }
        }
    }
    const double mean = double(total) / (3.0 * around.width() * around.height());
    QVERIFY2(mean < 2.0 && worst <= 48, qPrintable(QStringLiteral("mean %1, worst %2").arg(mean).arg(worst)));
}

namespace {

// An LXQt session whose pcmanfm-qt only writes down each call, one line a
// call; the apply gives it two calls a wallpaper.
struct RecordingLxqt {
    QTemporaryDir dir;
    QString log;
    QProcessEnvironment environment;
    RecordingLxqt()
        : log(dir.filePath(QStringLiteral("pcmanfm-qt.log")))
    {
        QFile tool(dir.filePath(QStringLiteral("bin/pcmanfm-qt")));
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        tool.open(QIODevice::WriteOnly);
        tool.write("#!/bin/sh\necho \"$*\" >> \"" + QFile::encodeName(log) + "\"\n");
        tool.close();
        tool.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("LXQt"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("PATH"), dir.filePath(QStringLiteral("bin")) + QLatin1Char(':')
                                                       + QProcessEnvironment::systemEnvironment().value(QStringLiteral("PATH")));
    }
    int wallpapers() const
    {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) / 2 : 0;
    }
    // Waits for the count to reach `count`, then for a pause longer than the
    // program's, and tells whether it stayed there.
    bool cameTo(int count) const
    {
        QElapsedTimer waited;
        waited.start();
        while (wallpapers() < count && waited.elapsed() < 30000)
            QTest::qWait(100);
        QTest::qWait(3500);
        return wallpapers() == count;
    }
};

void writeBackground(const TempAppFolder &folder, const QString &name, QColor colour)
{
    QImage picture(1024, 768, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(folder.path(QStringLiteral("source/DeskTopBG/") + name), "BMP"));
}

// The colour of Mix.bmp's top left corner, where the background shows, is
// near `colour` (the JPEG round trip may move it a little).
bool mixCornerIs(const TempAppFolder &folder, QColor colour)
{
    const QColor corner = QImage(folder.path(QStringLiteral("source/DeskTopBG/Mix.bmp"))).pixelColor(5, 5);
    return std::abs(corner.red() - colour.red()) <= 8 && std::abs(corner.green() - colour.green()) <= 8
        && std::abs(corner.blue() - colour.blue()) <= 8;
}

} // namespace

// With 自动更新桌面 on, every pause in the typing puts the notes on the
// desktop once more, over the background of the last apply.
void TestMemoEndToEnd::theDesktopFollowsTheTyping()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed (make deps installs it)");
    XServer server;
    if (!server.error().isEmpty())
        QSKIP(qPrintable(QStringLiteral("No X server for the end-to-end test: ") + server.error()));
    const Session session(server.display());
    const RecordingLxqt lxqt;

    TempAppFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(QStringLiteral(PAXELO_PROGRAM), folder.path(QStringLiteral("paxelo-memo"))));
    writeBackground(folder, QStringLiteral("sky.bmp"), QColor(0, 0, 255));
    writeBackground(folder, QStringLiteral("sea.bmp"), QColor(0, 0, 128));
    folder.writeFile(QStringLiteral("Data/BGPicList.ini"), "A1.bmp\r\nsky.bmp\r\nsea.bmp\r\n");
    folder.writeFile(QStringLiteral("Data/configSetBg.ini"), "0\r\n");
    folder.writeFile(QStringLiteral("Data/Options.ini"), "0\r\n1\r\n");
    const QString store = folder.storePath();

    QProcess program;
    const QString window = startProgram(program, session, folder, 1, lxqt.environment);
    QVERIFY2(!window.isEmpty(), "the memo window did not appear");
    // Nothing applied yet: nothing to bring up to date at the start.
    QVERIFY(lxqt.cameTo(0));

    // 添加到桌面 stands at the window's top right: the last row, sea.bmp.
    const QPoint apply(session.geometry(window).width() - 49, 54);
    session.clickAt(window, apply);
    QVERIFY(lxqt.cameTo(1));
    QVERIFY(mixCornerIs(folder, QColor(0, 0, 128)));

    QString typed;
    for (const QString &burst : {QStringLiteral("notes"), QStringLiteral(" more")}) {
        const QByteArray before = folder.readFile(QStringLiteral("source/DeskTopBG/Mix.bmp"));
        const int wallpapers = lxqt.wallpapers();
        QVERIFY2(session.focusAt(window, kBoard), "the memo window did not take the keyboard focus");
        session.type(burst);
        typed += burst;
        QVERIFY(storeShows(store, 'A', typed, 10000));
        QVERIFY2(lxqt.cameTo(wallpapers + 1), qPrintable(QStringLiteral("%1 wallpapers").arg(lxqt.wallpapers())));
        QVERIFY(folder.readFile(QStringLiteral("source/DeskTopBG/Mix.bmp")) != before);
        QVERIFY(mixCornerIs(folder, QColor(0, 0, 128)));
    }

    // The updates left the list alone: the next apply takes sky.bmp.
    session.clickAt(window, apply);
    QVERIFY(lxqt.cameTo(4));
    QVERIFY(mixCornerIs(folder, QColor(0, 0, 255)));

    session.clickAt(window, kClose);
    if (!program.waitForFinished(5000))
        program.kill();
}

QTEST_MAIN(TestMemoEndToEnd)
#include "tst_memo_e2e.moc"
