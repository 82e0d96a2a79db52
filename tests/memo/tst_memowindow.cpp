#include "memo/boardedit.h"
#include "memo/mainfrm.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "platform/desktopwallpaper.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "widgets/chinesefonts.h"
#include "widgets/chromebutton.h"
#include "widgets/picturecontrol.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTextDocumentFragment>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace {

const QColor kBoardYellow(249, 251, 224);

// A memo window over a fresh application folder whose store counts every
// write of a page.
struct MemoFixture {
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    TDM dm;
    std::unique_ptr<TMainFrm> window;

    explicit MemoFixture(const QByteArray &formSize = QByteArray())
    {
        if (!formSize.isEmpty())
            folder.writeFile("Data/FormSize.ini", formSize);
        dm.OpenDatabase();
        QSqlQuery query(dm.database());
        query.exec("CREATE TABLE page_writes (page TEXT)");
        for (const char *table : {"tb_A", "tb_B", "tb_C", "tb_D", "tb_E"})
            query.exec(QStringLiteral("CREATE TRIGGER count_%1 AFTER UPDATE ON %1 BEGIN "
                                      "INSERT INTO page_writes VALUES ('%1'); END")
                           .arg(table));
        // Changes of the program's own, not of another program.
        dm.rememberStoreFile();
        window = std::make_unique<TMainFrm>(dm);
        window->setScreenLayout(ScreenLayout{{QRect(0, 0, 1024, 768)}});
    }

    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // The letter chosen from the position button's menu.
    void choose(const QString &letter) const
    {
        WindowInput::click(window->positionButton());
        QVERIFY(WindowInput::choose(window->positionMenu(), letter));
    }

    void typeOnBoard(const QString &latinText) const
    {
        WindowInput::click(window->board());
        WindowInput::type(window.get(), latinText);
    }

    int writes(const QString &table = QString()) const
    {
        QSqlQuery query(dm.database());
        query.exec(table.isEmpty() ? QStringLiteral("SELECT count(*) FROM page_writes")
                                   : QStringLiteral("SELECT count(*) FROM page_writes WHERE page = '%1'").arg(table));
        query.next();
        return query.value(0).toInt();
    }

    QByteArray stored(const QString &table) const
    {
        QSqlQuery query(dm.database());
        query.exec(QStringLiteral("SELECT SundayCon FROM %1 WHERE ID = 1").arg(table));
        query.next();
        return query.value(0).toByteArray();
    }

    void store(const QString &table, const QByteArray &content)
    {
        QSqlQuery query(dm.database());
        query.prepare(QStringLiteral("UPDATE %1 SET SundayCon = ? WHERE ID = 1").arg(table));
        query.addBindValue(content);
        query.exec();
        query.exec("DELETE FROM page_writes");
        dm.rememberStoreFile();
    }

    QColor boardColour() const { return window->board()->palette().color(QPalette::Base); }
    QString boardText() const { return window->board()->toPlainText(); }
};

} // namespace

class TestMemoWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstShowPlacesTheWindowOnPageA();
    void typingStoresTheWholeBoardAtOnce();
    void inputMethodTextIsStoredWhenCommitted();
    void eachPositionKeepsItsOwnPage();
    void storedPageFourOpensUnderC();
    void oneClickOnTheCloseButtonSavesPageThenSizeFile();
    void aSizeFileThatCannotBeWrittenKeepsTheWindowOpen();
    void systemCloseSavesNothing();
    void chromeShowsOnePictureOfEachButtonAndActsOnOneClick();
    void draggingByHandLeavesHoverWorking();
    void clicksOnTheBackgroundNeverMoveTheWindow();
    void aShownPageStartsInTheFormatOfItsStart();
    void positionLetterTakesRightClicksAfterItsFirstClick();
    void boardPanelIsRaisedOutsideAndLoweredInside();
    void contentPictureLeavesTheCaretOut();
    void pasteKeepsOnlyWhatTheStoreKeeps();
};

void TestMemoWindow::initTestCase()
{
    useLocalWebSite();
    QApplication::setApplicationDisplayName(QStringLiteral("Paxelo备忘录"));
    ChineseFonts::install();
}

