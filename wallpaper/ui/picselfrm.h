#pragma once

#include <QDialog>
#include <QString>

// The background picture list window "背景图片选择".
class TPicSelFrm : public QDialog {
    Q_OBJECT
public:
    explicit TPicSelFrm(QWidget *parent = nullptr);

    QString DefaultPic;
};
