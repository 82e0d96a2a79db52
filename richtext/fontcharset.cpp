#include "richtext/fontcharset.h"

#include <QStringList>

namespace {

// Latin names of the Chinese faces of Windows, macOS and the common free
// fonts. A name written in Chinese characters needs no list.
const QStringList &latinChineseNames()
{
    static const QStringList names = {
        QStringLiteral("simsun"), QStringLiteral("nsimsun"), QStringLiteral("simsun-extb"),
        QStringLiteral("simhei"), QStringLiteral("simkai"), QStringLiteral("simfang"),
        QStringLiteral("kaiti"), QStringLiteral("kaiti_gb2312"), QStringLiteral("fangsong"),
        QStringLiteral("fangsong_gb2312"), QStringLiteral("microsoft yahei"),
        QStringLiteral("microsoft yahei ui"), QStringLiteral("dengxian"), QStringLiteral("youyuan"),
        QStringLiteral("lisu"), QStringLiteral("stsong"), QStringLiteral("stheiti"),
        QStringLiteral("stkaiti"), QStringLiteral("stfangsong"), QStringLiteral("stxihei"),
        QStringLiteral("stzhongsong"), QStringLiteral("pingfang sc"),
        QStringLiteral("noto sans cjk sc"), QStringLiteral("noto serif cjk sc"),
        QStringLiteral("noto sans sc"), QStringLiteral("noto serif sc"),
        QStringLiteral("source han sans sc"), QStringLiteral("source han serif sc"),
        QStringLiteral("source han sans cn"), QStringLiteral("source han serif cn"),
        QStringLiteral("wenquanyi micro hei"), QStringLiteral("wenquanyi zen hei"),
        QStringLiteral("ar pl ukai cn"), QStringLiteral("ar pl uming cn"),
    };
    return names;
}

bool isIdeograph(char16_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

} // namespace

namespace FontCharset {

bool isChineseFace(const QString &family)
{
    for (QChar c : family)
        if (isIdeograph(c.unicode()))
            return true;
    return latinChineseNames().contains(family.trimmed().toLower());
}

} // namespace FontCharset
