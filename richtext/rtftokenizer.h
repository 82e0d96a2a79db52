#pragma once

#include <QByteArrayView>

// One piece of an RTF stream.
struct RtfToken {
    enum Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text };

    Kind kind = End;
    QByteArrayView word;   // ControlWord: the letters
    bool hasParameter = false;
    int parameter = 0;     // ControlWord: the number, clamped to int
    char symbol = 0;       // ControlSymbol: the character after the backslash
    unsigned char byte = 0; // HexByte and Text
};

// Splits an RTF stream into tokens, one pass, constant work per byte.
// Line breaks in the stream are not text and give no token; a backslash
// before a line break is the symbol '\n'.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input)
        : m_input(input)
    {
    }

    RtfToken next();

    // The text bytes from here to the next group, control or line break,
    // which would each be a Text token: a body's text is taken in runs.
    QByteArrayView takeText();

    // Steps over the data of \binN, never past the end of the input.
    void skipBytes(qint64 count);

private:
    RtfToken controlWord();
    RtfToken hexByte();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};
