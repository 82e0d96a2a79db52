#include "richtext/richtext.h"
#include "runlist.h"
#include "support/testdata.h"

#include <QFile>
#include <QTest>
#include <QTextCursor>

// What reaches the board from stored values: RTF as Windows programs and
// other writers produce it, damaged RTF, and plain text.
class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void handWrittenWindowsSamples();
    void text_data();
    void text();
    void controlWordsSetTheFormat();
    void fontNames_data();
    void fontNames();
    void loadKeepsDefaultFontAndLeavesNoUndo();
    void hostileInputStaysBounded_data();
    void hostileInputStaysBounded();
    void filesFromOtherPrograms_data();
    void filesFromOtherPrograms();
    void fontsOfFilesFromOtherPrograms();
};

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList loadedParagraphs(const QByteArray &stored)
{
    QTextDocument board;
    RichText::load(stored, board);
    return paragraphsOf(board);
}

QList<QList<Run>> loadedRuns(const QByteArray &stored)
{
    QTextDocument board;
    RichText::load(stored, board);
    return runsOf(board);
}

Run run(const QString &text, const QString &family, double points, std::optional<QRgb> color = std::nullopt,
        bool bold = false, bool italic = false, bool underline = false, bool strike = false)
{
    return Run{text, family, points, color, bold, italic, underline, strike};
}

} // namespace