void TestMemoWindow::firstShowPlacesTheWindowOnPageA()
{
    MemoFixture memo;
    memo.show();
    QCOMPARE(memo.window->frameGeometry(), QRect(189, 147, 645, 443));
    QCOMPARE(memo.folder.readFile("Data/FormSize.ini"), QByteArray("1\r\n645\r\n443\r\n189\r\n147\r\n"));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("A"));
    QCOMPARE(memo.window->CurrentPage, 1);
    QCOMPARE(memo.boardColour(), kBoardYellow);
    QVERIFY(memo.window->contentLoaded());
    QCOMPARE(memo.writes(), 0);
    QCOMPARE(memo.window->windowTitle(), QStringLiteral("Paxelo备忘录"));
    QCOMPARE(memo.window->accessibleName(), QStringLiteral("桌面备忘录Memo"));
}

void TestMemoWindow::typingStoresTheWholeBoardAtOnce()
{
    MemoFixture memo;
    memo.show();
    memo.typeOnBoard("memo");
    QCOMPARE(memo.writes("tb_A"), 4);
    QVERIFY(memo.stored("tb_A").contains("memo"));
    // A change of format alone is stored too.
    memo.window->board()->selectAll();
    memo.window->board()->setTextColor(Qt::red);
    QCOMPARE(memo.writes("tb_A"), 5);
    QVERIFY(memo.stored("tb_A").contains("\\red255\\green0\\blue0"));
}

void TestMemoWindow::inputMethodTextIsStoredWhenCommitted()
{
    MemoFixture memo;
    memo.show();
    WindowInput::click(memo.window->board());
    QInputMethodEvent composing(QStringLiteral("beiwang"), {});
    QApplication::sendEvent(memo.window->board(), &composing);
    QVERIFY(!memo.stored("tb_A").contains("beiwang"));
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("备忘"));
    QApplication::sendEvent(memo.window->board(), &committed);
    QCOMPARE(memo.boardText(), QStringLiteral("备忘"));
    // 备忘 in GBK: B1 B8 CD FC.
    QVERIFY(memo.stored("tb_A").contains("\\'b1\\'b8\\'cd\\'fc"));
}

void TestMemoWindow::eachPositionKeepsItsOwnPage()
{
    MemoFixture memo;
    memo.show();
    memo.typeOnBoard("alpha");
    memo.choose("B");
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("B"));
    QCOMPARE(memo.window->CurrentPage, 2);
    QCOMPARE(memo.boardColour(), kBoardYellow);
    QCOMPARE(memo.boardText(), QString());
    memo.typeOnBoard("beta");
    memo.choose("C");
    QCOMPARE(memo.boardColour(), QApplication::palette().color(QPalette::Base));
    QCOMPARE(memo.boardText(), QString());
    memo.choose("A");
    QCOMPARE(memo.boardText(), QStringLiteral("alpha"));
    memo.choose("B");
    QCOMPARE(memo.boardText(), QStringLiteral("beta"));

    // Choosing the letter already shown saves the page and loads it again.
    const int before = memo.writes("tb_B");
    memo.choose("B");
    QCOMPARE(memo.writes("tb_B"), before + 1);
    QCOMPARE(memo.boardText(), QStringLiteral("beta"));
}

void TestMemoWindow::storedPageFourOpensUnderC()
{
    MemoFixture memo("4\r\n700\r\n500\r\n10\r\n20\r\n");
    memo.store("tb_D", "delta notes");
    memo.show();
    QCOMPARE(memo.window->frameGeometry(), QRect(10, 20, 700, 500));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("C"));
    QCOMPARE(memo.boardColour(), kBoardYellow);
    QCOMPARE(memo.boardText(), QStringLiteral("delta notes"));
    QCOMPARE(memo.writes(), 0);
    memo.choose("A");
    QVERIFY(memo.stored("tb_D").startsWith("{\\rtf1"));
    QVERIFY(memo.stored("tb_D").contains("delta notes"));
    QCOMPARE(memo.window->CurrentPage, 1);
    // The size file is only read: it stays as it was.
    QCOMPARE(memo.folder.readFile("Data/FormSize.ini"), QByteArray("4\r\n700\r\n500\r\n10\r\n20\r\n"));
}

