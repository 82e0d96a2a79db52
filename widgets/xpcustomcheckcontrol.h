#pragma once

#include "widgets/xpcustomstylecontrol.h"

// A styled control with a check state and its caption to the right of the
// box. A click toggles the state; the control has no key of its own.
class TXPCustomCheckControl : public TXPCustomStyleControl {
    Q_OBJECT

public:
    enum TXPBoundLine { blLeft = 0x1, blTop = 0x2, blRight = 0x4, blBottom = 0x8 };
    Q_DECLARE_FLAGS(TXPBoundLines, TXPBoundLine)
    Q_FLAG(TXPBoundLines)

    explicit TXPCustomCheckControl(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {161, 17}; }

    bool Checked() const { return m_checked; }
    void setChecked(bool checked);
    // Single lines along these sides of the control.
    TXPBoundLines BoundLines() const { return m_boundLines; }
    void setBoundLines(TXPBoundLines lines);
    // Extra pixels between the box and the caption.
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);

public slots:
    // Toggles Checked, then clicks as every styled control does.
    void click() override;

protected:
    static constexpr int kCheckSize = 13;

    // Draws the box, and the tick when checked, at the left of `client`.
    virtual void drawCheck(QPainter &painter, const QRect &client) = 0;
    void paintControl(QPainter &painter) override;

private:
    TXPBoundLines m_boundLines;
    int m_spacing = 3;
    bool m_checked = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TXPCustomCheckControl::TXPBoundLines)
