#pragma once

#include <QFlags>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// How the styled controls write their captions: whole captions with the
// control's colours, an "&" marking the accelerator letter, and an engraved
// look when the control is disabled.
namespace XPText {

enum Flag {
    EndEllipsis = 0x01, // a last line too wide for the rectangle ends in an ellipsis
    WordBreak = 0x02,   // lines break between words to fit the rectangle's width
    SingleLine = 0x04,  // line breaks in the caption are not honoured
    NoPrefix = 0x08,    // "&" is shown as it is
    AlignCenter = 0x10,
    AlignRight = 0x20,
    RtlReading = 0x40,
    Measure = 0x80, // nothing is drawn; the rectangle takes the caption's size
};
Q_DECLARE_FLAGS(Flags, Flag)

enum class Alignment { Left, Center, Right };

// Draws `caption` in `rect`, clipped to it, on a transparent background. In
// measuring mode nothing is drawn: `rect` keeps its top-left corner and gets
// the caption's width and height. A measured caption is never empty, so it
// always takes at least one line.
void render(const QWidget &control, QPainter &painter, const QString &caption, const QFont &font, bool enabled,
            bool showAccelerator, QRect &rect, Flags flags);

// Measures the caption in `rect`, places it there by `alignment` and centres
// it vertically, then draws it.
void place(const QWidget &control, QPainter &painter, const QString &caption, const QFont &font, bool enabled,
           bool showAccelerator, QRect rect, Alignment alignment, bool wordWrap);

// The letter after the first single "&" of `caption`, or a null character.
QChar accelerator(const QString &caption);

} // namespace XPText

Q_DECLARE_OPERATORS_FOR_FLAGS(XPText::Flags)
