#pragma once

#include <QColor>
#include <QDebug>
#include <QFont>
#include <QList>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>

#include <optional>

// A document as paragraphs of runs with the formatting the board keeps,
// read straight from the char formats, for comparing documents in tests.
struct Run {
    QString text;
    QString family;
    double points = 0;
    std::optional<QRgb> color;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool sameFormat(const Run &other) const
    {
        return family == other.family && points == other.points && color == other.color && bold == other.bold
            && italic == other.italic && underline == other.underline && strike == other.strike;
    }
    bool operator==(const Run &other) const { return text == other.text && sameFormat(other); }
};

inline QDebug operator<<(QDebug debug, const Run &run)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << run.text << '[' << run.family << ' ' << run.points << "pt"
                    << (run.color ? QColor(*run.color).name() : QStringLiteral("auto")) << (run.bold ? " b" : "")
                    << (run.italic ? " i" : "") << (run.underline ? " u" : "") << (run.strike ? " s" : "") << ']';
    return debug;
}

inline Run runOf(const QString &text, const QTextCharFormat &format)
{
    Run run;
    run.text = text;
    run.family = format.fontFamilies().toStringList().value(0);
    run.points = format.fontPointSize();
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        run.color = format.foreground().color().rgb() & 0xFFFFFF;
    run.bold = format.fontWeight() >= QFont::Bold;
    run.italic = format.fontItalic();
    run.underline = format.fontUnderline();
    run.strike = format.fontStrikeOut();
    return run;
}

// Adjacent fragments with the same formatting are one run; an empty
// paragraph is one run without text in the format of its paragraph mark.
inline QList<QList<Run>> runsOf(const QTextDocument &document)
{
    QList<QList<Run>> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QList<Run> runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const Run run = runOf(it.fragment().text(), it.fragment().charFormat());
            if (!runs.isEmpty() && runs.last().sameFormat(run))
                runs.last().text += run.text;
            else
                runs.append(run);
        }
        if (runs.isEmpty())
            runs.append(runOf(QString(), block.charFormat()));
        paragraphs.append(runs);
    }
    return paragraphs;
}

inline QStringList paragraphsOf(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs.append(block.text());
    return paragraphs;
}