void TestMemoWindow::oneClickOnTheCloseButtonSavesPageThenSizeFile()
{
    MemoFixture memo("2\r\n645\r\n443\r\n100\r\n100\r\n");
    memo.show();
    memo.typeOnBoard("x");
    const int before = memo.writes("tb_B");
    memo.window->setGeometry(150, 160, 700, 480);
    // The picture's top right pixel lies in the resizing edges: the button wins.
    const TImage *picture = memo.window->closeButton()->normal();
    WindowInput::move(picture, QPoint(picture->width() - 1, 0));
    WindowInput::click(picture, QPoint(picture->width() - 1, 0));
    QCOMPARE(memo.window->size(), QSize(700, 480));
    QCOMPARE(memo.writes("tb_B"), before + 1);
    QCOMPARE(memo.folder.readFile("Data/FormSize.ini"), QByteArray("2\r\n700\r\n480\r\n150\r\n160\r\n"));
    QVERIFY(memo.dialogs.errors.isEmpty());
}

void TestMemoWindow::aSizeFileThatCannotBeWrittenKeepsTheWindowOpen()
{
    MemoFixture memo;
    memo.show();
    // A folder where the file should be makes every write fail.
    QFile::remove(memo.folder.path("Data/FormSize.ini"));
    QDir(memo.folder.path("Data")).mkdir("FormSize.ini");
    WindowInput::move(memo.window->closeButton());
    WindowInput::click(memo.window->closeButton());
    QCOMPARE(memo.dialogs.errors.size(), 1);
    QVERIFY(memo.dialogs.errors.first().contains("FormSize.ini"));
    QVERIFY(memo.window->isVisible());
}

void TestMemoWindow::systemCloseSavesNothing()
{
    MemoFixture memo("3\r\n645\r\n443\r\n100\r\n100\r\n");
    memo.show();
    memo.window->setGeometry(300, 300, 800, 600);
    QVERIFY(memo.window->close());
    QCOMPARE(memo.folder.readFile("Data/FormSize.ini"), QByteArray("3\r\n645\r\n443\r\n100\r\n100\r\n"));
    QCOMPARE(memo.writes(), 0);
}

void TestMemoWindow::chromeShowsOnePictureOfEachButtonAndActsOnOneClick()
{
    MemoFixture memo;
    memo.show();
    const QByteArray sizeFile = memo.folder.readFile("Data/FormSize.ini");
    ChromeButton *close = memo.window->closeButton();
    ChromeButton *mini = memo.window->miniButton();
    auto visibleCount = [](ChromeButton *button) {
        return int(button->normal()->isVisible()) + int(button->highlight()->isVisible())
            + int(button->down()->isVisible());
    };
    const QPoint background(300, 30);
    QWindow *window = memo.window->windowHandle();
    QCOMPARE(close->state(), ChromeButton::Normal);
    WindowInput::move(mini);
    QCOMPARE(mini->state(), ChromeButton::Highlight);
    WindowInput::move(close);
    QCOMPARE(close->state(), ChromeButton::Highlight);
    QCOMPARE(mini->state(), ChromeButton::Normal);
    // Pressed, then released away from the button: nothing happens.
    WindowInput::press(close);
    QCOMPARE(close->state(), ChromeButton::Down);
    QCOMPARE(visibleCount(close), 1);
    QCOMPARE(visibleCount(mini), 1);
    QTest::mouseRelease(window, Qt::LeftButton, {}, background);
    // A right-button click shows the down picture but does not close.
    QTest::mouseMove(window, background + QPoint(5, 0));
    QCOMPARE(close->state(), ChromeButton::Normal);
    WindowInput::move(close);
    WindowInput::click(close, std::nullopt, Qt::RightButton);
    QCOMPARE(close->state(), ChromeButton::Down);
    QVERIFY(memo.window->isVisible());
    QCOMPARE(memo.writes(), 0); // the close button saves the page first
    QCOMPARE(memo.folder.readFile("Data/FormSize.ini"), sizeFile);

    // One click on the minimise button minimises.
    QTest::mouseMove(window, background);
    WindowInput::move(mini);
    WindowInput::click(mini);
    QVERIFY(memo.window->isMinimized());
    QCOMPARE(mini->state(), ChromeButton::Normal);
    QCOMPARE(close->state(), ChromeButton::Normal);
    memo.window->showNormal();

    // The chrome is anchored to the right edge.
    memo.window->resize(800, 500);
    QCOMPARE(close->normal()->mapTo(memo.window.get(), QPoint()), QPoint(760, 1));
    QCOMPARE(mini->highlight()->mapTo(memo.window.get(), QPoint()), QPoint(730, 1));
    QCOMPARE(mini->normal()->mapTo(memo.window.get(), QPoint()), QPoint(731, 1));
}

