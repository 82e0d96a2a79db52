#include "fixedclock.h"
#include "memo/boardedit.h"
#include "memo/mainfrm.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/urlrecorder.h"
#include "support/windowinput.h"
#include "widgets/chinesefonts.h"
#include "widgets/fontcolourdialog.h"
#include "widgets/picturecontrol.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QPushButton>
#include <QWindow>

#include <functional>

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
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        WindowInput::click(board());
    }

    BoardEdit *board() const { return window->board(); }

    // Types `text` on the board, which has the focus.
    void type(const QString &text) const { WindowInput::type(window.get(), text); }

    // An item of the board's menu, opened by a right click on the board.
    void useBoardMenu(const QString &caption) const
    {
        WindowInput::click(board(), std::nullopt, Qt::RightButton);
        QVERIFY(WindowInput::choose(window->editingMenu(), caption));
    }

    // An item of the settings menu, opened by a click on its label.
    void useSettingsMenu(const QString &caption) const
    {
        WindowInput::click(window->settingsLabel());
        QVERIFY(WindowInput::choose(window->settingsMenu(), caption));
    }

    void select(int from, int to) const
    {
        QTextCursor cursor = board()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        board()->setTextCursor(cursor);
    }

    // Page A as the store holds it.
    QByteArray stored() const
    {
        QSqlQuery query(dm.database());
        query.exec("SELECT SundayCon FROM tb_A WHERE ID = 1");
        query.next();
        return query.value(0).toByteArray();
    }

    QColor colourBeforeCaret() const { return board()->textCursor().charFormat().foreground().color(); }

    // The format of the character at `position`.
    QTextCharFormat formatAt(int position) const
    {
        QTextCursor cursor(board()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
};

// Every attribute the font dialog shows but `left`.
FontChoice::Attributes allBut(FontChoice::Attributes left)
{
    return FontChoice::Attributes(FontChoice::All) & ~left;
}

QStringList captions(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        const QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        texts.append(action->shortcut().isEmpty() ? text : text + QStringLiteral(" with a shortcut"));
    }
    return texts;
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

// Counts the dialogs that show anywhere in the program and closes them.
class BoxCounter : public QObject {
public:
    int shown = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *box = qobject_cast<QDialog *>(watched); box && event->type() == QEvent::Show) {
            ++shown;
            QMetaObject::invokeMethod(box, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }
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
    void fontDialogOpensOnTheSelectionAndAppliesWhatItShows();
    void fontDialogOffersSongTiAndItsColours();
    void exportWritesThePageText();
    void settingsLabelOpensItsMenuBelowIt();
    void helpAndFeedbackOpenTheSitePages();
    void exitEndsTheLoopAndSavesNothing();
    void rightClicksInTheBrowserReachNoBrowserWidget();
    void aSitesScriptOpensNoBoxesAndTakesNoKeys();
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
    WindowInput::click(memo.window->datePicture());
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("one  2026.12.06 (日)"));
    WindowInput::key(memo.board(), Qt::Key_Z, Qt::ControlModifier);
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
    QCOMPARE(captions(memo.window->settingsMenu()), QStringList({"内容导出", "帮助说明", "意见反馈", "登录时启动", "自动更新桌面", "恢复原来的桌面", "-", "退出程序"}));

    // A right click on the board, with the browser's filter in place.
    QSignalSpy shown(memo.window->editingMenu(), &QMenu::aboutToShow);
    WindowInput::click(memo.board(), std::nullopt, Qt::RightButton);
    QCOMPARE(shown.size(), 1);
}

void TestMemoEditing::clipboardItemsActOnTheBoard()
{
    EditingFixture memo;
    memo.type(QStringLiteral("hello"));
    memo.select(1, 4);
    memo.useBoardMenu("剪切");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("ho"));
    memo.useBoardMenu("粘贴");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("hello"));
    memo.select(0, 2);
    memo.useBoardMenu("复制");
    memo.useBoardMenu("删除");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("llo"));
    memo.useBoardMenu("撤销(Ctrl+Z)");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("hello"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("he"));
}

