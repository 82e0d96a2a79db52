#pragma once

#include "memo/core/formsize.h"
#include "memo/firstuse.h"
#include "memo/livewallpaper.h"
#include "memo/memooptions.h"
#include "platform/loginstart.h"
#include "widgets/dialogs.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class Anchoring;
class BoardEdit;
class BrowserClickFilter;
class ChromeButton;
class FrameMover;
class PageOpener;
class PageStore;
class QLabel;
class QMenu;
class QAction;
class QToolButton;
class TDM;
class TImage;
class TDeskBGSetFrm;
class TPicSelFrm;
class TInforFrm;
class MixBuffers;

// The memo window: borderless, with the board of the current page, the
// header commands and the web panel. Its parts live in several files:
// mainfrm.cpp (creation, frame, chrome and size file), mainfrm_board.cpp
// (pages, positions and the saving rhythm), mainfrm_editing.cpp (date
// header, editing commands), mainfrm_web.cpp (settings menu, web panel),
// mainfrm_options.cpp (the settings menu's on/off choices).
class TMainFrm : public QWidget {
    Q_OBJECT
public:
    explicit TMainFrm(TDM &dm, QWidget *parent = nullptr);
    ~TMainFrm() override;

    // The page on the board, 1 to 5; 0 while a switch loads.
    int CurrentPage = 0;
    QString DefaultPic;
    int CurPicIndex = 0;

    // The size file.
    void LoadFormSize();
    void SaveFormSize();

    // The store's operations on the board.
    void LoadAbcPage(int page);
    void SaveAbcPage(int page);
    bool contentLoaded() const;
    // Before the board leaves its page (a switch, the close button): saves
    // it; false when that failed (the user is told) and the board must stay.
    bool saveBeforeLeaving();
    // Before the program ends without a save: a page whose last save failed
    // is saved again; false when that fails too.
    bool failedSaveRetried();

    // Switching position and page.
    void N_AClick();
    void N_BClick();
    void N_CClick();

    // The chrome.
    void img_close_highlightClick();
    void img_mini_highlightClick();

    // The position letter shown on spbAbcMenu.
    QString positionLetter() const;
    // The notice line under the board, empty while it is hidden.
    QString noticeText() const;
    BoardEdit *board() const { return rdtAbc; }
    QMenu *positionMenu() const { return ppABC; }
    QToolButton *positionButton() const { return spbAbcMenu; }

    ChromeButton *closeButton() const { return m_close; }
    ChromeButton *miniButton() const { return m_mini; }

    // The composer's windows and holders. The window makes its own on first
    // use; these are used instead.
    struct Companions {
        TDeskBGSetFrm *deskBGSetFrm = nullptr;
        TPicSelFrm *picSelFrm = nullptr;
        TInforFrm *inforFrm = nullptr;
        MixBuffers *mixBuffers = nullptr;
    };
    void setCompanions(const Companions &companions);

    // The wallpaper commands.
    void imgAppToDeskClick();
    void imgAddToDeskClick();
    void SaveContentPic();
    void LoadPicList(bool FollowDefault);

    // Where tests put the screens for the first-run placement.
    void setScreenLayout(const ScreenLayout &layout) { m_screens = layout; }

    // The header's date, pictures and settings label, the board's editing
    // menu and the web panel (mainfrm_editing.cpp, mainfrm_web.cpp).
    QLabel *dateLabel() const { return lblDateTime; }
    TImage *fontPicture() const { return imgFont; }
    TImage *datePicture() const { return imgDate; }
    TImage *redColorPicture() const { return imgRedColor; }
    QMenu *editingMenu() const { return pmDeskTopMonCal; }
    TImage *settingsLabel() const { return lblSet; }
    QMenu *settingsMenu() const { return popSysset; }
    // The panel's view: the program's own page, or the configured site's in
    // the browser engine (made once the window is on the screen).
    QWidget *browser() const { return webLink; }
    QMenu *browserMenu() const { return m_browserMenu; }
    TImage *addToDeskPicture() const { return imgAddToDesk; }
    TImage *appToDeskPicture() const { return imgAppToDesk; }

