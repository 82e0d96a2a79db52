#include "widgets/chinesefonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>

namespace ChineseFonts {
namespace {

struct Mapping {
    const char *designName;
    QStringList candidates;
};

// Serif design faces map to a serif CJK face, the others to a sans face.
const QStringList &serifChinese()
{
    static const QStringList faces{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                                   QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC"),
                                   QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei")};
    return faces;
}

const QStringList &sansChinese()
{
    static const QStringList faces{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                                   QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
                                   QStringLiteral("Droid Sans Fallback")};
    return faces;
}

QStringList installed(const QStringList &candidates)
{
    const QStringList families = QFontDatabase::families();
    QStringList present;
    for (const QString &face : candidates)
        if (families.contains(face, Qt::CaseInsensitive))
            present.append(face);
    return present;
}

// For each design name, the installed faces in order of preference.
const QHash<QString, QStringList> &mapping()
{
    static const QHash<QString, QStringList> map = [] {
        QHash<QString, QStringList> m;
        const QStringList latinSans = installed({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        m.insert(QStringLiteral("宋体"), installed(serifChinese()));
        m.insert(QStringLiteral("SimSun"), installed(serifChinese()));
        m.insert(QStringLiteral("微软雅黑"), installed(sansChinese()));
        m.insert(QStringLiteral("Microsoft YaHei"), installed(sansChinese()));
        m.insert(QStringLiteral("幼圆"), installed(sansChinese()));
        m.insert(QStringLiteral("MS Sans Serif"), latinSans + installed(sansChinese()));
        m.insert(QStringLiteral("Arial"), latinSans + installed(sansChinese()));
        return m;
    }();
    return map;
}

} // namespace

void install()
{
    for (auto it = mapping().cbegin(); it != mapping().cend(); ++it)
        QFont::insertSubstitutions(it.key(), it.value());
    QApplication::setFont(font(QStringLiteral("宋体"), 12));
}

QString installedFace(const QString &designName)
{
    return mapping().value(designName).value(0, designName);
}

QFont font(const QString &designName, int pixelHeight, bool bold)
{
    // The design name stays the family, so it is what the board's RTF
    // records; the substitutions choose the face that draws it.
    QFont result(designName);
    result.setPixelSize(pixelHeight);
    result.setBold(bold);
    return result;
}

} // namespace ChineseFonts