void TestMemoWindow::draggingByHandLeavesHoverWorking()
{
    // The offscreen platform moves and resizes no window itself, so the
    // window follows the pointer by hand, as without a window manager.
    MemoFixture memo;
    memo.show();
    QWindow *window = memo.window->windowHandle();
    const QPoint start = memo.window->pos();
    const QPoint background(300, 30);
    QTest::mousePress(window, Qt::LeftButton, {}, background);
    QTest::mouseMove(window, background + QPoint(30, 20));
    QCOMPARE(memo.window->pos(), start + QPoint(30, 20));
    QTest::mouseRelease(window, Qt::LeftButton, {}, background);
    WindowInput::move(memo.window->closeButton());
    QCOMPARE(memo.window->closeButton()->state(), ChromeButton::Highlight);

    const QPoint corner(memo.window->width() - 1, memo.window->height() - 1);
    QTest::mousePress(window, Qt::LeftButton, {}, corner);
    QTest::mouseMove(window, corner + QPoint(40, 10));
    QTest::mouseRelease(window, Qt::LeftButton, {}, corner + QPoint(40, 10));
    QCOMPARE(memo.window->size(), QSize(645 + 40, 443 + 10));
    WindowInput::move(memo.window->miniButton());
    QCOMPARE(memo.window->miniButton()->state(), ChromeButton::Highlight);
}

void TestMemoWindow::clicksOnTheBackgroundNeverMoveTheWindow()
{
    MemoFixture memo;
    memo.show();
    QWindow *window = memo.window->windowHandle();
    const QPoint start = memo.window->pos();
    const QPoint background(300, 30);
    const QPoint away = background + QPoint(40, 25);
    const int dragDistance = QApplication::startDragDistance();

    // A tap: press and release with nothing between, then the pointer moves.
    QTest::mouseClick(window, Qt::LeftButton, {}, background);
    QTest::mouseMove(window, away);
    QCOMPARE(memo.window->pos(), start);
    // A press that moves less than the drag distance, from the logo too.
    for (const QPoint pressed : {background, QPoint(100, 30)}) {
        QTest::mousePress(window, Qt::LeftButton, {}, pressed);
        QTest::mouseMove(window, pressed + QPoint(dragDistance - 1, 0));
        QCOMPARE(memo.window->pos(), start);
        QTest::mouseRelease(window, Qt::LeftButton, {}, pressed + QPoint(dragDistance - 1, 0));
        QTest::mouseMove(window, away);
        QCOMPARE(memo.window->pos(), start);
    }

    // Once the pointer has come that far, the window makes up the whole way
    // from the press and follows until the button is let go.
    QTest::mousePress(window, Qt::RightButton, {}, background);
    QTest::mouseMove(window, background + QPoint(0, dragDistance));
    QCOMPARE(memo.window->pos(), start + QPoint(0, dragDistance));
    // Window coordinates: the pointer stays over the moved window.
    QTest::mouseMove(window, background + QPoint(30, 20 - dragDistance));
    QCOMPARE(memo.window->pos(), start + QPoint(30, 20));
    QTest::mouseRelease(window, Qt::RightButton, {}, background);
    QTest::mouseMove(window, away);
    QCOMPARE(memo.window->pos(), start + QPoint(30, 20));
}

void TestMemoWindow::aShownPageStartsInTheFormatOfItsStart()
{
    MemoFixture memo;
    // Page C starts with a green 18-point "c".
    memo.store("tb_C", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                       "{\\colortbl ;\\red0\\green128\\blue0;}\\f0\\fs36\\cf1 c\\par}");
    memo.show();
    // Red on page A, through the red mark.
    memo.typeOnBoard("a");
    WindowInput::click(memo.window->board(), std::nullopt, Qt::RightButton);
    QVERIFY(WindowInput::choose(memo.window->editingMenu(), "2"));
    WindowInput::type(memo.window.get(), "r");
    QVERIFY(memo.stored("tb_A").contains("\\red255\\green0\\blue0"));

    // Typed on the empty page B without a click: the board's own format.
    memo.choose("B");
    WindowInput::type(memo.window.get(), "b");
    QCOMPARE(memo.boardText(), QStringLiteral("b"));
    QVERIFY(!memo.stored("tb_B").contains("\\red255"));
    const QTextCharFormat typed = memo.window->board()->textCursor().charFormat();
    QVERIFY(!typed.hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!typed.hasProperty(QTextFormat::FontPointSize));
    QCOMPARE(memo.window->board()->document()->defaultFont().pixelSize(), 15);

    // Page C: typing before any click comes out as its first character.
    memo.choose("A");
    memo.choose("C");
    WindowInput::type(memo.window.get(), "x");
    QCOMPARE(memo.boardText(), QStringLiteral("xc"));
    const QTextCharFormat start = memo.window->board()->textCursor().charFormat();
    QCOMPARE(start.foreground().color(), QColor(0, 128, 0));
    QCOMPARE(start.fontPointSize(), 18.0);
    QVERIFY(memo.stored("tb_C").contains("\\fs36\\cf1 xc"));
}

