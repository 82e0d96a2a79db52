#include "widgets/xptext.h"

#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QTextLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace XPText {
namespace {

// The caption as it is shown: "&" prefixes taken out, and the place of the
// underlined accelerator letter.
struct Shown {
    QString text;
    qsizetype accelerator = -1;
};

Shown prepare(QString caption, Flags flags)
{
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (flags & SingleLine)
        caption.replace(u'\n', u' ');
    if (flags & NoPrefix)
        return {caption};
    Shown shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i == caption.size())
                break;
            if (caption[i] != u'&' && shown.accelerator < 0)
                shown.accelerator = shown.text.size();
        }
        shown.text += caption[i];
    }
    return shown;
}

struct Line {
    qsizetype start;
    qsizetype length;
    int width;
    int height;
};

QList<Line> breakLines(const QString &text, const QFont &font, QPaintDevice *device, int width, Flags flags)
{
    QTextOption option;
    option.setWrapMode((flags & WordBreak) ? QTextOption::WordWrap : QTextOption::NoWrap);
    const qreal lineWidth = (flags & WordBreak) ? std::max(width, 0) : 1e6;
    QList<Line> lines;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QTextLayout layout(text.mid(start, end - start), font, device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(lineWidth);
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            lines.append({start + line.textStart(), line.textLength(), int(std::ceil(line.naturalTextWidth())),
                          int(std::ceil(line.height()))});
        }
        start = end + 1;
    }
    return lines;
}

void drawLine(QPainter &painter, const QString &text, qsizetype accelerator, const QFont &font, QPoint topLeft,
              bool rightToLeft)
{
    QTextLayout layout(text, font, painter.device());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    if (accelerator >= 0) {
        QTextLayout::FormatRange underline;
        underline.start = int(accelerator);
        underline.length = 1;
        underline.format.setFontUnderline(true);
        layout.setFormats({underline});
    }
    layout.beginLayout();
    layout.createLine().setLineWidth(1e6);
    layout.endLayout();
    layout.draw(&painter, topLeft);
}

void drawLines(QPainter &painter, const Shown &shown, const QList<Line> &lines, const QFont &font, const QRect &rect,
               Flags flags, const QColor &colour)
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(colour);
    int top = rect.top();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        QString text = shown.text.mid(line.start, line.length);
        qsizetype accelerator = shown.accelerator - line.start;
        int width = line.width;
        if ((flags & EndEllipsis) && i == lines.size() - 1 && width > rect.width()) {
            const QFontMetricsF metrics(font, painter.device());
            text = metrics.elidedText(text, Qt::ElideRight, rect.width());
            width = int(std::ceil(metrics.horizontalAdvance(text)));
            if (accelerator >= text.size() - 1)
                accelerator = -1;
        }
        if (accelerator >= text.size())
            accelerator = -1;
        int left = rect.left();
        if (flags & AlignRight)
            left = rect.left() + rect.width() - width;
        else if (flags & AlignCenter)
            left = rect.left() + (rect.width() - width) / 2;
        drawLine(painter, text, accelerator, font, QPoint(left, top), flags & RtlReading);
        top += line.height;
    }
    painter.restore();
}

// Right-to-left reading also mirrors the alignment.
Flags forRightToLeft(Flags flags)
{
    flags |= RtlReading;
    if (flags & AlignRight)
        flags &= ~Flags(AlignRight);
    else if (!(flags & AlignCenter))
        flags |= AlignRight;
    return flags;
}

} // namespace

void render(const QWidget &control, QPainter &painter, const QString &caption, const QFont &font, bool enabled,
            bool showAccelerator, QRect &rect, Flags flags)
{
    QString text = caption;
    if ((flags & Measure) && (text.isEmpty() || (showAccelerator && text == QStringLiteral("&"))))
        text += u' ';
    if (!showAccelerator)
        flags |= NoPrefix;
    if (control.layoutDirection() == Qt::RightToLeft)
        flags = forRightToLeft(flags);
    const Shown shown = prepare(text, flags);
    const QList<Line> lines = breakLines(shown.text, font, painter.device(), rect.width(), flags);

    if (flags & Measure) {
        int width = 0;
        int height = 0;
        for (const Line &line : lines) {
            width = std::max(width, line.width);
            height += line.height;
        }
        // A line too wide for the rectangle is cut to fit it.
        if (flags & EndEllipsis)
            width = std::min(width, std::max(rect.width(), 0));
        rect.setSize({width, height});
        return;
    }
    const QPalette &palette = control.palette();
    if (enabled) {
        drawLines(painter, shown, lines, font, rect, flags, palette.color(control.foregroundRole()));
        return;
    }
    // Engraved: a highlight one pixel down and right, the shadow on top.
    drawLines(painter, shown, lines, font, rect.translated(1, 1), flags, palette.color(QPalette::Active, QPalette::Light));
    drawLines(painter, shown, lines, font, rect, flags, palette.color(QPalette::Active, QPalette::Dark));
}

void place(const QWidget &control, QPainter &painter, const QString &caption, const QFont &font, bool enabled,
           bool showAccelerator, QRect rect, Alignment alignment, bool wordWrap)
{
    Flags flags = EndEllipsis | (wordWrap ? WordBreak : SingleLine);
    if (alignment == Alignment::Right)
        flags |= AlignRight;
    else if (alignment == Alignment::Center)
        flags |= AlignCenter;
    QRect text = rect;
    render(control, painter, caption, font, enabled, showAccelerator, text, flags | Measure);
    int dx = 0;
    if (alignment == Alignment::Right)
        dx = rect.width() - text.width();
    else if (alignment == Alignment::Center)
        dx = (rect.width() - text.width()) / 2;
    text.translate(dx, (rect.height() - text.height()) / 2);
    render(control, painter, caption, font, enabled, showAccelerator, text, flags);
}

QChar accelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i;
    }
    return {};
}

} // namespace XPText
