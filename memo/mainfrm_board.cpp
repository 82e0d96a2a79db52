// The board: pages, position letters and the saving rhythm.
#include "memo/mainfrm.h"

#include "memo/boardedit.h"
#include "store/pagestore.h"
#include "store/tdm.h"
#include "widgets/anchoring.h"
#include "widgets/chinesefonts.h"
#include "widgets/dialogs.h"
#include "widgets/guard.h"
#include "widgets/panels.h"
#include "widgets/popupmenu.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>

namespace {

// The pale yellow of positions A and B.
const QColor kBoardYellow(249, 251, 224);
// The notice line: dark red on pale red, like a warning bar.
const QColor kNoticeText(140, 20, 20);
const QColor kNoticeBackground(253, 232, 230);

constexpr int kAll = Anchoring::Left | Anchoring::Top | Anchoring::Right | Anchoring::Bottom;

} // namespace

void TMainFrm::createBoard()
{
    pnlRight = new FilledPanel(this, Qt::white);
    m_anchoring->add(pnlRight, QRect(319, 72, 304, 285), kAll);
    pnlABC = new BevelPanel(pnlRight);
    rdtAbc = new BoardEdit(pnlABC);
    rdtAbc->setFrameShape(QFrame::NoFrame);
    rdtAbc->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rdtAbc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rdtAbc->setLineWrapMode(QTextEdit::WidgetWidth);
    rdtAbc->setAcceptRichText(true);
    rdtAbc->document()->setDefaultFont(ChineseFonts::font(QStringLiteral("宋体"), 15));
    rdtAbc->setFont(ChineseFonts::font(QStringLiteral("宋体"), 15));
    setBoardColour(1);
    createNotice();

    // The panel and the board follow pnlRight; the board sits inside the bevels.
    pnlRight->installEventFilter(this);
    connect(rdtAbc, &QTextEdit::textChanged, this, [this] { guarded(this, [this] { rdtAbcChange(); }); });
    connect(rdtAbc, &BoardEdit::focusLeft, this, [this] { guarded(this, [this] { rdtAbcExit(); }); });

    spbAbcMenu = new QToolButton(this);
    spbAbcMenu->setAutoRaise(true);
    spbAbcMenu->setText(QStringLiteral("C"));
    spbAbcMenu->setFont(ChineseFonts::font(QStringLiteral("宋体"), 16, true));
    spbAbcMenu->setCursor(Qt::PointingHandCursor);
    spbAbcMenu->setToolTip(QStringLiteral("选择位置"));
    spbAbcMenu->setFocusPolicy(Qt::NoFocus);
    m_anchoring->add(spbAbcMenu, QRect(430, 44, 23, 22));
    connect(spbAbcMenu, &QToolButton::clicked, this, [this] { spbAbcMenuClick(); });

    ppABC = new QMenu(this);
    connect(ppABC->addAction(QStringLiteral("A")), &QAction::triggered, this, [this] { guarded(this, [this] { N_AClick(); }); });
    connect(ppABC->addAction(QStringLiteral("B")), &QAction::triggered, this, [this] { guarded(this, [this] { N_BClick(); }); });
    connect(ppABC->addAction(QStringLiteral("C")), &QAction::triggered, this, [this] { guarded(this, [this] { N_CClick(); }); });
}

void TMainFrm::createNotice()
{
    // Shown inside the bevels below the board. It never takes the focus:
    // the keys typed while it shows stay on the board.
    m_notice = new QLabel(pnlABC);
    m_notice->setFocusPolicy(Qt::NoFocus);
    m_notice->setWordWrap(true);
    m_notice->setMargin(3);
    m_notice->setFont(ChineseFonts::font(QStringLiteral("宋体"), 12));
    m_notice->setAutoFillBackground(true);
    QPalette colours = m_notice->palette();
    colours.setColor(QPalette::Window, kNoticeBackground);
    colours.setColor(QPalette::WindowText, kNoticeText);
    m_notice->setPalette(colours);
    m_notice->hide();
}

void TMainFrm::showNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
    layOutBoard();
}

QString TMainFrm::noticeText() const
{
    return m_notice->isVisible() ? m_notice->text() : QString();
}

void TMainFrm::layOutBoard()
{
    pnlABC->setGeometry(pnlRight->rect());
    const int bevel = BevelPanel::kBevelWidth;
    QRect inside = pnlABC->rect().adjusted(bevel, bevel, -bevel, -bevel);
    if (m_notice->isVisible()) {
        const int height = std::min(m_notice->heightForWidth(inside.width()), inside.height() / 2);
        m_notice->setGeometry(inside.left(), inside.bottom() + 1 - height, inside.width(), height);
        inside.setBottom(inside.bottom() - height);
    }
    rdtAbc->setGeometry(inside);
}