void TestRtfReader::handWrittenWindowsSamples()
{
    const QString song = QStringLiteral("宋体");
    const QList<QList<Run>> cp936 = loadedRuns(readFile(testData(QStringLiteral("richedit_cp936.rtf"))));
    QCOMPARE(cp936.size(), 7);
    QCOMPARE(cp936.at(0), QList<Run>{run(QStringLiteral("今天的事："), song, 12)});
    QCOMPARE(cp936.at(1), (QList<Run>{
                              run(QStringLiteral("加粗"), song, 12, std::nullopt, true),
                              run(QStringLiteral("、"), song, 12),
                              run(QStringLiteral("斜体"), song, 12, std::nullopt, false, true),
                              run(QStringLiteral("、"), song, 12),
                              run(QStringLiteral("下划线"), song, 12, std::nullopt, false, false, true),
                              run(QStringLiteral("、"), song, 12),
                              run(QStringLiteral("删除线"), song, 12, std::nullopt, false, false, false, true),
                              run(QStringLiteral("、"), song, 12),
                              run(QStringLiteral("红色"), song, 12, 0xFF0000),
                          }));
    QCOMPARE(cp936.at(2), (QList<Run>{
                              run(QStringLiteral("Meeting at 10:00 {room 3}"), QStringLiteral("Arial"), 10),
                              run(QStringLiteral("，"), song, 12),
                              run(QStringLiteral("大字"), QStringLiteral("黑体"), 16),
                          }));
    QCOMPARE(cp936.at(3), QList<Run>{run(QStringLiteral("😀 한국어 “引号”"), song, 12)});
    QCOMPARE(cp936.at(4).at(0).text, QString()); // the picture leaves its paragraph empty
    QCOMPARE(cp936.at(5), QList<Run>{run(QStringLiteral("example.com"), song, 12, 0x0000FF, false, false, true)});
    QCOMPARE(cp936.at(6).at(0).text, QString());

    const QList<QList<Run>> wordPad = loadedRuns(readFile(testData(QStringLiteral("wordpad_cp1252_simsun.rtf"))));
    QCOMPARE(wordPad, (QList<QList<Run>>{
                          {run(QStringLiteral("Café naïve "), QStringLiteral("Calibri"), 11),
                           run(QStringLiteral("中文"), QStringLiteral("SimSun"), 11),
                           run(QStringLiteral(" end"), QStringLiteral("Calibri"), 11)},
                          {run(QStringLiteral("\tTabbed\u2028second line"), QStringLiteral("Calibri"), 11)},
                      }));
}

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("paragraphs");

    auto row = [](const char *name, const QByteArray &stored, const QStringList &paragraphs) {
        QTest::newRow(name) << stored << paragraphs;
    };
    row("empty value", QByteArray(), {QString()});
    row("plain ASCII lines", "first\r\nsecond\nthird\rfourth", {"first", "second", "third", "fourth"});
    row("plain UTF-8", "\xe4\xb8\xad\xe6\x96\x87 ok", {QStringLiteral("中文 ok")});
    row("plain GB18030", "\xd6\xd0\xce\xc4 ok \x81\x30\x81\x30", {QStringLiteral("中文 ok \u0080")});
    row("plain text that mentions rtf", " {\\rtf1 x}", {" {\\rtf1 x}"});
    row("paragraph ends", "{\\rtf1 a\\par b\\par}", {"a", "b"});
    row("empty last paragraph", "{\\rtf1 a\\par\\par}", {"a", ""});
    row("text after the last par", "{\\rtf1 a\\par b}", {"a", "b"});
    row("backslash line break", "{\\rtf1 a\\\nb\\\r\nc}", {"a", "b", "c"});
    row("raw line breaks ignored", "{\\rtf1 a\r\nb\nc}", {"abc"});
    row("hex CR and LF", "{\\rtf1 a\\'0db\\'0ac\\'0d\\'0ad}", {"a", "b", "c", "d"});
    row("symbols", "{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\~\\-\\_\\tab\\line}",
        {QStringLiteral("—–‘’“”•\u00A0\u00AD\u2011\t\u2028")});
    row("escapes", "{\\rtf1 \\\\\\{\\}}", {"\\{}"});
    row("unicode with fallback", "{\\rtf1 \\u20013?\\u25991?}", {QStringLiteral("中文")});
    row("uc2 skips a byte pair", "{\\rtf1\\ansicpg936 {\\uc2\\u20013\\'d6\\'d0}x}", {QStringLiteral("中x")});
    row("uc0", "{\\rtf1 \\uc0\\u20013 x}", {QStringLiteral("中x")});
    row("uc is per group", "{\\rtf1 {\\uc0\\u20013}\\u25991?y}", {QStringLiteral("中文y")});
    row("skip ends at group end", "{\\rtf1 {\\uc5\\u20013}ab}", {QStringLiteral("中ab")});
    row("negative unicode", "{\\rtf1 \\u-3913?}", {QStringLiteral("\uF0B7")});
    row("surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", {QStringLiteral("😀")});
    row("stray surrogate", "{\\rtf1 \\u-10179?z}", {QStringLiteral("\uFFFDz")});
    row("out of range unicode", "{\\rtf1 \\u70000?z}", {QStringLiteral("\uFFFDz")});
    row("reserved characters", "{\\rtf1 \\u65532?\\u-560?}", {QStringLiteral("\uFFFD\uFFFD")});
    row("GBK pairs", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}", {QStringLiteral("中文")});
    row("euro in code page 936", "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 A;}}\\f0\\'80}", {QStringLiteral("€")});
    row("Western font in a Chinese document",
        "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'d6\\'d0\\b \\'e9}", {QStringLiteral("中é")});
    row("font charset over document code page",
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset134 B;}{\\f2\\fcharset128 C;}{\\f3\\fcharset136 D;}}"
        "\\f0\\'e9\\f1\\'d6\\'d0\\f2\\'82\\'a0\\f3\\'a4\\'a4}",
        {QStringLiteral("é中あ中")});
    row("cpg overrides charset", "{\\rtf1{\\fonttbl{\\f0\\fcharset0\\cpg1251 A;}}\\f0\\'cf}", {QStringLiteral("П")});
    row("Cyrillic document", "{\\rtf1\\ansi\\ansicpg1251 \\'cf}", {QStringLiteral("П")});
    row("code page changed after text", "{\\rtf1\\ansi \\'e9\\ansicpg1251 \\'cf}", {QStringLiteral("éП")});
    row("font table after text", "{\\rtf1\\ansi\\f0 x{\\fonttbl{\\f0\\fcharset134 A;}}\\'d6\\'d0}", {QStringLiteral("x中")});
    row("unknown code page", "{\\rtf1\\ansi\\ansicpg0 Test \\'e9}", {QStringLiteral("Test é")});
    row("star destination", "{\\rtf1 a{\\*\\unknown hidden{nested}}b}", {"ab"});
    row("skipped destinations",
        "{\\rtf1{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}}{\\header H}{\\footer F}{\\footnote N}"
        "{\\pict\\pngblip 89504e47}{\\object{\\objdata 00}}body}",
        {"body"});
    row("field shows its result", "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} now}", {"see link now"});
    row("field instruction without star", "{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 7}}}", {"7"});
    row("bin data with braces", "{\\rtf1 a{\\pict\\bin6 }}{\\{}}b}", {"ab"});
    row("bin data in the body", "{\\rtf1 a\\bin3 xyzb}", {"ab"});
    row("bin longer than the input", "{\\rtf1 a\\bin999999 xyz}", {"a"});
    row("unknown words ignored", "{\\rtf1 a\\foobar b\\xyz12 c}", {"abc"});
    row("text after the document", "{\\rtf1 a}}b{c}", {"a"});
    row("missing closing brace", "{\\rtf1 a{\\b b", {"ab"});
    row("broken hex escape", "{\\rtf1 a\\'zb\\'}", {"azb"});
    row("control characters dropped", "{\\rtf1 a\\'01\\'00b}", {"ab"});
    row("table cells", "{\\rtf1 \\trowd\\cellx100 A\\cell B\\cell\\row after}", {"A\tB\t", "after"});
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, paragraphs);
    QCOMPARE(loadedParagraphs(stored), paragraphs);
}

