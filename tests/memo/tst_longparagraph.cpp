#include "memo/boardedit.h"
#include "memo/mainfrm.h"
#include "richtext/paragraphpieces.h"
#include "richtext/richtext.h"
#include "richtext/rtfwriter.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "widgets/chinesefonts.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSqlQuery>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// A page that is one long paragraph: shown in pieces, typed on and stored
// as the paragraph it is.
class TestLongParagraph : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void keysAtAPieceEdgeEditTheParagraph();
    void copyAndPasteKeepTheParagraphWhole();
};

namespace {

using ParagraphPieces::kPieceLength;

QString base64Like(qsizetype length)
{
    QString text;
    for (qsizetype i = 0; i < length; ++i)
        text += QLatin1Char("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[i * 7 % 64]);
    return text;
}

QByteArray storedParagraphs(const QStringList &paragraphs)
{
    QTextDocument whole;
    QTextCursor cursor(&whole);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(paragraphs.at(i));
    }
    return Rtf::write(whole);
}

struct LongPageFixture {
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    TDM dm;
    std::unique_ptr<TMainFrm> window;

    explicit LongPageFixture(const QString &paragraph)
    {
        dm.OpenDatabase();
        QSqlQuery update(dm.database());
        update.prepare(QStringLiteral("UPDATE tb_A SET SundayCon = ? WHERE ID = 1"));
        update.addBindValue(storedParagraphs({paragraph}));
        update.exec();
        // Changes of the program's own, not of another program.
        dm.rememberStoreFile();
        window = std::make_unique<TMainFrm>(dm);
        window->setScreenLayout(ScreenLayout{{QRect(0, 0, 1024, 768)}});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        WindowInput::click(board());
    }

    BoardEdit *board() const { return window->board(); }

    void placeCaret(int position) const
    {
        QTextCursor cursor = board()->textCursor();
        cursor.setPosition(position);
        board()->setTextCursor(cursor);
    }

    // The paragraphs of page A as the store holds them.
    QStringList storedText() const
    {
        QSqlQuery query(dm.database());
        query.exec("SELECT SundayCon FROM tb_A WHERE ID = 1");
        query.next();
        QTextDocument stored;
        RichText::load(query.value(0).toByteArray(), stored);
        return ParagraphPieces::plainText(stored).split('\n');
    }
};

} // namespace

void TestLongParagraph::initTestCase()
{
    useLocalWebSite();
    ChineseFonts::install();
}

void TestLongParagraph::keysAtAPieceEdgeEditTheParagraph()
{
    const QString text = base64Like(3 * kPieceLength + 100);
    LongPageFixture memo(text);
    const QTextDocument &shown = *memo.board()->document();
    QCOMPARE(shown.blockCount(), 4);

    // Return inside a piece ends the paragraph there; what is typed after
    // it starts the next one.
    memo.placeCaret(shown.lastBlock().position() + 5);
    WindowInput::key(memo.board(), Qt::Key_Return);
    WindowInput::type(memo.board(), QStringLiteral("x"));
    QString first = text.left(3 * kPieceLength + 5);
    const QString second = QLatin1Char('x') + text.mid(3 * kPieceLength + 5);
    QCOMPARE(memo.storedText(), QStringList({first, second}));

    // Backspace at the start of a piece takes the character before it.
    memo.placeCaret(shown.findBlockByNumber(1).position());
    WindowInput::key(memo.board(), Qt::Key_Backspace);
    first.remove(kPieceLength - 1, 1);
    QCOMPARE(memo.storedText(), QStringList({first, second}));

    // Delete at the end of a piece takes the character after it.
    const int edge = shown.findBlockByNumber(1).position() - 1;
    memo.placeCaret(edge);
    WindowInput::key(memo.board(), Qt::Key_Delete);
    first.remove(edge, 1);
    QCOMPARE(memo.storedText(), QStringList({first, second}));
}

void TestLongParagraph::copyAndPasteKeepTheParagraphWhole()
{
    const QString text = base64Like(kPieceLength + 10);
    LongPageFixture memo(text);
    QCOMPARE(memo.board()->document()->blockCount(), 2);
    WindowInput::key(memo.board(), Qt::Key_A, Qt::ControlModifier);
    WindowInput::key(memo.board(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), text);

    // A long paragraph pasted is shown in pieces and stored whole.
    const QString pasted = base64Like(3 * kPieceLength);
    QApplication::clipboard()->setText(pasted);
    WindowInput::key(memo.board(), Qt::Key_End, Qt::ControlModifier);
    WindowInput::key(memo.board(), Qt::Key_Return);
    WindowInput::key(memo.board(), Qt::Key_V, Qt::ControlModifier);
    for (QTextBlock block = memo.board()->document()->begin(); block.isValid(); block = block.next())
        QVERIFY(block.length() - 1 <= kPieceLength);
    QCOMPARE(memo.storedText(), QStringList({text, pasted}));

    // One undo takes the whole paste back.
    WindowInput::key(memo.board(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(memo.storedText(), QStringList({text, QString()}));
}

QTEST_MAIN(TestLongParagraph)
#include "tst_longparagraph.moc"
