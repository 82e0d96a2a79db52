#pragma once

#include <QString>
#include <QWidget>

class TDM;

// The memo window: borderless, with the board of the current page, the
// header commands and the web panel.
class TMainFrm : public QWidget {
    Q_OBJECT
public:
    explicit TMainFrm(TDM &dm, QWidget *parent = nullptr);

    int CurrentPage = 0;
    QString DefaultPic;
    int CurPicIndex = 0;

private:
    void FormCreate();

    TDM &m_dm;
};
