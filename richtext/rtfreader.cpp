#include "richtext/rtfreader.h"

#include "richtext/codepages.h"
#include "richtext/documentbuilder.h"
#include "richtext/rtfcontrolwords.h"
#include "richtext/rtftokenizer.h"
#include "richtext/runformat.h"

#include <QHash>
#include <QTextDocument>

#include <optional>
#include <vector>

namespace {

// Deeper groups are read as part of the deepest one; real documents stay
// far below this.
constexpr std::size_t kMaxDepth = 256;

enum class Destination { Body, FontTable, ColorTable };

struct CharState {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool operator==(const CharState &) const = default;
};

// How the bytes of a font are decoded: through `codePage` where they are
// valid there, otherwise through `fallback`.
struct Encoding {
    int codePage = CodePages::kWestern;
    int fallback = CodePages::kWestern;

    bool operator==(const Encoding &) const = default;
};

struct Group {
    Destination destination = Destination::Body;
    CharState chars;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int charset = -1;
    int codePage = 0; // from \cpg, overrides the charset
};

// The font-table entry being read: its number, code page and the name so
// far, part of it still as bytes.
struct FontInProgress {
    int index = -1;
    FontEntry entry;
    QByteArray nameBytes;
};

class RtfReader {
public:
    RtfReader(QByteArrayView rtf, QTextDocument &document)
        : m_tokens(rtf)
        , m_builder(document)
    {
    }

    void read()
    {
        if (m_tokens.next().kind != RtfToken::GroupStart)
            return;
        m_groups.reserve(kMaxDepth);
        m_groups.push_back(Group());
        while (!m_groups.empty() || m_skipDepth > 0) {
            const RtfToken token = m_tokens.next();
            if (token.kind == RtfToken::End)
                break;
            if (m_skipDepth > 0)
                skipToken(token);
            else if (m_fallbackToSkip > 0 && token.kind != RtfToken::GroupStart && token.kind != RtfToken::GroupEnd)
                skipFallback(token);
            else
                handle(token);
        }
        flushRun();
    }

private:
    Group &group() { return m_groups.back(); }
    CharState &chars() { return group().chars; }

    void handle(const RtfToken &token)
    {
        switch (token.kind) {
        case RtfToken::GroupStart:
            m_fallbackToSkip = 0;
            if (m_groups.size() < kMaxDepth) {
                const Group inner = group();
                m_groups.push_back(inner);
            } else {
                ++m_overflowDepth;
            }
            break;
        case RtfToken::GroupEnd:
            m_fallbackToSkip = 0;
            if (m_overflowDepth > 0) {
                --m_overflowDepth;
            } else {
                if (group().destination == Destination::FontTable)
                    commitFont();
                m_groups.pop_back();
            }
            break;
        case RtfToken::ControlWord:
            controlWord(token);
            break;
        case RtfToken::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case RtfToken::HexByte:
            textByte(token.byte, true);
            break;
        case RtfToken::Text:
            textByte(token.byte, false);
            break;
        case RtfToken::End:
            break;
        }
    }

    // Inside a skipped destination only groups and binary data matter.
    void skipToken(const RtfToken &token)
    {
        if (token.kind == RtfToken::GroupStart)
            ++m_skipDepth;
        else if (token.kind == RtfToken::GroupEnd)
            --m_skipDepth;
        else if (token.kind == RtfToken::ControlWord && token.word == "bin")
            m_tokens.skipBytes(token.parameter);
    }

    // The stand-in characters after \uN for readers without Unicode.
    void skipFallback(const RtfToken &token)
    {
        --m_fallbackToSkip;
        if (token.kind == RtfToken::ControlWord && token.word == "bin")
            m_tokens.skipBytes(token.parameter);
    }

    // The current group is a destination this reader does not show: leave
    // it now and step over the rest of it.
    void beginSkip()
    {
        if (m_overflowDepth > 0)
            --m_overflowDepth;
        else
            m_groups.pop_back();
        m_skipDepth = 1;
    }