void TestMemoEditing::tickAndCrossCannotBeUndone()
{
    EditingFixture memo;
    memo.type(QStringLiteral("ab"));
    memo.useBoardMenu("打V");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("ab√"));
    memo.useBoardMenu("撤销(Ctrl+Z)");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("ab√"));
    memo.select(1, 2);
    memo.useBoardMenu("打X");
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("a×√"));
    // What is typed afterwards can be undone again.
    memo.type(QStringLiteral("c"));
    memo.useBoardMenu("撤销(Ctrl+Z)");
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
    memo.useBoardMenu(caption);
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
    memo.window->browser()->setFocus(); // the caret in the web panel
    WindowInput::click(memo.window->redColorPicture());
    QVERIFY(memo.dialogs.colorOffers.isEmpty());

    WindowInput::click(memo.board());
    memo.select(0, 1);
    memo.dialogs.colorAnswers = {QColor(Qt::red), std::nullopt};
    WindowInput::click(memo.window->redColorPicture());
    WindowInput::click(memo.window->redColorPicture());
    QCOMPARE(memo.dialogs.colorOffers, QList<QColor>({Qt::black, Qt::red}));
    QCOMPARE(memo.colourBeforeCaret(), QColor(Qt::red));
    memo.select(2, 2);
    QCOMPARE(memo.colourBeforeCaret(), QColor(Qt::black));
}

void TestMemoEditing::fontDialogOpensOnTheSelectionAndAppliesWhatItShows()
{
    EditingFixture memo;
    memo.type(QStringLiteral("abcd"));
    memo.select(0, 2);
    QFont big(QStringLiteral("宋体"));
    big.setPointSizeF(18);
    memo.dialogs.fontAnswers = {FontChoice{big, Qt::red}};
    memo.window->browser()->setFocus(); // the font needs no focus on the board
    WindowInput::click(memo.window->fontPicture());
    // The board's own format: 宋体, 15 pixels (11.5 points as stored), black.
    const FontChoice plain = memo.dialogs.fontOffers.at(0);
    QCOMPARE(plain.font.family(), QStringLiteral("宋体"));
    QCOMPARE(plain.font.pointSizeF(), 11.5);
    QCOMPARE(plain.colour, QColor(Qt::black));
    QVERIFY(!plain.font.bold() && !plain.font.italic() && !plain.font.underline() && !plain.font.strikeOut());
    QCOMPARE(plain.determined, FontChoice::Attributes(FontChoice::All));
    QCOMPARE(memo.formatAt(1).fontPointSize(), 18.0);
    QCOMPARE(memo.formatAt(1).foreground().color(), QColor(Qt::red));

    // Other text shows its own size, not the last choice; OK with 18 shown
    // sets 18.
    memo.select(2, 4);
    memo.dialogs.fontAnswers = {FontChoice{big, Qt::black}};
    WindowInput::click(memo.window->fontPicture());
    QCOMPARE(memo.dialogs.fontOffers.at(1).font.pointSizeF(), 11.5);
    QCOMPARE(memo.formatAt(3).fontPointSize(), 18.0);

    // Across red and black: the colour shows blank and stays as it was,
    // the rest is set.
    memo.select(1, 3);
    QFont boldItalic(QStringLiteral("Noto Sans CJK SC"), 20, QFont::Bold, true);
    boldItalic.setUnderline(true);
    memo.dialogs.fontAnswers = {FontChoice{boldItalic, Qt::blue, allBut(FontChoice::Colour)}};
    WindowInput::click(memo.window->fontPicture());
    const FontChoice mixed = memo.dialogs.fontOffers.at(2);
    QCOMPARE(mixed.determined, allBut(FontChoice::Colour));
    QCOMPARE(mixed.font.pointSizeF(), 18.0);
    for (int at : {1, 2}) {
        const QTextCharFormat format = memo.formatAt(at);
        QCOMPARE(format.fontFamilies().toStringList(), QStringList{"Noto Sans CJK SC"});
        QCOMPARE(format.fontPointSize(), 20.0);
        QVERIFY(format.fontWeight() == QFont::Bold && format.fontItalic() && format.fontUnderline());
        QVERIFY(!format.fontStrikeOut());
    }
    QCOMPARE(memo.formatAt(1).foreground().color(), QColor(Qt::red));
    QCOMPARE(memo.formatAt(2).foreground().color(), QColor(Qt::black));
    QCOMPARE(memo.formatAt(0).fontPointSize(), 18.0);
    QCOMPARE(memo.formatAt(3).fontWeight(), int(QFont::Normal));

    // Without a selection the dialog shows the caret's format, and what it
    // sets applies to what is typed next.
    WindowInput::click(memo.board());
    memo.select(3, 3);
    memo.dialogs.fontAnswers = {FontChoice{big, Qt::green, FontChoice::Colour}};
    WindowInput::click(memo.window->fontPicture());
    QCOMPARE(memo.dialogs.fontOffers.at(3).font.pointSizeF(), 20.0);
    QCOMPARE(memo.dialogs.fontOffers.at(3).colour, QColor(Qt::black));
    memo.type(QStringLiteral("z"));
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("abczd"));
    QCOMPARE(memo.formatAt(3).foreground().color(), QColor(Qt::green));
    QCOMPARE(memo.formatAt(3).fontPointSize(), 20.0);
}

