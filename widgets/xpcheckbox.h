#pragma once

#include "widgets/xpcustomcheckcontrol.h"

#include <QImage>

// The check box of the dialogs: a dark-blue square with a white to grey
// gradient, an orange inner ring under the pointer, a darker gradient while
// pressed, and a green tick when checked.
class TXPCheckbox : public TXPCustomCheckControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
    Q_PROPERTY(TXPCustomCheckControl::TXPBoundLines BoundLines READ BoundLines WRITE setBoundLines)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)

public:
    explicit TXPCheckbox(QWidget *parent = nullptr);

protected:
    void rebuildPictures() override;
    void drawCheck(QPainter &painter, const QRect &client) override;

private:
    QImage m_face;
    QImage m_pressedFace;
    QImage m_hotRing;
};