    void controlWord(const RtfToken &token)
    {
        const std::optional<RtfControlWord> word = RtfControlWord::of(token.word);
        if (!word)
            return;
        const int parameter = token.parameter;
        const bool on = !token.hasParameter || parameter != 0;
        using Action = RtfControlWord::Action;
        switch (word->action) {
        case Action::Paragraph:
            if (group().destination == Destination::Body)
                endParagraph();
            break;
        case Action::Character:
            unicode(word->character);
            break;
        case Action::Plain:
            chars() = CharState();
            break;
        case Action::Bold: chars().bold = on; break;
        case Action::Italic: chars().italic = on; break;
        case Action::Underline: chars().underline = on; break;
        case Action::UnderlineNone: chars().underline = false; break;
        case Action::Strike: chars().strike = on; break;
        case Action::Color: chars().color = parameter; break;
        case Action::FontSize:
            chars().halfPoints = parameter > 0 ? std::min(parameter, kMaxHalfPoints) : 24;
            break;
        case Action::Font:
            if (group().destination == Destination::FontTable)
                startFont(parameter);
            else
                chars().font = parameter;
            break;
        case Action::UnicodeSkip:
            group().unicodeSkip = std::max(parameter, 0);
            break;
        case Action::Unicode:
            unicode(parameter < 0 && parameter >= -0x8000 ? char16_t(parameter + 0x10000)
                    : parameter >= 0 && parameter <= 0xFFFF ? char16_t(parameter)
                                                            : char16_t(QChar::ReplacementCharacter));
            m_fallbackToSkip = group().unicodeSkip;
            break;
        case Action::AnsiCodePage:
            documentCodePage(CodePages::supported(parameter) ? parameter : CodePages::kWestern);
            break;
        case Action::Ansi: documentCodePage(CodePages::kWestern); break;
        case Action::Mac: documentCodePage(10000); break;
        case Action::Pc: documentCodePage(437); break;
        case Action::Pca: documentCodePage(850); break;
        case Action::DefaultFont:
            m_defaultFont = parameter;
            fontsChanged();
            break;
        case Action::FontTable: group().destination = Destination::FontTable; break;
        case Action::ColorTable: group().destination = Destination::ColorTable; break;
        case Action::Skip: beginSkip(); break;
        case Action::Binary: m_tokens.skipBytes(parameter); break;
        case Action::FontCharset: m_font.entry.charset = parameter; break;
        case Action::FontCodePage:
            m_font.entry.codePage = CodePages::supported(parameter) ? parameter : 0;
            break;
        case Action::Red: m_red = parameter; break;
        case Action::Green: m_green = parameter; break;
        case Action::Blue: m_blue = parameter; break;
        }
    }

    void documentCodePage(int codePage)
    {
        m_documentCodePage = codePage;
        m_runEncoding.reset();
    }

    // Formats and encodings worked out so far may name other fonts now.
    void fontsChanged()
    {
        m_formats.clear();
        m_runEncoding.reset();
    }

    void controlSymbol(char symbol)
    {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            textByte(static_cast<unsigned char>(symbol), true);
            break;
        case '~': unicode(0x00A0); break;
        case '-': unicode(0x00AD); break;
        case '_': unicode(0x2011); break;
        case '*': beginSkip(); break;
        case '\n':
            if (group().destination == Destination::Body)
                endParagraph();
            break;
        default:
            break;
        }
    }

    // `escaped`: the byte came as \'hh or \\, so a ';' in it is text.
    void textByte(unsigned char byte, bool escaped)
    {
        switch (group().destination) {
        case Destination::Body: {
            openRun();
            const Encoding encoding = runEncoding();
            if (!m_bytes.isEmpty() && !(m_bytesEncoding == encoding))
                decodeBytes();
            m_bytesEncoding = encoding;
            m_bytes += char(byte);
            m_bytes += m_tokens.takeText();
            break;
        }
        case Destination::FontTable:
            if (byte == ';' && !escaped)
                commitFont();
            else if (m_font.index >= 0)
                m_font.nameBytes += char(byte);
            break;
        case Destination::ColorTable:
            if (byte == ';' && !escaped)
                commitColor();
            break;
        }
    }

    void unicode(char16_t c)
    {
        switch (group().destination) {
        case Destination::Body:
            openRun();
            decodeBytes();
            m_run += QChar(c);
            break;
        case Destination::FontTable:
            if (m_font.index >= 0) {
                decodeFontName();
                m_font.entry.name += QChar(c);
            }
            break;
        case Destination::ColorTable:
            break;
        }
    }

    // Text joins the current run while the formatting stays the same.
    void openRun()
    {
        if (!(m_runChars == chars()))
            flushRun();
        m_runChars = chars();
    }

    void decodeBytes()
    {
        if (m_bytes.isEmpty())
            return;
        m_run += m_decoders.decode(m_bytesEncoding.codePage, m_bytesEncoding.fallback, m_bytes);
        m_bytes.clear();
    }

