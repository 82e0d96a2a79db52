#pragma once

#include <QByteArrayView>

#include <optional>

// What a control word does to the reader; words not listed are ignored.
struct RtfControlWord {
    enum class Action {
        Paragraph, Character, Plain, Bold, Italic, Underline, UnderlineNone, Strike, Color, FontSize, Font,
        UnicodeSkip, Unicode, AnsiCodePage, Ansi, Mac, Pc, Pca, DefaultFont, FontTable, ColorTable, Skip,
        Binary, FontCharset, FontCodePage, Red, Green, Blue,
    };

    Action action;
    char16_t character = 0; // for Action::Character

    static std::optional<RtfControlWord> of(QByteArrayView word);
};
