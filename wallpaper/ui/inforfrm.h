#pragma once

#include "wallpaper/ui/borderlessdialog.h"

#include <QPointer>

class FilledPanel;
class QLabel;
class TImage;
class TXPButton;
class TXPCheckbox;

// The confirmation box asked before the wallpaper changes. Its answer goes to
// uGlobal::SetBgAnswer (1 go ahead, 0 leave the wallpaper); only its three
// buttons set it, so closing the box any other way keeps the last answer.
// OK with "下次不再提示" ticked turns the question off for good.
class TInforFrm : public BorderlessDialog {
    Q_OBJECT
public:
    explicit TInforFrm(QWidget *parent = nullptr);

    FilledPanel *shpBG;
    TImage *imgques;
    QLabel *lblInfo;
    TXPCheckbox *chkSetBgInfo;
    TXPButton *btnok;
    TXPButton *btncancel;
    TXPButton *btnClose;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void btnokClick();
    void btncancelClick();
    void btnCloseClick();

    // The control to focus when the box shows again.
    QPointer<QWidget> m_focusOnShow;
};
