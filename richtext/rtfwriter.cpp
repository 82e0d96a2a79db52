#include "richtext/rtfwriter.h"

#include "richtext/fontcharset.h"
#include "richtext/gbkpairs.h"
#include "richtext/paragraphpieces.h"
#include "richtext/runformat.h"

#include <QHash>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

namespace {

// A run's formatting as table indices, in the terms of the stream.
struct StreamFormat {
    int font = -1;
    int halfPoints = -1;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

char hexDigit(int value)
{
    return "0123456789abcdef"[value & 0xF];
}

// A run's text as the stream writes it, kept from one write to the next:
// the bytes as written after a delimiter, and what they need from and leave
// to their neighbours.
struct EncodedRun {
    int formatIndex = -1;
    bool chinese = false;
    QByteArray bytes;
    // The first byte is a plain character: after a control word it needs a
    // blank in front.
    bool leadsWithCharacter = false;
    // The bytes end in a control word.
    bool endsWithControlWord = false;
};

// A paragraph's runs as the stream writes them, kept on the block until
// the block changes.
class EncodedBlock : public QTextBlockUserData {
public:
    int length = 0;
    int markFormatIndex = -1;
    QList<EncodedRun> runs;
};

// Writes text the way every RTF reader since the first rich-edit control
// understands it: ASCII as it is, Chinese as code page 936 byte pairs where
// the font says so, everything else as a UTF-16 unit with a '?' for readers
// without Unicode.
class TextEncoder {
public:
    explicit TextEncoder(QByteArray &out)
        : m_out(out)
    {
    }

    void controlWord(const char *word)
    {
        m_out += word;
        m_needDelimiter = true;
    }

    void controlWord(const char *word, int parameter)
    {
        m_out += word;
        m_out += QByteArray::number(parameter);
        m_needDelimiter = true;
    }

    void text(QStringView text, bool chinese, bool inFontTable = false)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
                unicode(c);
                unicode(text[++i].unicode());
            } else if (QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
                unicode(QChar::ReplacementCharacter);
            } else {
                character(c, chinese, inFontTable);
            }
        }
    }

    void endParagraph()
    {
        m_out += "\\par\r\n";
        m_needDelimiter = false;
    }

    // Encodes `run` on its own, as if after a delimiter.
    static void encode(QStringView text, EncodedRun &run)
    {
        TextEncoder encoder(run.bytes);
        encoder.text(text, run.chinese);
        run.leadsWithCharacter = encoder.m_leadsWithCharacter;
        run.endsWithControlWord = encoder.m_needDelimiter;
    }

    void append(const EncodedRun &run)
    {
        if (run.bytes.isEmpty())
            return;
        if (m_needDelimiter && run.leadsWithCharacter)
            m_out += ' ';
        m_out += run.bytes;
        m_needDelimiter = run.endsWithControlWord;
    }

private:
    void character(char16_t c, bool chinese, bool inFontTable)
    {
        if (c == u'\t')
            return controlWord("\\tab");
        if (c == 0x2028)
            return controlWord("\\line");
        // Control characters, the object marker of pictures and the frame
        // markers of tables have no place in the stream.
        if (c < 0x20 || c == 0x7F || c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1)
            return;
        if (c < 0x80) {
            if (c == u'\\' || c == u'{' || c == u'}') {
                m_out += '\\';
            } else if (inFontTable && c == u';') {
                return hexByte(';');
            } else if (m_needDelimiter) {
                m_out += ' ';
            } else if (m_out.isEmpty()) {
                m_leadsWithCharacter = true;
            }
            m_out += char(c);
            m_needDelimiter = false;
            return;
        }
        if (chinese) {
            if (const quint16 pair = GbkPairs::of(QChar(c))) {
                hexByte(pair >> 8);
                hexByte(pair & 0xFF);
                return;
            }
        }
        unicode(c);
    }

    void hexByte(int byte)
    {
        const char escape[4] = {'\\', '\'', hexDigit(byte >> 4), hexDigit(byte)};
        m_out.append(escape, 4);
        m_needDelimiter = false;
    }

    void unicode(char16_t c)
    {
        m_out += "\\u";
        m_out += QByteArray::number(int(qint16(c)));
        m_out += '?';
        m_needDelimiter = false;
    }

    QByteArray &m_out;
    bool m_needDelimiter = false;
    bool m_leadsWithCharacter = false;
};

