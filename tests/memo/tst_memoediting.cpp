#include "fixedclock.h"
#include "memo/boardedit.h"
#include "memo/mainfrm.h"
#include "memo/picturecontrol.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "widgets/chinesefonts.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

struct EditingFixture {
    FixedClock clock{QDate(2026, 12, 6)};
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    TDM dm;
    std::unique_ptr<TMainFrm> window;

    EditingFixture()
    {
        dm.OpenDatabase();
        window = std::make_unique<TMainFrm>(dm);
        window->setScreenLayout(ScreenLayout{{QRect(0, 0, 1024, 768)}});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        board()->setFocus();
    }

    BoardEdit *board() const { return window->board(); }

    // Puts `text` on the board with the caret at its end.
    void type(const QString &text) const { QTest::keyClicks(board(), text); }

    void select(int from, int to) const
    {
        QTextCursor cursor = board()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        board()->setTextCursor(cursor);
    }

    QColor colourBeforeCaret() const { return board()->textCursor().charFormat().foreground().color(); }
};

QStringList captions(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        const QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        texts.append(action->shortcut().isEmpty() ? text : text + QStringLiteral(" with a shortcut"));
    }
    return texts;
}

QAction *item(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions())
        if (action->text() == caption)
            return action;
    for (QAction *action : menu->actions())
        if (action->menu())
            if (QAction *found = item(action->menu(), caption))
                return found;
    return nullptr;
}

// Counts the right-button presses and releases and the context-menu
// requests a widget is given.
class RightClickCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        const bool button = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease;
        if ((button && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            || event->type() == QEvent::ContextMenu)
            ++count;
        return false;
    }
};

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestMemoEditing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void headerShowsTodayAndStampReplacesSelection();
    void menusHaveTheirCaptionsAndNoShortcuts();
    void clipboardItemsActOnTheBoard();
    void tickAndCrossCannotBeUndone();
    void marksColourWhatFollows_data();
    void marksColourWhatFollows();
    void colourNeedsTheBoardFocusAndIsRemembered();
    void fontAppliesToTheSelection();
    void exportWritesThePageText();
    void settingsLabelOpensItsMenuBelowIt();
    void helpAndFeedbackOpenTheSitePages();
    void exitEndsTheLoopAndSavesNothing();
    void rightClicksInTheBrowserReachNoBrowserWidget();
};

void TestMemoEditing::initTestCase()
{
    useLocalWebSite();
    QApplication::setApplicationDisplayName(QStringLiteral("Paxelo备忘录"));
    ChineseFonts::install();
}

void TestMemoEditing::headerShowsTodayAndStampReplacesSelection()
{
    EditingFixture memo;
    QCOMPARE(memo.window->dateLabel()->text(), QStringLiteral("今天是 2026年12月6日(日)"));
    QCOMPARE(memo.window->dateLabel()->pos(), QPoint(343, 19));
    memo.type(QStringLiteral("one word"));
    memo.select(4, 8);
    QTest::mouseClick(memo.window->datePicture(), Qt::LeftButton);
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("one  2026.12.06 (日)"));
    memo.board()->undo();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("one  2026.12.06 (日)"));
}

void TestMemoEditing::menusHaveTheirCaptionsAndNoShortcuts()
{
    EditingFixture memo;
    const QMenu *editing = memo.window->editingMenu();
    QCOMPARE(captions(editing), QStringList({"复制", "粘贴", "删除", "剪切", "-", "打V", "打X", "-", "撤销(Ctrl+Z)", "添加标注"}));
    const QMenu *marks = editing->actions().last()->menu();
    QVERIFY(marks);
    QCOMPARE(captions(marks), QStringList({"1", "2", "3"}));
    const QList<QColor> swatches{QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 0, 255)};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(marks->actions()[i]->icon().pixmap(16, 16).toImage().pixelColor(8, 8), swatches[i]);
    QCOMPARE(captions(memo.window->settingsMenu()), QStringList({"内容导出", "帮助说明", "意见反馈", "-", "退出程序"}));

    // A right click on the board, with the browser's filter in place.
    QSignalSpy shown(memo.window->editingMenu(), &QMenu::aboutToShow);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(memo.board()->viewport(), &rightClick);
    QCOMPARE(shown.size(), 1);
}

