#pragma once

#include "widgets/xpcustombutton.h"

// The button placed on the windows, with its settings open to Qt's property
// system.
class TXPButton : public TXPCustomButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoGray READ AutoGray WRITE setAutoGray)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)
    Q_PROPERTY(bool Default READ Default WRITE setDefault)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(TXPCustomButton::TXPGlyphLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE setShowAccelChar)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(bool SmoothEdges READ SmoothEdges WRITE setSmoothEdges)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)

public:
    explicit TXPButton(QWidget *parent = nullptr)
        : TXPCustomButton(parent)
    {
    }
};