class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument &document)
        : m_document(document)
        , m_defaultFont(document.defaultFont())
        , m_documentFormats(document.allFormats())
    {
    }

    QByteArray write()
    {
        m_body.reserve(qsizetype(m_document.characterCount()) * 4 + 64);
        for (QTextBlock block = m_document.begin(), next; block.isValid(); block = next) {
            next = block.next();
            if (isEmptyParagraph(block)) {
                // An empty line keeps its height through the format of its
                // paragraph mark.
                switchTo(streamFormat(block.charFormatIndex()));
            }
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const StreamFormat &format = streamFormat(fragment.charFormatIndex());
                switchTo(format);
                m_bodyEncoder.text(fragment.text(), m_chineseFonts.at(format.font));
            }
            endParagraphBefore(next);
        }
        return document();
    }

    // The same bytes as write(), from the encodings kept on the blocks;
    // blocks without one are encoded and keep theirs.
    QByteArray writeKept()
    {
        m_body.reserve(qsizetype(m_document.characterCount()) * 4 + 64);
        for (QTextBlock block = m_document.begin(), next; block.isValid(); block = next) {
            next = block.next();
            const bool emptyParagraph = isEmptyParagraph(block);
            const EncodedBlock &encoded = keptEncoding(block, emptyParagraph);
            if (emptyParagraph)
                switchTo(streamFormat(encoded.markFormatIndex));
            for (const EncodedRun &run : encoded.runs) {
                switchTo(streamFormat(run.formatIndex));
                m_bodyEncoder.append(run);
            }
            endParagraphBefore(next);
        }
        return document();
    }

