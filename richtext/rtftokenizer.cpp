#include "richtext/rtftokenizer.h"

#include <algorithm>
#include <limits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken tokenOf(RtfToken::Kind kind)
{
    RtfToken token;
    token.kind = kind;
    return token;
}

// Longer words and numbers are read to their end but cut to these lengths.
constexpr qsizetype kMaxWordLength = 32;
constexpr int kMaxDigits = 10;

} // namespace

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos++];
        switch (c) {
        case '{':
            return tokenOf(RtfToken::GroupStart);
        case '}':
            return tokenOf(RtfToken::GroupEnd);
        case '\r':
        case '\n':
            continue;
        case '\\':
            if (m_pos >= m_input.size())
                return {};
            if (isLetter(m_input[m_pos]))
                return controlWord();
            if (m_input[m_pos] == '\'') {
                ++m_pos;
                return hexByte();
            }
            {
                RtfToken token = tokenOf(RtfToken::ControlSymbol);
                const char symbol = m_input[m_pos++];
                token.symbol = symbol == '\r' ? '\n' : symbol;
                return token;
            }
        default: {
            RtfToken token = tokenOf(RtfToken::Text);
            token.byte = static_cast<unsigned char>(c);
            return token;
        }
        }
    }
    return {};
}

QByteArrayView RtfTokenizer::takeText()
{
    const qsizetype start = m_pos;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    return m_input.sliced(start, m_pos - start);
}

void RtfTokenizer::skipBytes(qint64 count)
{
    if (count > 0)
        m_pos += qsizetype(std::min<qint64>(count, m_input.size() - m_pos));
}

RtfToken RtfTokenizer::controlWord()
{
    RtfToken token = tokenOf(RtfToken::ControlWord);
    const qsizetype start = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos]))
        ++m_pos;
    token.word = m_input.sliced(start, std::min(m_pos - start, kMaxWordLength));

    bool negative = false;
    if (m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        qint64 value = 0;
        int digits = 0;
        for (; m_pos < m_input.size() && isDigit(m_input[m_pos]); ++m_pos)
            if (digits++ < kMaxDigits)
                value = value * 10 + (m_input[m_pos] - '0');
        if (negative)
            value = -value;
        token.hasParameter = true;
        token.parameter = int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()));
    }
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;
    return token;
}

RtfToken RtfTokenizer::hexByte()
{
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        const int digit = m_pos < m_input.size() ? hexValue(m_input[m_pos]) : -1;
        if (digit < 0) {
            // A broken escape stands for nothing.
            RtfToken token = tokenOf(RtfToken::ControlSymbol);
            token.symbol = '\'';
            return token;
        }
        value = value * 16 + digit;
        ++m_pos;
    }
    RtfToken token = tokenOf(RtfToken::HexByte);
    token.byte = static_cast<unsigned char>(value);
    return token;
}