    // The settings menu's on/off choices and the updates of the notes on the
    // desktop (mainfrm_options.cpp).
    const MemoOptions &options() const { return m_options; }
    LiveWallpaper *liveWallpaper() const { return m_liveWallpaper; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void startUpStep(const std::function<void()> &step);
    void FormResize();
    void createFrame();
    void createChrome();
    void createBoard();
    void imgBGMouseDown();
    void spbAbcMenuClick();
    void switchTo(const QString &letter, int page);
    void setBoardColour(int page);
    void createNotice();
    void showNotice(const QString &text);
    void layOutBoard();
    void rdtAbcChange();
    void rdtAbcExit();
    void createWallpaperCommands();
    bool confirmWallpaperChange();

    // Date header, header pictures and editing commands (mainfrm_editing.cpp).
    void createHeader();
    void createEditingMenu();
    void addMenuItem(QMenu *menu, const QString &caption, void (TMainFrm::*handler)(), const QIcon &icon = QIcon());
    void showDateHeader();
    void imgDateClick();
    void copySelection();
    void pasteClipboard();
    void deleteSelection();
    void cutSelection();
    void insertTick();
    void insertCross();
    void undoEdit();
    void insertBlueMark();
    void insertRedMark();
    void insertMagentaMark();
    void imgRedColorClick();
    void imgFontClick();
    void N_OutPutConClick();

    // Settings menu, help pages and web panel (mainfrm_web.cpp).
    void createSettingsMenu();
    void createWebPanel();
    void openWebPanel();
    void lblSetClick();
    void N_helpClick();
    void N_SubmitClick();
    void N_ExitPrjClick();

    // The on/off choices, the start at login, the updates of the notes on
    // the desktop and the user's own wallpaper (mainfrm_options.cpp).
    void createOptionItems(QMenu *menu);
    void N_StartAtLoginClick(bool on);
    void N_UpdateDesktopClick(bool on);
    void N_RestoreDesktopClick();
    bool saveOptions(const MemoOptions &options);
    void startLiveWallpaper();
    void reportLiveFailure(const LiveWallpaper::Outcome &outcome);
    void rememberAppliedBackground(const QString &pictureName);
    // The apply's steps for an update of the notes (mainfrm_wallpaper.cpp).
    LiveWallpaper::Work liveWallpaperWork();

    TDM &m_dm;
    std::unique_ptr<PageStore> m_pages;
    std::unique_ptr<Anchoring> m_anchoring;
    FrameMover *m_mover = nullptr;
    ScreenLayout m_screens;
    bool m_shown = false;

    QWidget *shpBG = nullptr;
    TImage *imgBG = nullptr;
    TImage *imgLogo = nullptr;
    // img_close_normal, img_close_highlight, img_close_down and the three
    // img_mini_ pictures.
    ChromeButton *m_close = nullptr;
    ChromeButton *m_mini = nullptr;
    QToolButton *spbAbcMenu = nullptr;
    QWidget *pnlLeft = nullptr;
    QWidget *pnlRight = nullptr;
    QWidget *pnlABC = nullptr;
    BoardEdit *rdtAbc = nullptr;
    // What went wrong with the store while the user typed.
    QLabel *m_notice = nullptr;
    QMenu *ppABC = nullptr;
    TImage *imgAppToDesk = nullptr;
    struct CompanionsOnFirstUse {
        FirstUse<TDeskBGSetFrm> deskBGSetFrm;
        FirstUse<TPicSelFrm> picSelFrm;
        FirstUse<TInforFrm> inforFrm;
        FirstUse<MixBuffers> mixBuffers;
    };
    CompanionsOnFirstUse m_companions;

    // Date header, header pictures and editing commands.
    QLabel *lblDateTime = nullptr;
    TImage *imgFont = nullptr;
    TImage *imgDate = nullptr;
    TImage *imgRedColor = nullptr;
    QMenu *pmDeskTopMonCal = nullptr;
    // What the colour dialog offers next: the last choice.
    QColor m_lastTextColour = Qt::black;

    // Settings menu and web panel.
    TImage *lblSet = nullptr;
    QMenu *popSysset = nullptr;
    QWidget *pnlWeb = nullptr;
    QWidget *webLink = nullptr;
    TImage *imgAddToDesk = nullptr;
    QMenu *m_browserMenu = nullptr;
    BrowserClickFilter *m_browserClicks = nullptr;
    // The configured web site's root, empty for the program's own pages.
    QString m_siteRoot;
    PageOpener *m_sitePages = nullptr;

    // The on/off choices.
    MemoOptions m_options;
    QAction *N_StartAtLogin = nullptr;
    QAction *N_UpdateDesktop = nullptr;
    std::unique_ptr<LoginStart> m_loginStart;
    LiveWallpaper *m_liveWallpaper = nullptr;
    // The background under the wallpaper this program last set; empty when
    // there is none to bring up to date.
    QString m_appliedBackground;
};
