#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCharFormat>

#include <optional>

// The character formatting the RTF stream keeps for a run of text, with
// every property resolved: what the format leaves open comes from the
// document's default font.
struct RunFormat {
    QString family;
    int halfPoints = 24;
    std::optional<QRgb> color;  // none: the automatic text colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    static RunFormat of(const QTextCharFormat &format, const QFont &defaultFont);

    // A format that sets every property explicitly; the family only when
    // known.
    QTextCharFormat toCharFormat(bool withFamily = true) const;

    bool operator==(const RunFormat &) const = default;
};

// The largest size the stream stores: 1638 points.
inline constexpr int kMaxHalfPoints = 3276;
