#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"
#include "memo/boardedit.h"
#include "memo/mainfrm.h"
#include "widgets/picturecontrol.h"
#include "platform/desktopwallpaper.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "wallpaper/composition.h"
#include "wallpaper/uglobal.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/mixbuffers.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/xpbutton.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Records the pictures the desktop was asked to show.
class RecordingWallpaper : public DesktopWallpaper {
public:
    explicit RecordingWallpaper(QStringList &calls, bool refuse)
        : m_calls(calls)
        , m_refuse(refuse)
    {
    }
    void setWallpaper(const QString &path) override
    {
        m_calls.append(path);
        if (m_refuse)
            throw WallpaperError("系统中没有安装 feh");
    }

private:
    QStringList &m_calls;
    bool m_refuse;
};

// A solid background picture in the picture folder.
void writeBackground(const TempAppFolder &folder, const QString &name, QColor colour, int width = 1024,
                     int height = 768)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uchar *pixel = picture.scanLine(y) + 4 * x;
            pixel[0] = uchar(colour.blue());
            pixel[1] = uchar(colour.green());
            pixel[2] = uchar(colour.red());
        }
    BmpWriter::writeFile(picture, folder.path("source/DeskTopBG/" + name), BmpWriter::Depth::Bits24);
}

QColor pixelAt(const Bitmap &picture, int x, int y)
{
    const uchar *pixel = picture.scanLine(y) + 4 * x;
    return QColor(pixel[2], pixel[1], pixel[0]);
}

// A left click in the middle of a control, sent to its window.
void clickCentre(QWidget *control)
{
    QWidget *window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, control->rect().center()));
}

bool near(QColor a, QColor b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// The memo window with its composer over a fresh application folder; the
// question is off unless a test turns it on.
struct ApplyFixture {
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    QStringList desktopCalls;
    TDM dm;
    std::unique_ptr<TMainFrm> window;
    std::unique_ptr<TDeskBGSetFrm> composer;
    std::unique_ptr<TPicSelFrm> listWindow;
    std::unique_ptr<TInforFrm> box;
    std::unique_ptr<MixBuffers> mixer;

    explicit ApplyFixture(const QByteArray &listFile, bool desktopRefuses = false, bool ask = false)
    {
        folder.writeFile("Data/configSetBg.ini", ask ? "1\r\n" : "0\r\n");
        folder.writeFile("Data/BGPicList.ini", listFile);
        folder.writeFile("Data/FormSize.ini", "1\r\n645\r\n443\r\n0\r\n0\r\n");
        dm.OpenDatabase();
        window = std::make_unique<TMainFrm>(dm);
        composer = std::make_unique<TDeskBGSetFrm>(std::make_unique<RecordingWallpaper>(desktopCalls, desktopRefuses));
        listWindow = std::make_unique<TPicSelFrm>(window.get());
        box = std::make_unique<TInforFrm>(window.get());
        mixer = std::make_unique<MixBuffers>();
        window->setCompanions({composer.get(), listWindow.get(), box.get(), mixer.get()});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void clickApply() { clickCentre(window->appToDeskPicture()); }
    Bitmap mix() const { return BmpReader::readFile(folder.path("source/DeskTopBG/Mix.bmp")); }
};

} // namespace

class TestApply : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void notesLandAtTheLettersPlace_data();
    void notesLandAtTheLettersPlace();
    void walksTheListFromTheLastRow();
    void aMissingBackgroundMovesTheIndexBack();
    void rowsNamingNoPictureAreMissing_data();
    void rowsNamingNoPictureAreMissing();
    void aRefusingDesktopIsToldOnceAndKeepsTheIndex();
    void anEmptyListUsesTheStandardPicture();
    void aTooShortBackgroundIsRefusedAndNothingSaved();
    void aPhotoCoversTheScreenAndTheNotesKeepTheirSize();
    void theQuestionDecidesBeforeAnythingIsWritten();
};

void TestApply::initTestCase()
{
    useLocalWebSite();
    QApplication::setApplicationDisplayName(QStringLiteral("Paxelo备忘录"));
}

