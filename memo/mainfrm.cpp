#include "memo/mainfrm.h"

#include "files/appfolder.h"
#include "files/fileerror.h"
#include "memo/boardedit.h"
#include "store/pagestore.h"
#include "store/tdm.h"
#include "wallpaper/mixbuffers.h"
#include "wallpaper/uglobal.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/anchoring.h"
#include "widgets/chromebutton.h"
#include "widgets/dialogs.h"
#include "widgets/framemover.h"
#include "widgets/guard.h"
#include "widgets/panels.h"
#include "widgets/picturecontrol.h"

#include <QApplication>
#include <QCloseEvent>

namespace {

// The layout is designed for this client area; anchored controls keep their
// gaps to the right and bottom edges when the window is resized.
const QSize kDesignClient(629, 405);
const QColor kWindowBlue(216, 227, 243);

constexpr int kAll = Anchoring::Left | Anchoring::Top | Anchoring::Right | Anchoring::Bottom;
constexpr int kTopRight = Anchoring::Top | Anchoring::Right;

} // namespace

TMainFrm::TMainFrm(TDM &dm, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_dm(dm)
    , m_pages(std::make_unique<PageStore>(
          dm, PageStoreReports{[this](const QString &text) { Dialogs::instance().message(this, text); },
                               [this](const QString &text) { showNotice(text); }}))
    , m_anchoring(std::make_unique<Anchoring>(kDesignClient))
    , m_screens(FormSize::currentScreens())
    , m_companions{FirstUse<TDeskBGSetFrm>([] { return std::make_unique<TDeskBGSetFrm>(); }),
                   FirstUse<TPicSelFrm>([this] { return std::make_unique<TPicSelFrm>(this); }),
                   FirstUse<TInforFrm>([this] { return std::make_unique<TInforFrm>(this); }),
                   FirstUse<MixBuffers>([] { return std::make_unique<MixBuffers>(); })}
{
    // The task bar names the program; the window's own caption stays for
    // assistive tools, as there is no title bar to show it.
    setWindowTitle(QApplication::applicationDisplayName());
    setAccessibleName(QStringLiteral("桌面备忘录Memo"));
    setMinimumSize(FormSize::kMinimumWidth, FormSize::kMinimumHeight);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(232, 241, 250));
    setPalette(background);

    createFrame();
    createChrome();
    createBoard();
    createHeader();
    createEditingMenu();
    createSettingsMenu();
    createWebPanel();
    createWallpaperCommands();
    m_mover = new FrameMover(this);
    m_mover->giveWayTo(m_close);
    m_mover->giveWayTo(m_mini);
    resize(FormSize::kMinimumWidth, FormSize::kMinimumHeight);
    FormCreate();
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::createFrame()
{
    shpBG = new FilledPanel(this, Qt::white, kWindowBlue);
    m_anchoring->add(shpBG, QRect(QPoint(0, 0), kDesignClient), kAll);
    imgBG = new TImage(this, QStringLiteral(":/images/main_bg.png"), true);
    m_anchoring->add(imgBG, QRect(QPoint(0, 0), kDesignClient), kAll);
    imgLogo = new TImage(this, QStringLiteral(":/images/main_logo.png"));
    m_anchoring->add(imgLogo, QRect(52, 8, 210, 56));

    connect(imgBG, &TImage::mousePressed, this, [this] { imgBGMouseDown(); });
    connect(imgLogo, &TImage::mousePressed, this, [this] { imgBGMouseDown(); });
    connect(imgBG, &TImage::mouseMoved, this, [this] {
        m_close->setState(ChromeButton::Normal);
        m_mini->setState(ChromeButton::Normal);
    });

    pnlLeft = new FilledPanel(this, kWindowBlue);
    m_anchoring->add(pnlLeft, QRect(4, 72, 302, 441));
}

void TMainFrm::createChrome()
{
    m_close = new ChromeButton(this, QStringLiteral(":/images/main_close"), QRect(589, 1, 39, 20), QRect(589, 1, 39, 20));
    m_mini = new ChromeButton(this, QStringLiteral(":/images/main_mini"), QRect(560, 1, 28, 20), QRect(559, 1, 28, 20));
    for (ChromeButton *button : {m_close, m_mini})
        m_anchoring->add(button, button->geometry(), kTopRight);
    // Over one button's normal picture, or pressing it, the other rests.
    connect(m_close, &ChromeButton::hovered, m_mini, [this] { m_mini->setState(ChromeButton::Normal); });
    connect(m_close, &ChromeButton::pressed, m_mini, [this] { m_mini->setState(ChromeButton::Normal); });
    connect(m_mini, &ChromeButton::hovered, m_close, [this] { m_close->setState(ChromeButton::Normal); });
    connect(m_mini, &ChromeButton::pressed, m_close, [this] { m_close->setState(ChromeButton::Normal); });
    connect(m_close, &ChromeButton::clicked, this, [this] { guarded(this, [this] { img_close_highlightClick(); }); });
    connect(m_mini, &ChromeButton::clicked, this, [this] { guarded(this, [this] { img_mini_highlightClick(); }); });
}

void TMainFrm::FormCreate()
{
    showDateHeader();
    DefaultPic.clear();
    uGlobal::PicCount = 0;
    CurrentPage = 0;
    uGlobal::PicList.resize(uGlobal::PicCount);
    uGlobal::AskBeforeSetBg = true;
    uGlobal::SetBgAnswer = 0;
    uGlobal::ConfigSetBgPath = AppFolder::file(QStringLiteral("Data/configSetBg.ini"));
    startUpStep([] { uGlobal::AskBeforeSetBg = uGlobal::readAskBeforeSetBg(uGlobal::ConfigSetBgPath); });
    startUpStep([this] { LoadPicList(false); });
}

void TMainFrm::startUpStep(const std::function<void()> &step)
{
    // A step that creates a missing settings file. Where the store opened
    // read-only (a read-only medium, another user's folder) the folder
    // cannot be written either, and the store's message says so once:
    // the settings files' failures would only repeat it.
    guarded(this, [&] {
        try {
            step();
        } catch (const FileError &) {
            if (m_dm.readOnlyReason().isEmpty())
                throw;
        }
    });
}

void TMainFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded(this, [this] { FormShow(); });
    startLiveWallpaper();
}

