#include "memo/mainfrm.h"

#include "memo/umain.h"
#include "text/appfolder.h"
#include "wallpaper/uglobal.h"

#include <QApplication>

TMainFrm::TMainFrm(TDM &dm, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_dm(dm)
{
    setWindowTitle(QApplication::applicationDisplayName());
    setAccessibleName(QStringLiteral("桌面备忘录Memo"));
    setMinimumSize(645, 443);
    resize(645, 443);
    FormCreate();
}

void TMainFrm::FormCreate()
{
    DefaultPic.clear();
    uGlobal::PicCount = 0;
    CurrentPage = 0;
    uGlobal::PicList.resize(uGlobal::PicCount);
    uMain::ContentLoaded = false;
    uGlobal::AskBeforeSetBg = true;
    uGlobal::SetBgAnswer = 0;
    uGlobal::ConfigSetBgPath = AppFolder::file(QStringLiteral("Data/configSetBg.ini"));
    uGlobal::AskBeforeSetBg = uGlobal::readAskBeforeSetBg(uGlobal::ConfigSetBgPath);
}