void TestApply::notesLandAtTheLettersPlace_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("left");
    QTest::newRow("A") << 1 << 658;
    QTest::newRow("B") << 2 << 354;
    QTest::newRow("C") << 3 << 658;
}

void TestApply::notesLandAtTheLettersPlace()
{
    QFETCH(int, page);
    QFETCH(int, left);
    ApplyFixture fixture("A1.bmp\r\nsea.bmp\r\n");
    writeBackground(fixture.folder, "sea.bmp", Qt::black);
    if (page == 2)
        fixture.window->N_BClick();
    if (page == 3)
        fixture.window->N_CClick();
    QCOMPARE(fixture.window->board()->size(), QSize(316, 319));
    // A stale copy from Windows is not what the desktop gets.
    fixture.folder.writeFile("source/DeskTopBG/MIX.BMP", "stale");
    fixture.clickApply();

    QCOMPARE(fixture.desktopCalls, QStringList{fixture.folder.path("source/DeskTopBG/Mix.bmp")});
    const QByteArray mixFile = fixture.folder.readFile("source/DeskTopBG/Mix.bmp");
    QCOMPARE(int(uchar(mixFile.at(28))), 24);
    const Bitmap mix = fixture.mix();
    QCOMPARE(mix.width(), 1024);
    QCOMPARE(mix.height(), 768);
    // The pale yellow of A and B, half way over black; C's white is transparent.
    const QColor board = page == 3 ? QColor(Qt::black) : QColor(124, 125, 112);
    QVERIFY(near(pixelAt(mix, left + 10, 30 + 10), board));
    QVERIFY(near(pixelAt(mix, left + 305, 30 + 300), board));
    QVERIFY(near(pixelAt(mix, left - 4, 40), Qt::black));
    QVERIFY(near(pixelAt(mix, left + 320, 40), Qt::black));
    QVERIFY(near(pixelAt(mix, left + 10, 25), Qt::black));
    QVERIFY(QFile::exists(fixture.folder.path("source/DeskTopBG/Mix.Jpg")));
    QVERIFY(QFile::exists(fixture.folder.path("source/DeskTopBG/Content.bmp")));
}

void TestApply::walksTheListFromTheLastRow()
{
    ApplyFixture fixture("A1.bmp\r\nA1.bmp\r\nsky.bmp\r\nsea.bmp\r\n");
    writeBackground(fixture.folder, "A1.bmp", Qt::darkGreen);
    writeBackground(fixture.folder, "sky.bmp", Qt::blue);
    writeBackground(fixture.folder, "sea.bmp", Qt::darkBlue);
    QCOMPARE(fixture.window->CurPicIndex, 3);
    const QList<QColor> expected{Qt::darkBlue, Qt::blue, Qt::darkGreen, Qt::darkBlue, Qt::blue};
    const QList<int> indexes{2, 1, 3, 2, 1};
    for (int i = 0; i < expected.size(); ++i) {
        fixture.clickApply();
        QVERIFY(near(pixelAt(fixture.mix(), 5, 5), expected.at(i)));
        QCOMPARE(fixture.window->CurPicIndex, indexes.at(i));
    }
    QCOMPARE(fixture.desktopCalls.size(), 5);
}

void TestApply::aMissingBackgroundMovesTheIndexBack()
{
    ApplyFixture fixture("A1.bmp\r\nA1.bmp\r\nsky.bmp\r\nsea.bmp\r\n");
    writeBackground(fixture.folder, "sea.bmp", Qt::darkBlue);
    fixture.clickApply();
    QCOMPARE(fixture.window->CurPicIndex, 2);
    QFile::remove(fixture.folder.path("source/DeskTopBG/Content.bmp"));
    fixture.clickApply();
    QCOMPARE(fixture.window->CurPicIndex, 3);
    // The content picture is taken even when the background is missing.
    QVERIFY(QFile::exists(fixture.folder.path("source/DeskTopBG/Content.bmp")));
    fixture.clickApply();
    QCOMPARE(fixture.window->CurPicIndex, 2);
    QCOMPARE(fixture.desktopCalls.size(), 2);
    QVERIFY(fixture.dialogs.errors.isEmpty());

    // A missing entry 0 at index 0 leaves the index at 0.
    ApplyFixture single("gone.bmp\r\n");
    QCOMPARE(single.window->CurPicIndex, 0);
    single.clickApply();
    QCOMPARE(single.window->CurPicIndex, 0);
    QVERIFY(single.desktopCalls.isEmpty());
}