bool TMainFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlRight && event->type() == QEvent::Resize)
        layOutBoard();
    return QWidget::eventFilter(watched, event);
}

QString TMainFrm::positionLetter() const
{
    return spbAbcMenu->text();
}

bool TMainFrm::contentLoaded() const
{
    return m_pages->contentLoaded();
}

void TMainFrm::LoadAbcPage(int page)
{
    // The page is built in a document of its own, which has no layout yet,
    // and then given to the board, which lays it out from the top, as far
    // as it shows it, and the rest in steps while it waits for input.
    // Built on the board, a page of many paragraphs would be laid out whole
    // before the window could show it.
    auto loaded = std::make_unique<QTextDocument>(rdtAbc);
    loaded->setDefaultFont(rdtAbc->document()->defaultFont());
    // Paragraphs run left to right, as the store keeps them (it keeps no
    // direction). Left open, the layout would read every paragraph of the
    // page for its direction at every key.
    QTextOption option = loaded->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    loaded->setDefaultTextOption(option);
    m_pages->LoadAbcPage(page, *loaded);
    if (m_pages->contentLoaded()) {
        // The new document is no change of the text to store.
        const QSignalBlocker quiet(rdtAbc);
        rdtAbc->showPage(loaded.release());
    }
    // Nothing may be typed that could not be stored: after a failed load
    // the board shows another page's text, and a read-only store keeps
    // nothing.
    rdtAbc->setReadOnly(!m_pages->boardEditable());
}

void TMainFrm::SaveAbcPage(int page)
{
    m_pages->SaveAbcPage(page, *rdtAbc->document());
    // Another program replaced the store: the board shows the page as the
    // new store holds it.
    if (m_pages->storeReopened())
        LoadAbcPage(CurrentPage);
    else
        rdtAbc->setReadOnly(!m_pages->boardEditable());
}

bool TMainFrm::saveBeforeLeaving()
{
    const bool saved = m_pages->saveBeforeLeaving(CurrentPage, *rdtAbc->document());
    rdtAbc->setReadOnly(!m_pages->boardEditable());
    if (saved)
        return true;
    // The notice line already says why; the bell says the click was heard.
    QApplication::beep();
    return false;
}

bool TMainFrm::failedSaveRetried()
{
    return !m_pages->lastSaveFailed() || saveBeforeLeaving();
}

void TMainFrm::setBoardColour(int page)
{
    QPalette colours = rdtAbc->palette();
    colours.setColor(QPalette::Base, page == 3 ? QApplication::palette().color(QPalette::Base) : kBoardYellow);
    rdtAbc->setPalette(colours);
}

void TMainFrm::FormShow()
{
    startUpStep([this] { LoadFormSize(); });
    if (CurrentPage >= 1 && CurrentPage <= 3) {
        spbAbcMenu->setText(QString(QChar(u'A' + CurrentPage - 1)));
        setBoardColour(CurrentPage);
    }
    LoadAbcPage(CurrentPage);
    if (!m_dm.readOnlyReason().isEmpty())
        Dialogs::instance().message(this, QString::fromUtf8(kStoreReadOnlyMessage).arg(m_dm.readOnlyReason()));
    openWebPanel();
}

void TMainFrm::spbAbcMenuClick()
{
    // From the first click on, a right click opens the menu too.
    attachPopupMenu(spbAbcMenu, ppABC);
    ppABC->popup(spbAbcMenu->mapToGlobal(QPoint(0, spbAbcMenu->height())));
}

void TMainFrm::switchTo(const QString &letter, int page)
{
    // A page that cannot be stored stays on the board.
    if (!saveBeforeLeaving())
        return;
    spbAbcMenu->setText(letter);
    setBoardColour(page);
    CurrentPage = 0;
    LoadAbcPage(page);
    CurrentPage = page;
}

void TMainFrm::N_AClick()
{
    switchTo(QStringLiteral("A"), 1);
}

void TMainFrm::N_BClick()
{
    switchTo(QStringLiteral("B"), 2);
}

void TMainFrm::N_CClick()
{
    switchTo(QStringLiteral("C"), 3);
}

void TMainFrm::rdtAbcChange()
{
    if (CurrentPage != 0 && m_pages->contentLoaded())
        SaveAbcPage(CurrentPage);
}

void TMainFrm::rdtAbcExit()
{
    SaveAbcPage(CurrentPage);
}