void TestMemoEditing::fontDialogOffersSongTiAndItsColours()
{
    EditingFixture memo;
    Dialogs::setInstance(nullptr); // the real dialog
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("备忘ab"));
    QApplication::sendEvent(memo.board(), &committed);
    WindowInput::key(memo.board(), Qt::Key_A, Qt::ControlModifier);
    const QByteArray before = memo.stored();
    QVERIFY(before.contains("\\'cb\\'ce\\'cc\\'e5;")); // 宋体 in the font table

    // Answers the dialog the way a user does; `keys` run first.
    struct Seen {
        QFont font;
        FontChoice::Attributes determined;
        QString style;
        QString colour;
        bool okEnabled = false;
        QSize size;
    } seen;
    auto answer = [&](const std::function<void(FontColourDialog *)> &keys) {
        QTimer::singleShot(0, [&, keys] {
            auto *dialog = qobject_cast<FontColourDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog && QTest::qWaitForWindowActive(dialog));
            seen.font = dialog->chosen().font;
            seen.determined = dialog->chosen().determined;
            const QList<QListWidgetItem *> style = dialog->styleList()->selectedItems();
            seen.style = style.isEmpty() ? QString() : style.first()->text();
            seen.colour = dialog->colourList()->currentText();
            QPushButton *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            seen.okEnabled = ok->isEnabled();
            seen.size = dialog->frameGeometry().size();
            keys(dialog);
            WindowInput::click(ok);
        });
        WindowInput::click(memo.window->fontPicture());
    };
    answer([](FontColourDialog *) {});
    QCOMPARE(seen.font.family(), QStringLiteral("Noto Serif CJK SC"));
    QCOMPARE(seen.font.pointSizeF(), 11.5);
    QCOMPARE(seen.style, QStringLiteral("常规"));
    QCOMPARE(seen.colour, QStringLiteral("黑色"));
    QCOMPARE(seen.determined, FontChoice::Attributes(FontChoice::All));
    QVERIFY(seen.okEnabled);
    QVERIFY(seen.size.width() <= 1024 && seen.size.height() <= 768);
    QCOMPARE(memo.stored(), before);

    answer([](FontColourDialog *dialog) {
        WindowInput::key(dialog, Qt::Key_C, Qt::AltModifier);
        for (int i = 0; i < 9; ++i) // black to red
            WindowInput::key(dialog, Qt::Key_Down);
    });
    const QByteArray red = memo.stored();
    QVERIFY(red.contains("\\red255\\green0\\blue0"));
    // Still 宋体 for Chinese, and 备忘 written in GBK, not as \uN escapes.
    QVERIFY(red.contains("{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"));
    QVERIFY(red.contains("\\cf1\\'b1\\'b8\\'cd\\'fcab"));
    QCOMPARE(memo.colourBeforeCaret(), QColor(Qt::red));

    // "ab" bold, then everything: bold and not shows no style, and a size
    // typed in applies to all of it, leaving the style as it was.
    memo.select(2, 4);
    answer([](FontColourDialog *dialog) {
        WindowInput::key(dialog, Qt::Key_Y, Qt::AltModifier);
        WindowInput::key(dialog, Qt::Key_Down);
        WindowInput::key(dialog, Qt::Key_Down);
    });
    QCOMPARE(memo.formatAt(2).fontWeight(), int(QFont::Bold));
    QCOMPARE(memo.formatAt(1).fontWeight(), int(QFont::Normal));
    WindowInput::key(memo.board(), Qt::Key_A, Qt::ControlModifier);
    answer([](FontColourDialog *dialog) {
        WindowInput::key(dialog, Qt::Key_S, Qt::AltModifier);
        WindowInput::type(dialog, QStringLiteral("18"));
    });
    QCOMPARE(seen.style, QString());
    QCOMPARE(seen.colour, QStringLiteral("红色"));
    QCOMPARE(seen.determined, allBut(FontChoice::Bold | FontChoice::Italic));
    for (int at = 0; at < 4; ++at) {
        QCOMPARE(memo.formatAt(at).fontPointSize(), 18.0);
        QCOMPARE(memo.formatAt(at).fontWeight(), int(at < 2 ? QFont::Normal : QFont::Bold));
        QCOMPARE(memo.formatAt(at).foreground().color(), QColor(Qt::red));
    }
}