void TestRtfReader::controlWordsSetTheFormat()
{
    const QByteArray stored =
        "{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
        "{\\colortbl;\\red255\\green0\\blue0;;}"
        "\\f0\\fs30\\cf1\\b\\i\\ul\\strike A\\b0\\i0\\ul0\\strike0\\cf0 B\\b\\ulw C\\ulnone\\b0\\cf2 D"
        "\\plain E{\\fs40 F}G\\f9 H\\fs0\\cf7 I}";
    const QString song = QStringLiteral("宋体");
    const QString arial = QStringLiteral("Arial");
    const QList<QList<Run>> expected = {{
                                     run(QStringLiteral("A"), arial, 15, 0xFF0000, true, true, true, true),
                                     run(QStringLiteral("B"), arial, 15),
                                     run(QStringLiteral("C"), arial, 15, std::nullopt, true, false, true),
                                     run(QStringLiteral("D"), arial, 15),
                                     run(QStringLiteral("E"), song, 12),
                                     run(QStringLiteral("F"), song, 20),
                                     run(QStringLiteral("G"), song, 12),
                                     // A font missing from the table leaves the board's own;
                                     // \fs0 is the default size, a colour missing from the
                                     // table the automatic colour.
                                     run(QStringLiteral("HI"), QString(), 12),
                                 }};
    QCOMPARE(loadedRuns(stored), expected);
}

void TestRtfReader::fontNames_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("family");
    QTest::newRow("GBK bytes") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\f0 x}")
                               << QStringLiteral("宋体");
    QTest::newRow("raw GBK bytes") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset134 \xcb\xce\xcc\xe5;}}\\f0 x}")
                                   << QStringLiteral("宋体");
    QTest::newRow("unicode") << QByteArray("{\\rtf1{\\fonttbl{\\f0 \\u23435?\\u20307?;}}\\f0 x}") << QStringLiteral("宋体");
    QTest::newRow("without inner groups") << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1 Courier;}\\f1 x}")
                                          << QStringLiteral("Courier");
    QTest::newRow("alternative skipped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Liberation Serif{\\*\\falt Times New Roman};}}\\f0 x}")
        << QStringLiteral("Liberation Serif");
    QTest::newRow("escaped semicolon") << QByteArray("{\\rtf1{\\fonttbl{\\f0 A\\'3bB;}}\\f0 x}") << QStringLiteral("A;B");
    QTest::newRow("no semicolon") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial}}\\f0 x}") << QStringLiteral("Arial");
    QTest::newRow("control characters and blanks")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 \\'01 Odd\\tab Name ;}}\\f0 x}") << QStringLiteral("Odd\tName");
}

void TestRtfReader::fontNames()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, family);
    QCOMPARE(loadedRuns(stored).value(0).value(0).family, family);
}

void TestRtfReader::loadKeepsDefaultFontAndLeavesNoUndo()
{
    QTextDocument board;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    board.setDefaultFont(font);
    QTextCursor(&board).insertText(QStringLiteral("typed"));
    QVERIFY(board.isUndoAvailable());

    RichText::load("{\\rtf1 stored}", board);
    QCOMPARE(board.toPlainText(), QStringLiteral("stored"));
    QCOMPARE(board.defaultFont(), font);
    QVERIFY(!board.isUndoAvailable());
    QVERIFY(board.isUndoRedoEnabled());
}

