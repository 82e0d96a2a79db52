#include "app/memoapplication.h"

#include "memo/mainfrm.h"
#include "platform/processuser.h"
#include "store/tdm.h"
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
    // The composer's windows and holders are made by the memo window when
    // first needed: most starts never open them.
    m_mainFrm = std::make_unique<TMainFrm>(*m_dm);
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