void TestMemoEditing::clipboardItemsActOnTheBoard()
{
    EditingFixture memo;
    const QMenu *menu = memo.window->editingMenu();
    memo.type(QStringLiteral("hello"));
    memo.select(1, 4);
    item(menu, "剪切")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("ho"));
    item(menu, "粘贴")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("hello"));
    memo.select(0, 2);
    item(menu, "复制")->trigger();
    item(menu, "删除")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("llo"));
    item(menu, "撤销(Ctrl+Z)")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("hello"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("he"));
}

void TestMemoEditing::tickAndCrossCannotBeUndone()
{
    EditingFixture memo;
    const QMenu *menu = memo.window->editingMenu();
    memo.type(QStringLiteral("ab"));
    item(menu, "打V")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("ab√"));
    item(menu, "撤销(Ctrl+Z)")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("ab√"));
    memo.select(1, 2);
    item(menu, "打X")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("a×√"));
    // What is typed afterwards can be undone again.
    memo.type(QStringLiteral("c"));
    item(menu, "撤销(Ctrl+Z)")->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("a×√"));
}

void TestMemoEditing::marksColourWhatFollows_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("1") << "1" << QColor(0, 0, 255);
    QTest::newRow("2") << "2" << QColor(255, 0, 0);
    QTest::newRow("3") << "3" << QColor(255, 0, 255);
}

void TestMemoEditing::marksColourWhatFollows()
{
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    EditingFixture memo;
    memo.type(QStringLiteral("ab"));
    memo.select(2, 1); // selected backwards: the mark still takes the colour
    item(memo.window->editingMenu(), caption)->trigger();
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("a█"));
    QCOMPARE(memo.colourBeforeCaret(), colour);
    memo.type(QStringLiteral("z"));
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("a█z"));
    QCOMPARE(memo.colourBeforeCaret(), colour);
}

void TestMemoEditing::colourNeedsTheBoardFocusAndIsRemembered()
{
    EditingFixture memo;
    memo.type(QStringLiteral("ab"));
    memo.window->browser()->setFocus();
    QTest::mouseClick(memo.window->redColorPicture(), Qt::LeftButton);
    QVERIFY(memo.dialogs.colorOffers.isEmpty());

    memo.board()->setFocus();
    memo.select(0, 1);
    memo.dialogs.colorAnswers = {QColor(Qt::red), std::nullopt};
    QTest::mouseClick(memo.window->redColorPicture(), Qt::LeftButton);
    QTest::mouseClick(memo.window->redColorPicture(), Qt::LeftButton);
    QCOMPARE(memo.dialogs.colorOffers, QList<QColor>({Qt::black, Qt::red}));
    QCOMPARE(memo.colourBeforeCaret(), QColor(Qt::red));
    memo.select(2, 2);
    QCOMPARE(memo.colourBeforeCaret(), QColor(Qt::black));
}

void TestMemoEditing::fontAppliesToTheSelection()
{
    EditingFixture memo;
    memo.type(QStringLiteral("ab"));
    memo.select(0, 1);
    memo.board()->setTextColor(Qt::red);
    QFont chosen(QStringLiteral("Noto Sans CJK SC"), 20, QFont::Bold, true);
    chosen.setUnderline(true);
    memo.dialogs.fontAnswers = {chosen};
    memo.window->browser()->setFocus(); // the font needs no focus on the board
    QTest::mouseClick(memo.window->fontPicture(), Qt::LeftButton);
    QTest::mouseClick(memo.window->fontPicture(), Qt::LeftButton);
    QCOMPARE(memo.dialogs.fontOffers.size(), 2);
    QCOMPARE(memo.dialogs.fontOffers[0].family(), QStringLiteral("宋体"));
    QCOMPARE(memo.dialogs.fontOffers[0].pointSize(), 12);
    QCOMPARE(memo.dialogs.fontOffers[1], chosen);

    const QTextCharFormat format = memo.board()->textCursor().charFormat();
    QCOMPARE(format.fontFamilies().toStringList(), QStringList{"Noto Sans CJK SC"});
    QCOMPARE(format.fontPointSize(), 20.0);
    QCOMPARE(format.fontWeight(), int(QFont::Bold));
    QVERIFY(format.fontItalic() && format.fontUnderline() && !format.fontStrikeOut());
    QCOMPARE(format.foreground().color(), QColor(Qt::red));
    memo.select(2, 2);
    QVERIFY(memo.board()->textCursor().charFormat().fontPointSize() != 20.0);
}

