#pragma once

#include <QDialog>

class FrameMover;

// The composer's small modal windows: no frame, a fixed client size, the
// form font, centred on the window they belong to each time they show, and
// moved by a press on their background. None of their buttons has the
// cancel role, so Escape leaves them open.
class BorderlessDialog : public QDialog {
    Q_OBJECT
public:
    BorderlessDialog(QWidget *parent, QSize client);

protected:
    // A left-button press on `background` moves the window.
    void dragBy(QWidget *background);

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void centreOnOwner();

    FrameMover *m_mover;
    QWidget *m_background = nullptr;
};