    void flushRun()
    {
        decodeBytes();
        if (m_run.isEmpty())
            return;
        m_builder.appendText(m_run, charFormat(m_runChars));
        m_run.clear();
    }

    void endParagraph()
    {
        flushRun();
        m_builder.endParagraph(charFormat(chars()));
    }

    const FontEntry *fontOf(int font) const
    {
        const auto found = m_fonts.constFind(font >= 0 ? font : m_defaultFont);
        return found == m_fonts.constEnd() ? nullptr : &*found;
    }

    // The encoding of the current run's font, worked out once for the run's
    // bytes rather than at each of them.
    Encoding runEncoding()
    {
        const int font = chars().font;
        if (!m_runEncoding || m_runEncoding->first != font)
            m_runEncoding.emplace(font, encodingOf(fontOf(font)));
        return m_runEncoding->second;
    }

    Encoding encodingOf(const FontEntry *entry) const
    {
        if (entry && entry->codePage)
            return {entry->codePage, entry->codePage};
        const int charset = entry ? entry->charset : -1;
        if (CodePages::forCharset(charset, -1) >= 0) {
            const int codePage = CodePages::forCharset(charset, m_documentCodePage);
            return {codePage, codePage};
        }
        // A font of the ANSI or default set: Windows programs read its bytes
        // as Western, others through the document's code page. In a Chinese,
        // Japanese or Korean document the bytes themselves tell which.
        if (CodePages::doubleByte(m_documentCodePage))
            return {m_documentCodePage, CodePages::kWestern};
        return {m_documentCodePage, m_documentCodePage};
    }

    // A page uses a handful of formats for thousands of runs: each is made
    // once, until the font or colour table changes.
    QTextCharFormat charFormat(const CharState &state)
    {
        for (const auto &[known, format] : m_formats)
            if (known == state)
                return format;
        if (m_formats.size() == kFormatsKept)
            m_formats.erase(m_formats.begin());
        m_formats.emplace_back(state, makeCharFormat(state));
        return m_formats.back().second;
    }

    QTextCharFormat makeCharFormat(const CharState &state) const
    {
        RunFormat run;
        const FontEntry *font = fontOf(state.font);
        if (font)
            run.family = font->name;
        run.halfPoints = state.halfPoints;
        if (state.color > 0 && std::size_t(state.color) < m_colors.size())
            run.color = m_colors[std::size_t(state.color)];
        run.bold = state.bold;
        run.italic = state.italic;
        run.underline = state.underline;
        run.strike = state.strike;
        return run.toCharFormat(font != nullptr);
    }

    void startFont(int index)
    {
        commitFont();
        m_font = FontInProgress();
        m_font.index = index;
    }

    void decodeFontName()
    {
        if (m_font.nameBytes.isEmpty())
            return;
        const Encoding encoding = encodingOf(&m_font.entry);
        m_font.entry.name += m_decoders.decode(encoding.codePage, encoding.fallback, m_font.nameBytes);
        m_font.nameBytes.clear();
    }

    void commitFont()
    {
        if (m_font.index < 0)
            return;
        decodeFontName();
        m_font.entry.name = keepableText(m_font.entry.name).trimmed();
        m_fonts.insert(m_font.index, m_font.entry);
        fontsChanged();
        m_font = FontInProgress();
    }

    void commitColor()
    {
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.push_back(std::nullopt);
        else
            m_colors.push_back(qRgb(std::clamp(m_red, 0, 255), std::clamp(m_green, 0, 255),
                                    std::clamp(m_blue, 0, 255)));
        m_red = m_green = m_blue = -1;
        m_formats.clear();
    }

    RtfTokenizer m_tokens;
    DocumentBuilder m_builder;
    CodePageDecoders m_decoders;
    std::vector<Group> m_groups;
    int m_overflowDepth = 0;
    int m_skipDepth = 0;
    int m_fallbackToSkip = 0;

    int m_documentCodePage = CodePages::kWestern;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    std::optional<std::pair<int, Encoding>> m_runEncoding;
    FontInProgress m_font;
    std::vector<std::optional<QRgb>> m_colors;
    static constexpr std::size_t kFormatsKept = 8;
    std::vector<std::pair<CharState, QTextCharFormat>> m_formats;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;

    QString m_run;
    CharState m_runChars;
    QByteArray m_bytes;
    Encoding m_bytesEncoding;
};

} // namespace

namespace Rtf {

bool isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

void read(QByteArrayView rtf, QTextDocument &document)
{
    RtfReader(rtf, document).read();
}

} // namespace Rtf
