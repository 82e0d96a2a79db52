#pragma once

#include <QDialog>

// The confirmation box asked before the wallpaper changes.
class TInforFrm : public QDialog {
    Q_OBJECT
public:
    explicit TInforFrm(QWidget *parent = nullptr);
};