void TestApply::rowsNamingNoPictureAreMissing_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("empty row") << QByteArray("");
    QTest::newRow("folder") << QByteArray("sub");
    QTest::newRow("FIFO reached through ../") << QByteArray("../../pipe");
}

void TestApply::rowsNamingNoPictureAreMissing()
{
    QFETCH(QByteArray, row);
    ApplyFixture fixture("A1.bmp\r\nsea.bmp\r\n" + row + "\r\n");
    QDir(fixture.folder.root()).mkpath("source/DeskTopBG/sub");
    const QByteArray fifo = QFile::encodeName(fixture.folder.path("pipe"));
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    // An apply stuck opening the FIFO is set free from the other end, so a
    // fault fails the test instead of hanging it.
    std::atomic<bool> done = false;
    std::thread release([&] {
        for (int waited = 0; waited < 3000 && !done; waited += 10)
            QThread::msleep(10);
        if (!done)
            ::close(::open(fifo.constData(), O_RDWR | O_NONBLOCK));
    });
    QCOMPARE(fixture.window->CurPicIndex, 2);
    QElapsedTimer clock;
    clock.start();
    fixture.clickApply();
    done = true;
    release.join();
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(fixture.window->CurPicIndex, 1);
    QVERIFY(fixture.dialogs.errors.isEmpty());
    QVERIFY(fixture.dialogs.messages.isEmpty());
    QVERIFY(fixture.desktopCalls.isEmpty());
}

void TestApply::aRefusingDesktopIsToldOnceAndKeepsTheIndex()
{
    ApplyFixture fixture("A1.bmp\r\nsky.bmp\r\nsea.bmp\r\n", true);
    writeBackground(fixture.folder, "sea.bmp", Qt::darkBlue);
    fixture.clickApply();
    fixture.clickApply();
    QCOMPARE(fixture.desktopCalls.size(), 2);
    QCOMPARE(fixture.window->CurPicIndex, 2);
    QCOMPARE(fixture.dialogs.messages.size(), 1);
    const QString message = fixture.dialogs.messages.constFirst();
    QVERIFY2(message.contains("系统中没有安装 feh"), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(fixture.folder.path("source/DeskTopBG/Mix.bmp"))),
             qPrintable(message));
    QVERIFY(fixture.dialogs.errors.isEmpty());
}

void TestApply::anEmptyListUsesTheStandardPicture()
{
    ApplyFixture fixture("");
    writeBackground(fixture.folder, "A1.bmp", Qt::darkGreen);
    QVERIFY(uGlobal::PicList.isEmpty());
    fixture.clickApply();
    QCOMPARE(fixture.desktopCalls.size(), 1);
    QCOMPARE(fixture.window->CurPicIndex, 0);
}

void TestApply::aTooShortBackgroundIsRefusedAndNothingSaved()
{
    ApplyFixture fixture("A1.bmp\r\nlow.bmp\r\n");
    writeBackground(fixture.folder, "low.bmp", Qt::black, 1024, 330);
    // The background is scaled to the memo's screen: on the 640 x 340 one
    // the notes are taller than the screen but leave no room for the 30
    // rows above them.
    fixture.window->move(1100, 0);
    fixture.clickApply();
    QCOMPARE(fixture.dialogs.errors, QStringList{"Scan line index out of range"});
    QVERIFY(!QFile::exists(fixture.folder.path("source/DeskTopBG/Mix.bmp")));
    QVERIFY(fixture.desktopCalls.isEmpty());
    QCOMPARE(fixture.window->CurPicIndex, 1);
}

