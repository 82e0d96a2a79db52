#include "richtext/rtfcontrolwords.h"

#include <string_view>
#include <unordered_map>

namespace {

using Action = RtfControlWord::Action;

const std::unordered_map<std::string_view, RtfControlWord> &controlWords()
{
    static const std::unordered_map<std::string_view, RtfControlWord> words = [] {
        std::unordered_map<std::string_view, RtfControlWord> map = {
            {"par", {Action::Paragraph}}, {"sect", {Action::Paragraph}}, {"page", {Action::Paragraph}},
            {"row", {Action::Paragraph}}, {"nestrow", {Action::Paragraph}},
            {"line", {Action::Character, 0x2028}}, {"tab", {Action::Character, u'\t'}},
            {"cell", {Action::Character, u'\t'}}, {"nestcell", {Action::Character, u'\t'}},
            {"emdash", {Action::Character, 0x2014}}, {"endash", {Action::Character, 0x2013}},
            {"lquote", {Action::Character, 0x2018}}, {"rquote", {Action::Character, 0x2019}},
            {"ldblquote", {Action::Character, 0x201C}}, {"rdblquote", {Action::Character, 0x201D}},
            {"bullet", {Action::Character, 0x2022}}, {"emspace", {Action::Character, 0x2003}},
            {"enspace", {Action::Character, 0x2002}}, {"qmspace", {Action::Character, 0x2005}},
            {"zwj", {Action::Character, 0x200D}}, {"zwnj", {Action::Character, 0x200C}},
            {"ltrmark", {Action::Character, 0x200E}}, {"rtlmark", {Action::Character, 0x200F}},
            {"plain", {Action::Plain}}, {"b", {Action::Bold}}, {"i", {Action::Italic}},
            {"ulnone", {Action::UnderlineNone}}, {"strike", {Action::Strike}},
            {"striked", {Action::Strike}}, {"cf", {Action::Color}}, {"fs", {Action::FontSize}},
            {"f", {Action::Font}}, {"uc", {Action::UnicodeSkip}}, {"u", {Action::Unicode}},
            {"ansicpg", {Action::AnsiCodePage}}, {"ansi", {Action::Ansi}}, {"mac", {Action::Mac}},
            {"pc", {Action::Pc}}, {"pca", {Action::Pca}}, {"deff", {Action::DefaultFont}},
            {"fonttbl", {Action::FontTable}}, {"colortbl", {Action::ColorTable}},
            {"bin", {Action::Binary}}, {"fcharset", {Action::FontCharset}}, {"cpg", {Action::FontCodePage}},
            {"red", {Action::Red}}, {"green", {Action::Green}}, {"blue", {Action::Blue}},
        };
        // Every kind of underline shows as underline.
        for (std::string_view word : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                      "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                      "ulthldash", "ululdbwave", "ulw", "ulwave"})
            map.emplace(word, RtfControlWord{Action::Underline});
        // Destinations whose text is not part of the visible body.
        for (std::string_view word :
             {"stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
              "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst", "themedata",
              "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "listtable",
              "listoverridetable", "revtbl", "rsidtbl", "generator", "filetbl", "pgdsctbl", "falt",
              "panose", "nonshppict", "shpinst", "xe", "tc", "txe", "rxe", "template", "userprops",
              "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "author", "operator",
              "title", "subject", "keywords", "comment", "doccomm", "company", "category", "bkmkstart",
              "bkmkend", "protusertbl", "passwordhash", "mmathPr", "defchp", "defpap"})
            map.emplace(word, RtfControlWord{Action::Skip});
        return map;
    }();
    return words;
}

} // namespace

std::optional<RtfControlWord> RtfControlWord::of(QByteArrayView word)
{
    const auto found = controlWords().find(std::string_view(word.data(), std::size_t(word.size())));
    if (found == controlWords().end())
        return std::nullopt;
    return found->second;
}