void TestMemoEditing::exportWritesThePageText()
{
    EditingFixture memo;
    memo.window->N_BClick();
    memo.board()->insertPlainText(QStringLiteral("买菜"));
    QAction *exportItem = item(memo.window->settingsMenu(), "内容导出");
    const QString chosen = memo.folder.path("B备忘录");
    memo.dialogs.saveAnswers = {chosen, QString(), memo.folder.path("Data")};
    exportItem->trigger();
    QCOMPARE(memo.dialogs.proposedNames, QStringList{"B备忘录"});
    QCOMPARE(memo.dialogs.saveFilters, QStringList{"*.Txt"});
    QCOMPARE(memo.folder.readFile("B备忘录.txt"), QByteArray("买菜\n"));
    exportItem->trigger(); // cancelled
    QDir(memo.folder.root()).mkdir("Data.txt");
    exportItem->trigger(); // a folder in the way
    QCOMPARE(memo.dialogs.errors.size(), 1);
}

void TestMemoEditing::settingsLabelOpensItsMenuBelowIt()
{
    EditingFixture memo;
    TImage *label = memo.window->settingsLabel();
    QCOMPARE(label->text(), QStringLiteral("|  选项"));
    // Anchored to the right: the gap to the right edge is the design's.
    QCOMPARE(label->pos(), QPoint(474 + memo.window->width() - 629, 51));
    QCOMPARE(label->contextMenuPolicy(), Qt::DefaultContextMenu);
    QMenu *menu = memo.window->settingsMenu();
    QTest::mouseClick(label, Qt::LeftButton);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), label->mapToGlobal(QPoint(0, label->height())));
    menu->close();
    QSignalSpy shown(menu, &QMenu::aboutToShow);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2));
    QApplication::sendEvent(label, &rightClick);
    QCOMPARE(shown.size(), 1);
}

void TestMemoEditing::helpAndFeedbackOpenTheSitePages()
{
    EditingFixture memo;
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    item(memo.window->settingsMenu(), "帮助说明")->trigger();
    item(memo.window->settingsMenu(), "意见反馈")->trigger();
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.urls.size(), 2);
    QCOMPARE(recorder.urls[0].path(), QStringLiteral("/help4/B90a.htm"));
    QCOMPARE(recorder.urls[1].path(), QStringLiteral("/help4/B90b.htm"));
    QCOMPARE(recorder.urls[0].host(), recorder.urls[1].host());
}

void TestMemoEditing::exitEndsTheLoopAndSavesNothing()
{
    EditingFixture memo;
    const QByteArray sizeFile = memo.folder.readFile("Data/FormSize.ini");
    memo.window->setGeometry(200, 200, 700, 500);
    QTimer::singleShot(0, [&] { item(memo.window->settingsMenu(), "退出程序")->trigger(); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(memo.folder.readFile("Data/FormSize.ini"), sizeFile);
    QVERIFY(memo.window->isVisible());
}

void TestMemoEditing::rightClicksInTheBrowserReachNoBrowserWidget()
{
    EditingFixture memo;
    QWidget *browser = memo.window->browser();
    QCOMPARE(browser->geometry(), QRect(-11, -16, 2000, 841));
    QCOMPARE(browser->parentWidget()->geometry(), QRect(1, 1, 300, 250));
    QCOMPARE(memo.window->addToDeskPicture()->geometry(), QRect(62, 264, 179, 57));
    QCOMPARE(memo.window->addToDeskPicture()->parentWidget(), browser->parentWidget()->parentWidget());

    QTRY_VERIFY(!browser->findChildren<QWidget *>().isEmpty());
    RightClickCounter counter;
    QList<QWidget *> inside = browser->findChildren<QWidget *>();
    inside.append(browser);
    for (QWidget *widget : inside)
        widget->installEventFilter(&counter);
    QSignalSpy emptyMenu(memo.window->browserMenu(), &QMenu::aboutToShow);
    for (QWidget *widget : inside) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 40), QPointF(40, 40), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(40, 40));
        QApplication::sendEvent(widget, &request);
    }
    QCOMPARE(counter.count, 0);
    QCOMPARE(emptyMenu.size(), inside.size());
    QVERIFY(memo.window->browserMenu()->actions().isEmpty());
}

QTEST_MAIN(TestMemoEditing)
#include "tst_memoediting.moc"
