#include "fixedclock.h"
#include "memo/mainfrm.h"
#include "memo/siteaddress.h"
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

// Every href and src of the written pages names a file there, and a
// fragment names an id of that page.
void verifyLinksResolve(const QString &siteFolder)
{
    static const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    QDirIterator pages(siteFolder, {QStringLiteral("*.htm")}, QDir::Files, QDirIterator::Subdirectories);
    int links = 0;
    while (pages.hasNext()) {
        const QUrl page = QUrl::fromLocalFile(pages.next());
        QFile file(page.toLocalFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QRegularExpressionMatch &found : link.globalMatch(QString::fromUtf8(file.readAll()))) {
            const QUrl target = page.resolved(QUrl(found.captured(1)));
            QFile linked(target.toLocalFile());
            QVERIFY2(linked.open(QIODevice::ReadOnly), qPrintable(found.captured(1)));
            if (target.hasFragment())
                QVERIFY2(linked.readAll().contains(QStringLiteral("id=\"%1\"").arg(target.fragment()).toUtf8()),
                         qPrintable(found.captured(1)));
            ++links;
        }
    }
    QVERIFY(links > 20);
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
    void helpAndFeedbackOpenTheBuiltInPages();
    void pagesShowInAWindowWhereNoBrowserAnswers();
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

void TestWebPanel::helpAndFeedbackOpenTheBuiltInPages()
{
    PanelFixture memo;
    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    memo.chooseSetting(QStringLiteral("帮助说明"));
    memo.chooseSetting(QStringLiteral("意见反馈"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(browser.urls.size(), 2);
    const QString help = browser.urls[0].toLocalFile();
    QVERIFY(help.endsWith(QStringLiteral("/help4/B90a.htm")));
    QCOMPARE(browser.urls[1].toLocalFile(), help.chopped(5) + QStringLiteral("b.htm"));
    QFile helpPage(help);
    QVERIFY(helpPage.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(helpPage.readAll());
    QVERIFY(text.contains(QStringLiteral("Data/configSetBg.ini")) && !text.contains(QLatin1Char('@')));
    // The pages name this program's data folder, the formats the add takes
    // and the export rule as the program follows it.
    QVERIFY(!text.contains(QStringLiteral("{{")));
    QVERIFY(text.contains(memo.folder.root().toHtmlEscaped()));
    QVERIFY(text.contains(QStringLiteral("BMP、JPG、GIF、PNG、WebP 图片（.bmp、.jpg、.jpeg、.gif、.png、.webp）")));
    QVERIFY(!text.contains(QStringLiteral("notes.txt.txt")));
    QFile feedbackPage(browser.urls[1].toLocalFile());
    QVERIFY(feedbackPage.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(feedbackPage.readAll()).contains(memo.folder.root().toHtmlEscaped()));
    verifyLinksResolve(help.chopped(QStringLiteral("/help4/B90a.htm").size()));
}

void TestWebPanel::pagesShowInAWindowWhereNoBrowserAnswers()
{
    // The test platform starts no browser.
    PanelFixture memo;
    memo.chooseSetting(QStringLiteral("意见反馈"));
    QTextBrowser *viewer = memo.window->findChild<QTextBrowser *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(viewer && viewer->isWindow());
    QTRY_VERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Paxelo备忘录 - 意见反馈"));
    QVERIFY(viewer->toPlainText().contains(QStringLiteral("FormSize.ini")));
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