// A 2:1 picture on the 4:3 screen: scaled to the screen's height, its sides
// cut off evenly, and the board laid on it pixel for pixel.
void TestApply::aPhotoCoversTheScreenAndTheNotesKeepTheirSize()
{
    ApplyFixture fixture("A1.bmp\r\nwide.bmp\r\n");
    const int width = 2048;
    const int height = 1024;
    // The 1365 middle columns stay; the sides are red.
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uchar *pixel = picture.scanLine(y) + 4 * x;
            const bool kept = x >= 341 && x < 341 + 1365;
            pixel[0] = kept ? uchar(x * 255 / width) : 0;
            pixel[1] = 0;
            pixel[2] = kept ? 0 : 255;
        }
    BmpWriter::writeFile(picture, fixture.folder.path("source/DeskTopBG/wide.bmp"), BmpWriter::Depth::Bits24);
    fixture.window->N_CClick();
    WindowInput::click(fixture.window->board());
    WindowInput::type(fixture.window->board(), "Notes read 1:1 on every desktop");
    fixture.clickApply();

    const Bitmap mix = fixture.mix();
    QCOMPARE(mix.width(), 1024);
    QCOMPARE(mix.height(), 768);
    const QRect notes(658, 30, 316, 319);
    for (int y = 0; y < mix.height(); y += 7)
        for (int x = 0; x < mix.width(); x += 7)
            QVERIFY2(notes.contains(x, y) || pixelAt(mix, x, y).red() < 16,
                     qPrintable(QStringLiteral("a cut side shows at %1,%2").arg(x).arg(y)));
    // Blue grows from left to right across the kept middle.
    QVERIFY(near(pixelAt(mix, 2, 400), QColor(0, 0, 43), 12));
    QVERIFY(near(pixelAt(mix, 1021, 400), QColor(0, 0, 212), 12));

    // Letter C's white board is transparent: the notes are the ink alone,
    // in the board's own pixels, 50 pixels inside the right edge; each pixel
    // within JPEG's error of the board blended over the scaled picture.
    const Bitmap content = BmpReader::readFile(fixture.folder.path("source/DeskTopBG/Content.bmp"));
    QCOMPARE(content.width(), 316);
    QCOMPARE(content.height(), 319);
    const Bitmap expected = Composition::blend(content, picture, {QSize(1024, 768), QRect(0, 0, 1024, 768)}, false);
    int inked = 0;
    qint64 total = 0;
    for (int y = 0; y < content.height(); ++y)
        for (int x = 0; x < content.width(); ++x) {
            inked += pixelAt(content, x, y) != QColor(Qt::white);
            const QColor shown = pixelAt(mix, notes.x() + x, notes.y() + y);
            const QColor wanted = pixelAt(expected, notes.x() + x, notes.y() + y);
            total += std::abs(shown.red() - wanted.red()) + std::abs(shown.green() - wanted.green())
                + std::abs(shown.blue() - wanted.blue());
        }
    QVERIFY(inked > 200);
    QVERIFY2(total < 2 * 3 * 316 * 319, qPrintable(QString::number(double(total) / (3 * 316 * 319))));
}

void TestApply::theQuestionDecidesBeforeAnythingIsWritten()
{
    ApplyFixture fixture("A1.bmp\r\nsea.bmp\r\n", false, true);
    writeBackground(fixture.folder, "sea.bmp", Qt::black);
    fixture.folder.writeFile("source/DeskTopBG/Content.bmp", "previous");
    QTimer::singleShot(0, fixture.box.get(), [&] { clickCentre(fixture.box->btncancel); });
    fixture.clickApply();
    QCOMPARE(uGlobal::SetBgAnswer, 0);
    QCOMPARE(fixture.folder.readFile("source/DeskTopBG/Content.bmp"), QByteArray("previous"));
    QVERIFY(fixture.desktopCalls.isEmpty());

    QTimer::singleShot(0, fixture.box.get(), [&] { clickCentre(fixture.box->btnok); });
    fixture.clickApply();
    QCOMPARE(uGlobal::SetBgAnswer, 1);
    QCOMPARE(fixture.desktopCalls.size(), 1);
    QVERIFY(fixture.folder.readFile("source/DeskTopBG/Content.bmp").startsWith("BM"));
}

QTEST_MAIN(TestApply)
#include "tst_apply.moc"
