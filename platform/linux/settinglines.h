#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// A desktop's wallpaper setting kept as "name=value" lines; a line break or
// a backslash in a value is escaped, so every value stays on its line.
namespace SettingLines {

inline QString line(const QString &name, const QString &value)
{
    QString escaped = value;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
    return name + u'=' + escaped;
}

// The lines' names and values in order; a line without '=' is passed over.
inline QList<QPair<QString, QString>> parse(const QStringList &lines)
{
    QList<QPair<QString, QString>> values;
    for (const QString &text : lines) {
        const qsizetype equals = text.indexOf(u'=');
        if (equals < 0)
            continue;
        QString value;
        const QString escaped = text.mid(equals + 1);
        for (qsizetype i = 0; i < escaped.size(); ++i) {
            const QChar c = escaped.at(i);
            if (c != u'\\' || i + 1 == escaped.size()) {
                value += c;
                continue;
            }
            const QChar next = escaped.at(++i);
            value += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
        }
        values.append({text.left(equals), value});
    }
    return values;
}

} // namespace SettingLines