void TMainFrm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TMainFrm::FormResize()
{
    m_anchoring->apply(size());
}

void TMainFrm::closeEvent(QCloseEvent *event)
{
    // Closed by the system (the task bar's menu, say): nothing is saved.
    event->accept();
}

void TMainFrm::LoadFormSize()
{
    const QString path = AppFolder::file(QStringLiteral("Data/FormSize.ini"));
    const std::optional<FormBounds> stored = FormSize::read(path);
    const FormBounds bounds = stored ? FormSize::fromStored(*stored, m_screens) : FormSize::firstRun(m_screens);
    resize(bounds.width, bounds.height);
    move(bounds.left, bounds.top);
    CurrentPage = bounds.page;
    if (!stored)
        FormSize::write(path, bounds);
}

void TMainFrm::SaveFormSize()
{
    const QRect outer = frameGeometry();
    FormSize::write(AppFolder::file(QStringLiteral("Data/FormSize.ini")),
                    FormBounds{CurrentPage, outer.width(), outer.height(), outer.x(), outer.y()});
}

void TMainFrm::imgBGMouseDown()
{
    m_mover->startMove();
}

void TMainFrm::img_close_highlightClick()
{
    if (!saveBeforeLeaving())
        return;
    SaveFormSize();
    QCoreApplication::exit(0);
}

void TMainFrm::img_mini_highlightClick()
{
    showMinimized();
    m_close->setState(ChromeButton::Normal);
    m_mini->setState(ChromeButton::Normal);
}
