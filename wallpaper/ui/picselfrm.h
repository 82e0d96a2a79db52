#pragma once

#include "wallpaper/ui/borderlessdialog.h"

#include <QString>
#include <QStringList>

class ChromeButton;
class FilledPanel;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class TImage;
class TXPButton;

// The background picture list window "背景图片选择": the rows of
// Data/BGPicList.ini, where pictures are added, removed and made the default;
// the rows that name the default picture show "（默认）" after the name.
// The caller sets DefaultPic before showing it and reads it after it closed.
// A list file that cannot be written is reported and left as it was; an add
// reports in one message the files it did not add, and why.
class TPicSelFrm : public BorderlessDialog {
    Q_OBJECT
public:
    explicit TPicSelFrm(QWidget *parent = nullptr);

    QString DefaultPic;

    // Refills DefaultPic and the rows from the list file; done at every show.
    void FillPicList();

    TImage *imgBG;
    TImage *imgLogo;
    ChromeButton *imgClose;
    FilledPanel *listFrame;
    QTreeWidget *LVpic;
    QLabel *lblHint;
    TXPButton *btnRemove;
    TXPButton *btnAdd;
    TXPButton *btnOk;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnAddClick();
    void btnRemoveClick();
    void btnOkClick();
    void addPicture(const QString &file);

    QStringList rows() const;
    void setRows(const QStringList &rows);
    QTreeWidgetItem *firstSelectedRow() const;
};
