#pragma once

#include "widgets/xpcustomcontrol.h"

#include <QImage>

enum class TXPTheme { WindowsXP };

// The look the styled controls paint in. The program has no shared style
// manager, so every control keeps the Windows XP theme.
class TXPStyle {
public:
    TXPTheme Theme() const { return TXPTheme::WindowsXP; }
};

// A styled control paints through an off-screen picture of its own size, so
// hovering and pressing never flicker, and rebuilds the pictures it paints
// with whenever its size changes.
class TXPCustomStyleControl : public TXPCustomControl {
    Q_OBJECT

public:
    explicit TXPCustomStyleControl(QWidget *parent = nullptr);

    const TXPStyle &Style() const { return m_style; }

protected:
    virtual void rebuildPictures() = 0;
    // Paints the whole control; the painter draws on whole pixels only.
    virtual void paintControl(QPainter &painter) = 0;

    void sizeChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    TXPStyle m_style;
    QImage m_buffer;
};