void TestMemoEditing::exportWritesThePageText()
{
    EditingFixture memo;
    WindowInput::click(memo.window->positionButton());
    QVERIFY(WindowInput::choose(memo.window->positionMenu(), "B"));
    memo.board()->insertPlainText(QStringLiteral("买菜"));
    const QString chosen = memo.folder.path("B备忘录");
    memo.dialogs.saveAnswers = {chosen, QString(), memo.folder.path("Data")};
    memo.useSettingsMenu("内容导出");
    QCOMPARE(memo.dialogs.saveTitles, QStringList{"内容导出"});
    QCOMPARE(memo.dialogs.proposedNames, QStringList{"B备忘录"});
    QCOMPARE(memo.dialogs.saveFilters, QStringList{"*.Txt"});
    QCOMPARE(memo.folder.readFile("B备忘录.txt"), QByteArray("买菜\n"));
    memo.useSettingsMenu("内容导出"); // cancelled
    QDir(memo.folder.root()).mkdir("Data.txt");
    memo.useSettingsMenu("内容导出"); // a folder in the way
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
    // Far from the screen's right edge, which would push the menu left.
    memo.window->move(0, memo.window->y());
    WindowInput::click(label);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), label->mapToGlobal(QPoint(0, label->height())));
    menu->close();
    QSignalSpy shown(menu, &QMenu::aboutToShow);
    WindowInput::click(label, QPoint(2, 2), Qt::RightButton);
    QTRY_COMPARE(shown.size(), 1);
}

void TestMemoEditing::helpAndFeedbackOpenTheSitePages()
{
    EditingFixture memo;
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    memo.useSettingsMenu("帮助说明");
    memo.useSettingsMenu("意见反馈");
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
    QTimer::singleShot(0, [&] { memo.useSettingsMenu("退出程序"); });
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
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(40, 40), widget->mapToGlobal(QPoint(40, 40)));
        QApplication::sendEvent(widget, &request);
    }
    QCOMPARE(counter.count, 0);
    QCOMPARE(emptyMenu.size(), inside.size());
    QVERIFY(memo.window->browserMenu()->actions().isEmpty());
}

void TestMemoEditing::aSitesScriptOpensNoBoxesAndTakesNoKeys()
{
    BoxCounter boxes;
    qApp->installEventFilter(&boxes);
    EditingFixture memo;
    QTRY_VERIFY(memo.window->browser());
    // A page that would keep the user busy with boxes, in the panel's browser.
    memo.window->browser()->setProperty(
        "url", QUrl(QStringLiteral("data:text/html,<title>start</title><script>"
                                   "for (let i = 0; i < 50; ++i) alert('again ' + i);"
                                   "document.title = String(confirm('sure?')) + ':' + String(prompt('name?', 'x'));"
                                   "</script>")));
    QTRY_COMPARE_WITH_TIMEOUT(memo.window->browser()->property("title").toString(), QStringLiteral("false:null"), 60000);
    memo.type(QStringLiteral("abc def"));
    qApp->removeEventFilter(&boxes);
    QCOMPARE(boxes.shown, 0);
    QCOMPARE(memo.board()->toPlainText(), QStringLiteral("abc def"));
}

QTEST_MAIN(TestMemoEditing)
#include "tst_memoediting.moc"
