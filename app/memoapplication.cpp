#include "app/memoapplication.h"

#include "memo/mainfrm.h"
#include "platform/processuser.h"
#include "store/tdm.h"
#include "wallpaper/ui/deskbgsetfrm.h"
#include "wallpaper/ui/inforfrm.h"
#include "wallpaper/ui/mixpicfrm.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/chinesefonts.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void prepareApplication()
{
    // A file-size limit fails the write that passes it, which the program
    // reports; the signal would end the program in the middle of it.
    keepRunningPastFileSizeLimit();
    QApplication::setApplicationName(QStringLiteral("paxelo-memo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Paxelo备忘录"));
    ChineseFonts::install();
    // The standard buttons and dialogs speak Chinese like the rest of the
    // program, whatever the user's locale: Qt's own dialogs with Qt's
    // Chinese texts, Chinese dates and sizes in the file dialogs.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    static QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
}

MemoApplication::MemoApplication() = default;

MemoApplication::~MemoApplication()
{
    m_mixPicFrm.reset();
    m_inforFrm.reset();
    m_picSelFrm.reset();
    m_deskBGSetFrm.reset();
    m_mainFrm.reset();
    m_dm.reset();
}

bool MemoApplication::start()
{
    m_dm = std::make_unique<TDM>();
    if (!m_dm->OpenDatabase()) {
        Dialogs::instance().message(nullptr, QString::fromUtf8(kStoreOpenFailedMessage));
        return false;
    }
    m_mainFrm = std::make_unique<TMainFrm>(*m_dm);
    m_deskBGSetFrm = std::make_unique<TDeskBGSetFrm>();
    m_picSelFrm = std::make_unique<TPicSelFrm>(m_mainFrm.get());
    m_inforFrm = std::make_unique<TInforFrm>(m_mainFrm.get());
    m_mixPicFrm = std::make_unique<TMixPicFrm>();
    m_mainFrm->setCompanions({m_deskBGSetFrm.get(), m_picSelFrm.get(), m_inforFrm.get(), m_mixPicFrm.get()});
    return true;
}

void MemoApplication::show()
{
    m_mainFrm->show();
}

void MemoApplication::bringToFront()
{
    m_mainFrm->setWindowState((m_mainFrm->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_mainFrm->show();
    m_mainFrm->raise();
    m_mainFrm->activateWindow();
}
