// The settings menu's on/off choices: the start at login, the updates of the
// notes on the desktop, and the user's own wallpaper given back.
#include "memo/mainfrm.h"

#include "memo/boardedit.h"
#include "store/pagestore.h"
#include "wallpaper/appliedbackground.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "widgets/dialogs.h"
#include "widgets/guard.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>

namespace {

QAction *addCheckItem(QMenu *menu, const QString &caption, bool checked)
{
    QAction *item = menu->addAction(caption);
    item->setCheckable(true);
    item->setChecked(checked);
    return item;
}

QString failureText(const std::exception &failure)
{
    return QString::fromUtf8(failure.what());
}

} // namespace

void TMainFrm::createOptionItems(QMenu *menu)
{
    try {
        m_options = MemoOptions::read(MemoOptions::path());
    } catch (const std::exception &failure) {
        // The choices stay off, as they were before the file existed.
        Dialogs::instance().message(this, failureText(failure));
    }
    m_appliedBackground = AppliedBackground::read();
    m_loginStart = createLoginStart();
    m_liveWallpaper = new LiveWallpaper([this] { return liveWallpaperWork(); },
                                        [this](const LiveWallpaper::Outcome &outcome) { reportLiveFailure(outcome); }, this);
    m_liveWallpaper->setEnabled(m_options.updateDesktop);
    // After the board's own handler, which stores the change.
    connect(rdtAbc, &QTextEdit::textChanged, this, [this] {
        if (CurrentPage != 0 && m_pages->contentLoaded() && !m_pages->lastSaveFailed())
            m_liveWallpaper->pageStored();
    });

    N_StartAtLogin = addCheckItem(menu, QStringLiteral("登录时启动"), m_options.startAtLogin);
    connect(N_StartAtLogin, &QAction::triggered, this,
            [this](bool on) { guarded(this, [this, on] { N_StartAtLoginClick(on); }); });
    N_UpdateDesktop = addCheckItem(menu, QStringLiteral("自动更新桌面"), m_options.updateDesktop);
    connect(N_UpdateDesktop, &QAction::triggered, this,
            [this](bool on) { guarded(this, [this, on] { N_UpdateDesktopClick(on); }); });
    addMenuItem(menu, QStringLiteral("恢复原来的桌面"), &TMainFrm::N_RestoreDesktopClick);
}

bool TMainFrm::saveOptions(const MemoOptions &options)
{
    try {
        options.write(MemoOptions::path());
    } catch (const std::exception &failure) {
        Dialogs::instance().message(this, QStringLiteral("选项没有保存：%1").arg(failureText(failure)));
        return false;
    }
    m_options = options;
    return true;
}

void TMainFrm::N_StartAtLoginClick(bool on)
{
    // The item shows what the session will do: it goes back when the
    // session's entry or the choice could not be changed.
    const auto change = [this](bool start) {
        if (start)
            m_loginStart->enable(QCoreApplication::applicationFilePath());
        else
            m_loginStart->disable();
    };
    try {
        change(on);
    } catch (const std::exception &failure) {
        N_StartAtLogin->setChecked(!on);
        Dialogs::instance().message(this, QStringLiteral("无法%1登录时启动：%2")
                                              .arg(on ? QStringLiteral("设置") : QStringLiteral("取消"), failureText(failure)));
        return;
    }
    MemoOptions changed = m_options;
    changed.startAtLogin = on;
    if (saveOptions(changed))
        return;
    N_StartAtLogin->setChecked(!on);
    try {
        change(!on);
    } catch (const std::exception &) {
        // The entry stays as the user asked; only the choice was not kept.
    }
}

void TMainFrm::N_UpdateDesktopClick(bool on)
{
    MemoOptions changed = m_options;
    changed.updateDesktop = on;
    if (!saveOptions(changed)) {
        N_UpdateDesktop->setChecked(!on);
        return;
    }
    m_liveWallpaper->setEnabled(on);
    m_liveWallpaper->updateNow();
}

void TMainFrm::N_RestoreDesktopClick()
{
    // An update of the notes would set the program's wallpaper again.
    m_liveWallpaper->waitForIdle();
    bool restored = false;
    try {
        restored = m_companions.deskBGSetFrm->restoreOriginal();
    } catch (const std::exception &failure) {
        Dialogs::instance().message(this, QStringLiteral("没有能恢复原来的桌面：%1").arg(failureText(failure)));
        return;
    }
    if (!restored) {
        Dialogs::instance().message(this, QStringLiteral("没有记录原来的桌面：本程序还没有在这个桌面上设置过壁纸。"));
        return;
    }
    // The notes are no longer on the desktop: nothing to bring up to date
    // until the next apply.
    m_appliedBackground.clear();
    try {
        AppliedBackground::forget();
    } catch (const std::exception &) {
        // The next start would bring the notes back over the user's picture;
        // the next apply replaces the file anyway.
    }
    Dialogs::instance().message(this, QStringLiteral("已恢复原来的桌面。"));
}

void TMainFrm::startLiveWallpaper()
{
    // Once the window is on the screen, the board shows the stored page.
    QTimer::singleShot(0, m_liveWallpaper, &LiveWallpaper::updateNow);
}

void TMainFrm::reportLiveFailure(const LiveWallpaper::Outcome &outcome)
{
    if (outcome.desktopRefused) {
        m_companions.deskBGSetFrm->reportRefusal(this, outcome.failure, outcome.picture);
        return;
    }
    Dialogs::instance().message(this, QStringLiteral("自动更新桌面没有成功：%1\n\n本次运行中不再提示。").arg(outcome.failure));
}

void TMainFrm::rememberAppliedBackground(const QString &pictureName)
{
    m_appliedBackground = pictureName;
    try {
        AppliedBackground::write(pictureName);
    } catch (const std::exception &) {
        // The wallpaper is set; only after a restart are its notes not
        // brought up to date.
    }
}
