#include "memo/livewallpaper.h"

#include <QCoreApplication>
#include <QThread>

#include <exception>
#include <utility>

LiveWallpaper::LiveWallpaper(Prepare prepare, Report report, QObject *parent)
    : QObject(parent)
    , m_prepare(std::move(prepare))
    , m_report(std::move(report))
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, [this] { start(); });
    // The composer's objects, which the work uses, may go before this
    // object when the program ends.
    if (QCoreApplication *application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this, [this] {
            setEnabled(false);
            waitForIdle();
        });
    }
}

LiveWallpaper::~LiveWallpaper()
{
    waitForIdle();
    delete m_worker;
}

void LiveWallpaper::setEnabled(bool on)
{
    m_enabled = on;
    if (!on) {
        m_pause.stop();
        m_again = false;
    }
}

void LiveWallpaper::pageStored()
{
    if (m_enabled)
        m_pause.start();
}

void LiveWallpaper::updateNow()
{
    if (!m_enabled)
        return;
    m_pause.stop();
    start();
}

void LiveWallpaper::waitForIdle()
{
    if (m_worker)
        m_worker->wait();
}

void LiveWallpaper::start()
{
    if (m_worker) {
        m_again = true;
        return;
    }
    Work work;
    try {
        work = m_prepare();
    } catch (const std::exception &failure) {
        report({QString::fromUtf8(failure.what()), false, QString()});
        return;
    }
    if (!work)
        return;
    // The outcome is read only after the thread has finished.
    m_worker = QThread::create([this, work = std::move(work)] { m_outcome = work(); });
    connect(m_worker, &QThread::finished, this, [this] { finish(); });
    m_worker->start(QThread::LowPriority);
}

void LiveWallpaper::finish()
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    report(m_outcome);
    if (std::exchange(m_again, false) && m_enabled)
        start();
}

void LiveWallpaper::report(const Outcome &outcome)
{
    if (outcome.failure.isEmpty() || m_failureReported)
        return;
    m_failureReported = true;
    m_report(outcome);
}
