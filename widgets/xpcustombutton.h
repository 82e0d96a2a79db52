#pragma once

#include "widgets/xpcustomstylecontrol.h"
#include "widgets/xptext.h"

#include <QImage>
#include <QPointer>

// The push button of the dialogs: a dark-blue rounded border round a white
// to grey face, an orange ring while the pointer is over it, a blue ring
// while it has the focus and a darker face while it is pressed. Space
// presses it like the mouse; Enter and Escape click it as the dialog's
// default and cancel button.
class TXPCustomButton : public TXPCustomStyleControl {
    Q_OBJECT

public:
    enum TXPGlyphLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TXPGlyphLayout)

    explicit TXPCustomButton(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {73, 21}; }

    // A disabled button shows its glyph in grey.
    bool AutoGray() const { return m_autoGray; }
    void setAutoGray(bool autoGray);
    // Escape clicks the button.
    bool Cancel() const { return m_cancel; }
    void setCancel(bool cancel);
    // Enter clicks the button while the window's focused control is not a
    // styled control.
    bool Default() const { return m_default; }
    void setDefault(bool isDefault);
    // A picture beside the caption; its bottom-left pixel's colour does not show.
    QImage Glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    TXPGlyphLayout Layout() const { return m_layout; }
    using QWidget::setLayout;
    void setLayout(TXPGlyphLayout layout);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool show);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool show);
    bool SmoothEdges() const { return m_smoothEdges; }
    void setSmoothEdges(bool smooth);
    // Pixels between the glyph and the caption.
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

protected:
    // Whether the face shows a coloured ring.
    bool ringShown() const;

    void rebuildPictures() override;
    void paintControl(QPainter &painter) override;
    bool showsAccelerator() const override { return m_showAccelChar; }

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    bool dialogKey(const QKeyEvent &event);
    void updateDialogKeyFilter();
    QRect captionRect(int glyphWidth, int glyphHeight, XPText::Flags flags, QPainter &painter) const;
    void drawGlyph(QPainter &painter, const QRect &caption, int shift) const;
    template <typename T>
    void setAndRepaint(T &member, const T &value);

    QImage m_face;
    QImage m_pressedFace;
    QImage m_focusRing;
    QImage m_hotRing;
    QImage m_glyph;
    QPointer<QWidget> m_keyWindow;
    TXPGlyphLayout m_layout = blGlyphLeft;
    int m_spacing = 3;
    bool m_autoGray = true;
    bool m_cancel = false;
    bool m_default = false;
    bool m_showAccelChar = true;
    bool m_showFocusRect = false;
    bool m_smoothEdges = true;
    bool m_wordWrap = true;
};
