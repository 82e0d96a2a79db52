#include "fixedclock.h"
#include "memo/mainfrm.h"
#include "memo/core/siteaddress.h"
#include "memo/webenginemodule.h"
#include "site/builtinsite.h"
#include "site/panelpage.h"
#include "store/tdm.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/urlrecorder.h"
#include "support/windowinput.h"
#include "widgets/picturecontrol.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDirIterator>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

namespace {

// The program as a user starts it the first time, with no web site configured.
struct PanelFixture {
    FixedClock clock{QDate(2026, 12, 8)};
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    TDM dm;
    std::unique_ptr<TMainFrm> window;

    PanelFixture()
    {
        dm.OpenDatabase();
        window = std::make_unique<TMainFrm>(dm);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void chooseSetting(const QString &caption) const
    {
        WindowInput::click(window->settingsLabel());
        QVERIFY(WindowInput::choose(window->settingsMenu(), caption));
    }
};

// Every href and src of the carried pages names a carried file, and a
// fragment names an id of that page.
void verifyLinksResolve()
{
    static const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    int links = 0;
    for (const QString &path : BuiltInSite::files()) {
        if (!path.endsWith(QStringLiteral(".htm")))
            continue;
        const QUrl page = BuiltInSite::url(path);
        for (const QRegularExpressionMatch &found : link.globalMatch(QString::fromUtf8(BuiltInSite::file(path, {})))) {
            const QUrl target = page.resolved(QUrl(found.captured(1)));
            QCOMPARE(target.scheme(), QStringLiteral("qrc"));
            QFile linked(QLatin1Char(':') + target.path());
            QVERIFY2(linked.open(QIODevice::ReadOnly), qPrintable(found.captured(1)));
            if (target.hasFragment())
                QVERIFY2(linked.readAll().contains(QStringLiteral("id=\"%1\"").arg(target.fragment()).toUtf8()),
                         qPrintable(found.captured(1)));
            ++links;
        }
    }
    QVERIFY(links > 20);
}

// Where the link to `href` shows in the viewer, scrolled into view.
QPoint linkPoint(QTextBrowser *viewer, const QString &href)
{
    for (QTextBlock block = viewer->document()->begin(); block.isValid(); block = block.next()) {
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QTextFragment fragment = part.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(viewer->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            viewer->setTextCursor(cursor);
            viewer->ensureCursorVisible();
            return viewer->cursorRect(cursor).center();
        }
    }
    return {};
}

QTextTable *calendar(QTextDocument *page)
{
    for (QTextFrame *frame : page->rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame); table && table->columns() == 7)
            return table;
    return nullptr;
}

QString cellText(QTextTable *table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor span = cell.firstCursorPosition();
    span.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return span.selectedText();
}

} // namespace

class TestWebPanel : public QObject {
    Q_OBJECT
private slots:
    void defaultStartMapsNoEngineAndPrintsNothing();
    void panelShowsThisMonthWithTodayMarked();
    void rightClickInThePanelOpensNothing();
    void helpAndFeedbackShowInTheProgramsOwnWindow();
    void siteFileConfiguresTheSite_data();
    void siteFileConfiguresTheSite();
    void siteWithoutTheModuleSaysWhichPackageBringsIt();
    void helpTellsWhereThisProgramKeepsItsFiles_data();
    void helpTellsWhereThisProgramKeepsItsFiles();
};

