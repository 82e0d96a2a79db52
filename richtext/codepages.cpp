#include "richtext/codepages.h"

namespace {

bool ascii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

const char *icuName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    // Windows' own Shift-JIS, with the NEC and IBM extensions.
    case 932: return "windows-932";
    // ICU's GBK is Windows' code page 936, 0x80 for the euro sign included.
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 54936: return "GB18030";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

} // namespace

namespace CodePages {

bool supported(int codePage)
{
    return icuName(codePage) != nullptr;
}

bool doubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

int forCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 77: return 10000;
    case 78:
    case 128: return 932;
    case 79:
    case 129: return 949;
    case 80:
    case 134: return 936;
    case 81:
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return documentCodePage;
    }
}

} // namespace CodePages

QString CodePageDecoders::decode(int codePage, QByteArrayView bytes)
{
    // Every code page here keeps ASCII as it is.
    if (ascii(bytes))
        return QString::fromLatin1(bytes);
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end()) {
        const char *name = icuName(codePage);
        QStringDecoder decoder(name ? name : "windows-1252", QStringConverter::Flag::Stateless);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
        found = m_decoders.emplace(codePage, std::move(decoder)).first;
    }
    return found->second.decode(bytes);
}

QString CodePageDecoders::decode(int codePage, int fallback, QByteArrayView bytes)
{
    if (ascii(bytes) || codePage == fallback)
        return decode(codePage, bytes);
    // A fresh converter: ICU's error flag never clears.
    const char *name = icuName(codePage);
    QStringDecoder strict(name ? name : "windows-1252", QStringConverter::Flag::Stateless);
    const QString text = strict.decode(bytes);
    return strict.isValid() && !strict.hasError() ? text : decode(fallback, bytes);
}
