#include "richtext/gbkpairs.h"

#include "richtext/codepages.h"

#include <array>
#include <memory>

namespace {

using PairTable = std::array<quint16, 0x10000>;

// Built once by decoding every possible pair: about 24 000 lookups, far
// cheaper than asking the encoder for each character while writing.
std::unique_ptr<PairTable> buildTable()
{
    auto table = std::make_unique<PairTable>();
    table->fill(0);
    CodePageDecoders decoders;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char bytes[2] = {char(lead), char(trail)};
            const QString decoded = decoders.decode(CodePages::kChinese, QByteArrayView(bytes, 2));
            if (decoded.size() != 1)
                continue;
            const char16_t c = decoded.at(0).unicode();
            if (c < 0x80 || c == QChar::ReplacementCharacter || QChar::isSurrogate(c) || (*table)[c] != 0)
                continue;
            (*table)[c] = quint16(lead << 8 | trail);
        }
    }
    return table;
}

} // namespace

namespace GbkPairs {

quint16 of(QChar c)
{
    static const std::unique_ptr<PairTable> table = buildTable();
    return (*table)[c.unicode()];
}

} // namespace GbkPairs