void TestWebPanel::defaultStartMapsNoEngineAndPrintsNothing()
{
    // A fresh application folder with the program and, beside it, the
    // engine's module that only a configured site may load.
    TempAppFolder folder;
    const QString module = QStringLiteral(PAXELO_WEB_MODULE);
    QVERIFY(QFile::copy(QStringLiteral(PAXELO_APP_DIR "/paxelo-memo"), folder.path("paxelo-memo")));
    QVERIFY(QFile::copy(module, folder.path(QFileInfo(module).fileName())));
    // A desktop session has its runtime folder; without one Qt itself warns.
    QTemporaryDir runtime;
    QProcessEnvironment session = QProcessEnvironment::systemEnvironment();
    session.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess memo;
    memo.setProcessEnvironment(session);
    memo.start(folder.path("paxelo-memo"));
    QVERIFY(memo.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.path("Data/FormSize.ini")), 20000);
    QTest::qWait(1000);
    QFile maps(QStringLiteral("/proc/%1/maps").arg(memo.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY(mapped.contains("libQt6Widgets"));
    QVERIFY(!mapped.contains("WebEngine") && !mapped.contains("paxelo-memo-web"));
    QDirIterator processes(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        QFile status(processes.next() + QStringLiteral("/status"));
        if (status.open(QIODevice::ReadOnly))
            QVERIFY(!status.readAll().contains(QStringLiteral("\nPPid:\t%1\n").arg(memo.processId()).toUtf8()));
    }
    memo.kill();
    memo.waitForFinished();
    QCOMPARE(memo.readAllStandardError() + memo.readAllStandardOutput(), QByteArray());
}

void TestWebPanel::panelShowsThisMonthWithTodayMarked()
{
    PanelFixture memo;
    auto *view = qobject_cast<QTextBrowser *>(memo.window->browser());
    QVERIFY(view);
    QCOMPARE(view->geometry(), QRect(0, 0, 300, 250));
    QVERIFY(view->toPlainText().contains(QStringLiteral("2026年12月")));
    QTextTable *month = calendar(view->document());
    QVERIFY(month);
    QCOMPARE(month->rows(), 6);
    for (int column = 0; column < 7; ++column)
        QCOMPARE(cellText(month, 0, column), QString(QStringLiteral("一二三四五六日").at(column)));
    // 1 December 2026 is a Tuesday; the 8th is today.
    QCOMPARE(cellText(month, 1, 0), QString());
    QCOMPARE(cellText(month, 1, 1), QStringLiteral("1"));
    QCOMPARE(cellText(month, 5, 3), QStringLiteral("31"));
    QCOMPARE(cellText(month, 2, 1), QStringLiteral("8"));
    QCOMPARE(month->cellAt(2, 1).format().background().color(), QColor(128, 0, 0));
    QCOMPARE(month->cellAt(2, 2).format().background().style(), Qt::NoBrush);

    // The tip is one of the help's and changes with the day.
    const QStringList tips = BuiltInSite::tips();
    QVERIFY(tips.size() >= 7);
    QVERIFY(view->toPlainText().endsWith(PanelPage::tipFor(QDate(2026, 12, 8), tips)));
    QVERIFY(PanelPage::tipFor(QDate(2026, 12, 8), tips) != PanelPage::tipFor(QDate(2026, 12, 9), tips));

    // A month of six weeks still fits the panel.
    QTextDocument longMonth;
    longMonth.setDefaultFont(view->font());
    longMonth.setTextWidth(300);
    longMonth.setHtml(PanelPage::html(QDate(2026, 3, 31)));
    QCOMPARE(calendar(&longMonth)->rows(), 7);
    QVERIFY(longMonth.size().height() <= 250);
}

void TestWebPanel::rightClickInThePanelOpensNothing()
{
    PanelFixture memo;
    auto *view = qobject_cast<QTextBrowser *>(memo.window->browser());
    QVERIFY(view);
    QSignalSpy emptyMenu(memo.window->browserMenu(), &QMenu::aboutToShow);
    WindowInput::click(view->viewport(), QPoint(150, 100), Qt::RightButton);
    QVERIFY(!emptyMenu.isEmpty());
    for (QWidget *shown : QApplication::topLevelWidgets())
        QVERIFY(!shown->isVisible() || !qobject_cast<QMenu *>(shown) || shown == memo.window->browserMenu());
    QVERIFY(memo.window->browserMenu()->actions().isEmpty());
}

void TestWebPanel::helpAndFeedbackShowInTheProgramsOwnWindow()
{
    PanelFixture memo;
    // Nothing goes to a temporary folder that another user could reach.
    QTemporaryDir temporary;
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    const auto restoreTemporary = qScopeGuard([] { qunsetenv("TMPDIR"); });
    UrlRecorder browser;
    for (const char *scheme : {"file", "qrc", "http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &browser, "open");
    const auto unsetHandlers = qScopeGuard([] {
        for (const char *scheme : {"file", "qrc", "http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    });

    memo.chooseSetting(QStringLiteral("帮助说明"));
    QTextBrowser *viewer = memo.window->findChild<QTextBrowser *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(viewer && viewer->isWindow());
    QTRY_VERIFY(viewer->isVisible());
    QCOMPARE(viewer->source(), BuiltInSite::url(QStringLiteral("/help4/B90a.htm")));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Paxelo备忘录 - 帮助说明"));
    QVERIFY(viewer->toPlainText().contains(QStringLiteral("Data/configSetBg.ini")));
    // The page names this program's data folder and the formats the add
    // takes, as the program follows them.
    const QString shown = viewer->toPlainText();
    QVERIFY(!shown.contains(QStringLiteral("{{")));
    QVERIFY(shown.contains(QDir::toNativeSeparators(memo.folder.root())));
    QVERIFY(shown.contains(QStringLiteral("BMP、JPG、GIF、PNG、WebP 图片（.bmp、.jpg、.jpeg、.gif、.png、.webp）")));

    // A link between the pages stays in the window.
    const QPoint toFeedback = linkPoint(viewer, QStringLiteral("B90b.htm"));
    QVERIFY(!toFeedback.isNull());
    WindowInput::click(viewer->viewport(), toFeedback);
    QTRY_COMPARE(viewer->source(), BuiltInSite::url(QStringLiteral("/help4/B90b.htm")));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Paxelo备忘录 - 意见反馈"));
    QVERIFY(viewer->toPlainText().contains(QDir::toNativeSeparators(memo.folder.root())));

    // Help from the menu again: the same window.
    memo.chooseSetting(QStringLiteral("帮助说明"));
    QTRY_COMPARE(viewer->source(), BuiltInSite::url(QStringLiteral("/help4/B90a.htm")));
    QCOMPARE(memo.window->findChildren<QTextBrowser *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    QCOMPARE(browser.urls, QList<QUrl>());

    // A link out of the pages goes to the user's browser.
    viewer->setHtml(QStringLiteral("<p><a href=\"https://memo.example.org/forum\">论坛</a></p>"));
    WindowInput::click(viewer->viewport(), linkPoint(viewer, QStringLiteral("https://memo.example.org/forum")));
    QCOMPARE(browser.urls, QList<QUrl> {QUrl(QStringLiteral("https://memo.example.org/forum"))});
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    verifyLinksResolve();
}

void TestWebPanel::siteFileConfiguresTheSite_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("root");
    QTest::newRow("no file") << QByteArray() << QString();
    QTest::newRow("site") << QByteArray(" https://memo.example.org/\r\nmore\r\n") << "https://memo.example.org";
    QTest::newRow("port") << QByteArray("http://127.0.0.1:8080") << "http://127.0.0.1:8080";
    QTest::newRow("empty line") << QByteArray("\r\n") << QString();
    QTest::newRow("not the web") << QByteArray("file:///etc/") << QString();
    QTest::newRow("a page, not a site") << QByteArray("https://memo.example.org/rs/") << QString();
}

void TestWebPanel::siteFileConfiguresTheSite()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, root);
    TempAppFolder folder;
    if (!file.isNull())
        folder.writeFile("Data/WebSite.ini", file);
    QCOMPARE(Site::configuredRoot(), root);
}

void TestWebPanel::siteWithoutTheModuleSaysWhichPackageBringsIt()
{
    Site::rootOverride() = QStringLiteral("https://memo.example.org");
    WebEngineModule::location() = QDir::temp().filePath(QStringLiteral("no-such-folder/paxelo-memo-web"));
    PanelFixture memo;
    Site::rootOverride().clear();
    WebEngineModule::location().clear();
    QTRY_VERIFY(qobject_cast<QTextBrowser *>(memo.window->browser()));
    const QString notice = qobject_cast<QTextBrowser *>(memo.window->browser())->toPlainText();
    QVERIFY2(notice.contains(QStringLiteral("没有安装浏览器组件")) && notice.contains(QStringLiteral("paxelo-memo-web"))
                 && notice.contains(QStringLiteral("https://memo.example.org"))
                 && notice.contains(QDir::toNativeSeparators(memo.folder.path("Data/WebSite.ini"))),
             qPrintable(notice));
    QVERIFY(memo.window->browser()->isVisible());
}

void TestWebPanel::helpTellsWhereThisProgramKeepsItsFiles_data()
{
    QTest::addColumn<bool>("portable");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("notSaid");
    QTest::newRow("portable") << true << QStringList {"程序所在的文件夹 <code>/opt/memo/</code>"}
                              << QStringList {"/usr/share/paxelo-memo/", "自己的数据文件夹"};
    QTest::newRow("installed") << false
                               << QStringList {"自己的数据文件夹 <code>/home/li &amp; wang/.local/share/paxelo-memo/</code>",
                                               "从 <code>/usr/share/paxelo-memo/</code> 复制"}
                               << QStringList {"程序所在的文件夹"};
}

void TestWebPanel::helpTellsWhereThisProgramKeepsItsFiles()
{
    QFETCH(bool, portable);
    QFETCH(QStringList, said);
    QFETCH(QStringList, notSaid);
    BuiltInSite::Facts facts;
    facts.portable = portable;
    facts.dataFolder = portable ? QStringLiteral("/opt/memo/") : QStringLiteral("/home/li & wang/.local/share/paxelo-memo/");
    facts.templateFolder = QStringLiteral("/usr/share/paxelo-memo/");
    facts.pictureFormats = QStringList {"BMP", "PNG"};
    facts.pictureExtensions = QStringList {".bmp", ".png"};
    const QString help = QString::fromUtf8(BuiltInSite::file(QStringLiteral("/help4/B90a.htm"), facts));
    for (const QString &text : said)
        QVERIFY2(help.contains(text), qPrintable(text));
    for (const QString &text : notSaid)
        QVERIFY2(!help.contains(text), qPrintable(text));
    QVERIFY(help.contains(QStringLiteral("BMP、PNG 图片（.bmp、.png）")));
    QVERIFY(help.contains(QStringLiteral("恢复时把文件放回数据文件夹 <code>%1</code>").arg(facts.dataFolder.toHtmlEscaped())));
    // The stylesheet is carried as it is.
    QVERIFY(!BuiltInSite::file(QStringLiteral("/help4/memo.css"), facts).isEmpty());
    QVERIFY(BuiltInSite::file(QStringLiteral("/help4/none.htm"), facts).isEmpty());
}

QTEST_MAIN(TestWebPanel)
#include "tst_webpanel.moc"