void TestRtfReader::hostileInputStaysBounded_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("deep groups") << QByteArray("{\\rtf1 ") + QByteArray(200000, '{') + "x" + QByteArray(200000, '}')
                                 << QStringLiteral("x");
    QTest::newRow("deep skipped groups") << QByteArray("{\\rtf1 {\\*") + QByteArray(200000, '{') + "x" << QString();
    QTest::newRow("long control word") << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'a') + QByteArray(50, '9') + " x}"
                                       << QStringLiteral("x");
    QTest::newRow("huge skip count") << QByteArray("{\\rtf1 \\uc2147483647\\u20013 ") + QByteArray(1000, 'z') << QStringLiteral("中");
    QTest::newRow("many fonts") << QByteArray("{\\rtf1{\\fonttbl") + QByteArray("{\\f2147483647 A;}").repeated(5000) + "}x}"
                                << QStringLiteral("x");
}

void TestRtfReader::hostileInputStaysBounded()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, text);
    QTextDocument board;
    RichText::load(stored, board);
    QCOMPARE(board.toPlainText(), text);
}

void TestRtfReader::filesFromOtherPrograms_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("expected");

    auto exact = [](const char *file, const QStringList &paragraphs) {
        QTest::newRow(file) << QString::fromLatin1(file) << true << paragraphs;
    };
    auto contains = [](const char *file, const QStringList &pieces) {
        QTest::newRow(file) << QString::fromLatin1(file) << false << pieces;
    };
    exact("libreoffice_hexcrlf.rtf", {"foo", "bar", "baz", "quux"});
    exact("pandoc_unicode.rtf", {QStringLiteral("“hi”‘hi’\uF0B7αä")});
    exact("rtfjs_pile-of-poo.rtf", {QStringLiteral("Iñtërnâtiônàlizætiøn☃💩")});
    exact("rtfjs_hyperlink.rtf", {QStringLiteral("This is a document with\u2028a hyperlink to this project."),
                                  "And an unsafe link link in a paragraph that should be centered.",
                                  "And this last paragraph should be left-aligned again."});
    exact("rtfjs_simplepng.rtf", {""});
    exact("rtfjs_simplepngbin.rtf", {""});
    exact("rtfparserkit_test950Encoding.rtf", {"Test Text", QStringLiteral("Copyright © 2004-2013 Test Project")});
    exact("rtfparserkit_testJapaneseJisEncoding.rtf", {QStringLiteral("中國")});
    exact("rtfparserkit_testKoreanEncoding.rtf", {"MS Project Addin ProjectPlus"});
    exact("rtfparserkit_testMultiByteHex.rtf", {QStringLiteral("お元気ですか？")});
    exact("rtfparserkit_testNecCharacters.rtf",
          {QStringLiteral(" BLC U=>L Splice でU/W No.2 Dancerからシワ発生。Set時に表層10㎜ほどムーニング　pallet底のRoll")});
    QStringList privateUse = {"From: http://unicode-table.com/en/#private-use-area", "F700", "F710", "F720"};
    for (int i = 0; i < 39; ++i)
        privateUse[1 + i / 16] += QChar(char16_t(0xF700 + i));
    exact("rtfparserkit_testNegativeUnicode.rtf", privateUse);
    exact("rtfparserkit_testUnicode.rtf",
          {QStringLiteral("Արամ"), QStringLiteral("Johann Strauß"), QStringLiteral("België\tRené Magritte"),
           QStringLiteral("বাংলা"), QStringLiteral("་ཡུལ།"), QStringLiteral("ប្រទេស\u200B\u200B\u200Bកម្ពុជា"),
           QStringLiteral("ᓄᓇᕗᒻᒥᐅᑦ"), QStringLiteral("中国"), QStringLiteral("Česká republika")});
    exact("rtfpipe_RtfParserTest_4.rtf", {QStringLiteral("バージョンアップ注文書（銀行振込）")});
    exact("rtfpipe_RtfParserTest_fail_2.rtf", {QStringLiteral("Hello world in {RTF}…"), ""});
    exact("rtfpipe_RtfParserTest_fail_3.rtf", {QStringLiteral("Hello world in {RTF}…")});
    exact("rtfpipe_RtfParserTest_fail_4.rtf", {""});
    exact("rtfpipe_RtfParserTest_fail_5.rtf", {"foobar"});
    exact("striprtf_issue_11.rtf", {QStringLiteral("测试")});
    exact("striprtf_issue_20.rtf", {"Test"});
    exact("striprtf_issue_28.rtf", {QStringLiteral("印刷情况反映："), "201-003-00155 (Multiple)", "",
                                    QStringLiteral("市政府情况反映："), "022-021-00768 (Multiple)"});
    exact("striprtf_unicode.rtf", {QStringLiteral("柔道")});
    contains("rtfjs_infer-double-width.rtf", {QStringLiteral("要やフぎば要立クモフ刑香カルオ洋8宮"), QStringLiteral("せ。惑ワモ")});
    contains("rtfjs_sample.rtf", {QStringLiteral("Hi! I’m a test file."), "Cell 1\tCell 2"});
    contains("pandoc_table_nested_malformed_itap.rtf", {"Parent before", "Outer cell"});
    contains("rtfparserkit_testUpr.rtf", {"End User License Agreement"});
    contains("rtfpipe_Issue23.rtf", {QStringLiteral("就诊时间:"), QStringLiteral("华法林钠片")});
    contains("rtfpipe_RtfParserTest_8.rtf", {QStringLiteral("实验功能 - 队列窗鼠标右键菜单 > 展开文件夹 (仅支持下载)")});
    contains("rtfpipe_nested_table_report.rtf", {"Approval", "Some text here."});
    contains("rtfpipe_phprtflite_image_from_strings.rtf", {"Images (as files) with PHPRtfLite."});
    contains("rtfpipe_rtf2xml_fields_simple_format_switch.rtf", {"Text:CYNTHIA JOHNSON (author, upper case switch):text"});
    contains("rtfpipe_rtf2xml_japanese.rtf", {QStringLiteral("NeoOffice/J は Mac OS X 用の機能豊富なオフィス・ソフト")});
    contains("striprtf_ansicpg1250.rtf", {QStringLiteral("Proszę o zapoznanie się z poniższą klauzulą informacyjną.")});
    contains("striprtf_calcium_score.rtf", {"Calcium-Score", "Gesamt Calcium-Score"});
}