private:
    // A paragraph cut into pieces for the view is one paragraph in the
    // stream: its mark is the first piece's.
    bool continuesParagraph(const QTextBlock &block)
    {
        if (!block.isValid())
            return false;
        const int index = block.blockFormatIndex();
        // Neighbouring blocks mostly share their format.
        if (index == m_lastBlockFormat)
            return m_lastBlockContinues;
        m_lastBlockFormat = index;
        auto found = m_continuingFormats.constFind(index);
        if (found == m_continuingFormats.constEnd())
            found = m_continuingFormats.insert(index, ParagraphPieces::continuesParagraph(block.blockFormat()));
        m_lastBlockContinues = *found;
        return m_lastBlockContinues;
    }

    bool isEmptyParagraph(QTextBlock block)
    {
        if (continuesParagraph(block))
            return false;
        do {
            if (block.length() > 1)
                return false;
            block = block.next();
        } while (continuesParagraph(block));
        return true;
    }

    void endParagraphBefore(const QTextBlock &next)
    {
        if (!continuesParagraph(next))
            m_bodyEncoder.endParagraph();
    }

    QByteArray document() const
    {
        // The page is copied once, behind the tables it needed.
        QByteArray rtf = header();
        rtf.reserve(rtf.size() + m_body.size() + 3);
        rtf += m_body;
        rtf += "}\r\n";
        return rtf;
    }

    // The block's kept encoding, made anew when there is none or when the
    // font of a run now writes its text differently. Looks the formats up
    // in the order write() does, so both give the tables the same order.
    const EncodedBlock &keptEncoding(const QTextBlock &block, bool emptyParagraph)
    {
        auto *kept = dynamic_cast<EncodedBlock *>(block.userData());
        if (kept && kept->length == block.length() && sameFonts(*kept, emptyParagraph))
            return *kept;
        auto encoded = std::make_unique<EncodedBlock>();
        encoded->length = block.length();
        encoded->markFormatIndex = block.charFormatIndex();
        if (emptyParagraph)
            streamFormat(encoded->markFormatIndex);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            EncodedRun &run = encoded->runs.emplace_back();
            run.formatIndex = fragment.charFormatIndex();
            run.chinese = m_chineseFonts.at(streamFormat(run.formatIndex).font);
            TextEncoder::encode(fragment.text(), run);
        }
        // The block is the document's, which is not changed: the encoding is
        // kept beside it.
        QTextBlock(block).setUserData(encoded.get());
        return *encoded.release();
    }

    bool sameFonts(const EncodedBlock &kept, bool emptyParagraph)
    {
        if (emptyParagraph)
            streamFormat(kept.markFormatIndex);
        for (const EncodedRun &run : kept.runs) {
            if (m_chineseFonts.at(streamFormat(run.formatIndex).font) != run.chinese)
                return false;
        }
        return true;
    }

    // A page has a handful of formats for thousands of runs: each is looked
    // at once, by its index in the document.
    const StreamFormat &streamFormat(int index)
    {
        // Neighbouring runs mostly share their format.
        if (index == m_lastRunFormat)
            return m_lastStreamFormat;
        m_lastRunFormat = index;
        m_lastStreamFormat = lookUp(index);
        return m_lastStreamFormat;
    }

    StreamFormat lookUp(int index)
    {
        auto found = m_formats.constFind(index);
        if (found != m_formats.constEnd())
            return *found;
        const RunFormat run = RunFormat::of(m_documentFormats.at(index).toCharFormat(), m_defaultFont);
        StreamFormat format;
        format.font = fontIndex(run.family);
        format.halfPoints = run.halfPoints;
        format.color = run.color ? colorIndex(*run.color) : 0;
        format.bold = run.bold;
        format.italic = run.italic;
        format.underline = run.underline;
        format.strike = run.strike;
        return *m_formats.insert(index, format);
    }

    int fontIndex(const QString &family)
    {
        int index = int(m_fonts.indexOf(family));
        if (index < 0) {
            index = int(m_fonts.size());
            m_fonts.append(family);
            m_chineseFonts.append(FontCharset::isChineseFace(family));
        }
        return index;
    }

    int colorIndex(QRgb color)
    {
        // Entry 0 of the colour table is the automatic colour.
        const qsizetype index = m_colors.indexOf(color);
        if (index >= 0)
            return int(index) + 1;
        m_colors.append(color);
        return int(m_colors.size());
    }

    void switchTo(const StreamFormat &next)
    {
        if (next.font != m_current.font)
            m_bodyEncoder.controlWord("\\f", next.font);
        if (next.halfPoints != m_current.halfPoints)
            m_bodyEncoder.controlWord("\\fs", next.halfPoints);
        if (next.color != m_current.color)
            m_bodyEncoder.controlWord("\\cf", next.color);
        if (next.bold != m_current.bold)
            m_bodyEncoder.controlWord(next.bold ? "\\b" : "\\b0");
        if (next.italic != m_current.italic)
            m_bodyEncoder.controlWord(next.italic ? "\\i" : "\\i0");
        if (next.underline != m_current.underline)
            m_bodyEncoder.controlWord(next.underline ? "\\ul" : "\\ulnone");
        if (next.strike != m_current.strike)
            m_bodyEncoder.controlWord(next.strike ? "\\strike" : "\\strike0");
        m_current = next;
    }

    QByteArray header() const
    {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset"
                + QByteArray::number(m_chineseFonts.at(i) ? FontCharset::kGb2312 : FontCharset::kAnsi) + ' ';
            TextEncoder(out).text(m_fonts.at(i), m_chineseFonts.at(i), true);
            out += ";}";
        }
        out += "}\r\n{\\colortbl ;";
        for (QRgb color : m_colors)
            out += "\\red" + QByteArray::number(qRed(color)) + "\\green" + QByteArray::number(qGreen(color))
                + "\\blue" + QByteArray::number(qBlue(color)) + ';';
        out += "}\r\n\\uc1\\pard";
        return out;
    }

    const QTextDocument &m_document;
    const QFont m_defaultFont;
    const QList<QTextFormat> m_documentFormats;
    QByteArray m_body;
    TextEncoder m_bodyEncoder{m_body};
    StreamFormat m_current;
    QHash<int, StreamFormat> m_formats;
    QHash<int, bool> m_continuingFormats;
    int m_lastRunFormat = -1;
    StreamFormat m_lastStreamFormat;
    int m_lastBlockFormat = -1;
    bool m_lastBlockContinues = false;
    QStringList m_fonts;
    QList<bool> m_chineseFonts;
    QList<QRgb> m_colors;
};

} // namespace

namespace Rtf {

QByteArray write(const QTextDocument &document)
{
    return RtfWriter(document).write();
}

KeptEncodings::KeptEncodings(QTextDocument &document)
    : QObject(&document)
{
    connect(&document, &QTextDocument::contentsChange, this, [&document](int position, int, int added) {
        // The block that holds the change, every block it reaches into, and
        // the block after it, whose mark may have changed format.
        for (QTextBlock block = document.findBlock(position); block.isValid() && block.position() <= position + added;
             block = block.next())
            block.setUserData(nullptr);
    });
}

KeptEncodings *KeptEncodings::of(const QTextDocument &document)
{
    return document.findChild<KeptEncodings *>(QString(), Qt::FindDirectChildrenOnly);
}

void KeptEncodings::attach(QTextDocument &document)
{
    if (!of(document))
        new KeptEncodings(document);
}

QByteArray KeptEncodings::write() const
{
    // A document tells what changed only while it has a layout, as the
    // board's has: one without is written whole, and nothing is kept.
    const auto &document = *static_cast<const QTextDocument *>(parent());
    if (!document.findChild<QAbstractTextDocumentLayout *>(QString(), Qt::FindDirectChildrenOnly))
        return RtfWriter(document).write();
    return RtfWriter(document).writeKept();
}

} // namespace Rtf