void TestMemoWindow::positionLetterTakesRightClicksAfterItsFirstClick()
{
    MemoFixture memo;
    memo.show();
    QToolButton *letter = memo.window->positionButton();
    QMenu *menu = memo.window->positionMenu();
    QSignalSpy shown(menu, &QMenu::aboutToShow);
    WindowInput::click(letter, QPoint(3, 3), Qt::RightButton);
    QCOMPARE(shown.size(), 0);
    WindowInput::click(letter);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), letter->mapToGlobal(QPoint(0, letter->height())));
    WindowInput::key(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    // From then on a right click opens it at the pointer.
    WindowInput::click(letter, QPoint(3, 3), Qt::RightButton);
    QTRY_COMPARE(shown.size(), 2);
    QCOMPARE(menu->pos(), letter->mapToGlobal(QPoint(3, 3)));
    QVERIFY(WindowInput::choose(menu, "B"));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("B"));
}

void TestMemoWindow::boardPanelIsRaisedOutsideAndLoweredInside()
{
    MemoFixture memo;
    memo.show();
    QWidget *panel = memo.window->board()->parentWidget();
    const QImage bevel = panel->grab().toImage();
    const QRgb light = panel->palette().color(QPalette::Light).rgb();
    const QRgb dark = panel->palette().color(QPalette::Dark).rgb();
    const int right = bevel.width() - 1, bottom = bevel.height() - 1;
    QCOMPARE(bevel.pixel(0, 0), light);
    QCOMPARE(bevel.pixel(right, bottom), dark);
    QCOMPARE(bevel.pixel(right, 5), dark);
    QCOMPARE(bevel.pixel(1, 1), dark);
    QCOMPARE(bevel.pixel(right - 1, bottom - 1), light);
    QCOMPARE(bevel.pixel(5, bottom - 1), light);
    QCOMPARE(memo.window->board()->geometry(), panel->rect().adjusted(2, 2, -2, -2));
}

void TestMemoWindow::contentPictureLeavesTheCaretOut()
{
    MemoFixture memo;
    memo.show();
    WindowInput::click(memo.window->board()); // the caret shows on the empty board
    TDeskBGSetFrm composer(nullptr);
    memo.window->setCompanions({&composer});
    memo.window->SaveContentPic();
    const QImage content(composer.BGFolder + "Content.bmp");
    QCOMPARE(content.size(), memo.window->board()->size());
    int marked = 0;
    for (int y = 0; y < content.height(); ++y)
        for (int x = 0; x < content.width(); ++x)
            marked += content.pixel(x, y) != kBoardYellow.rgb();
    QCOMPARE(marked, 0);
}

void TestMemoWindow::pasteKeepsOnlyWhatTheStoreKeeps()
{
    QMimeData html;
    html.setHtml("<p><b>bold</b> <a href='http://x'>link</a><img src='a.png'></p>"
                 "<table><tr><td>cell1</td><td>cell2</td></tr></table>");
    const QTextDocumentFragment fragment = BoardEdit::storableFragment(&html);
    const QString text = fragment.toPlainText();
    QVERIFY(text.contains("bold link"));
    QVERIFY(text.contains("cell1"));
    QVERIFY(!text.contains(QChar::ObjectReplacementCharacter));
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    QVERIFY(document.toHtml().indexOf("href") < 0);
    QVERIFY(document.toHtml().indexOf("<table") < 0);
    QVERIFY(document.toHtml().indexOf("font-weight") >= 0);
}

QTEST_MAIN(TestMemoWindow)
#include "tst_memowindow.moc"