void TestRtfReader::filesFromOtherPrograms()
{
    QFETCH(QString, file);
    QFETCH(bool, exact);
    QFETCH(QStringList, expected);
    const QString path = testData(QStringLiteral("rtf/") + file);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QTextDocument board;
    RichText::load(readFile(path), board);
    if (exact) {
        QCOMPARE(paragraphsOf(board), expected);
    } else {
        for (const QString &piece : expected)
            QVERIFY2(board.toPlainText().contains(piece), qPrintable(piece));
    }
    // What was read is stored again without loss.
    const QByteArray saved = RichText::save(board);
    QTextDocument reloaded;
    RichText::load(saved, reloaded);
    QCOMPARE(paragraphsOf(reloaded), paragraphsOf(board));
    QCOMPARE(RichText::save(reloaded), saved);
}

void TestRtfReader::fontsOfFilesFromOtherPrograms()
{
    auto firstRun = [](const char *file) {
        return loadedRuns(readFile(testData(QStringLiteral("rtf/") + QLatin1String(file)))).value(0).value(0);
    };
    QCOMPARE(firstRun("rtfparserkit_testKoreanEncoding.rtf").family, QStringLiteral("맑은 고딕"));
    QCOMPARE(firstRun("rtfparserkit_testMultiByteHex.rtf").family, QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(firstRun("striprtf_issue_11.rtf").family, QStringLiteral("宋体"));
    const Run order = firstRun("rtfpipe_RtfParserTest_4.rtf");
    QCOMPARE(order, run(QStringLiteral("バージョンアップ注文書（銀行振込）"), QStringLiteral("MS Gothic"), 20,
                        std::nullopt, true, false, true));
    const QList<QList<Run>> record = loadedRuns(readFile(testData(QStringLiteral("rtf/rtfpipe_Issue23.rtf"))));
    QCOMPARE(record.value(1).value(0).text, QStringLiteral("就诊时间:"));
    QCOMPARE(record.value(1).value(0).family, QStringLiteral("宋体"));
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
