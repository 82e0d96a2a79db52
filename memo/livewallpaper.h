#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QThread;

// Keeps the notes on the desktop current: after a stored change of the page,
// once typing has paused for kPauseMs, the wallpaper is composed and set
// again. The board's picture is taken on the window's thread; the blend, the
// files and the desktop's own tools run on a worker thread, so no keystroke
// waits for them. One update runs at a time; changes stored meanwhile give
// one more update after it.
class LiveWallpaper : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseMs = 2000;

    // What an update came to; an empty failure is success.
    struct Outcome {
        QString failure;
        bool desktopRefused = false; // the desktop did not take the picture
        QString picture;             // the composed wallpaper
    };
    // The part of an update that runs on the worker thread.
    using Work = std::function<Outcome()>;
    // Runs on the window's thread when an update is due: takes what the work
    // needs and gives the work, or an empty Work when there is nothing to
    // update. May throw; the failure is reported like the work's.
    using Prepare = std::function<Work()>;
    using Report = std::function<void(const Outcome &)>;

    // Only the first failure of a run is reported: a desktop that refuses
    // refuses at every pause, and a box per pause would be a box per line.
    LiveWallpaper(Prepare prepare, Report report, QObject *parent = nullptr);
    // Waits for the running update: its work uses the composer's objects.
    ~LiveWallpaper() override;

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    // A change of the page was stored: the update follows the pause.
    void pageStored();
    // An update now, without the pause (at start, when turned on).
    void updateNow();
    // Returns once no update runs, so that another writer of the wallpaper
    // files can go ahead. Done as well when the application is about to
    // quit, after which no more updates start.
    void waitForIdle();

private:
    void start();
    void finish();
    void report(const Outcome &outcome);

    Prepare m_prepare;
    Report m_report;
    QTimer m_pause;
    QThread *m_worker = nullptr;
    Outcome m_outcome;
    bool m_enabled = false;
    bool m_again = false;
    bool m_failureReported = false;
};
