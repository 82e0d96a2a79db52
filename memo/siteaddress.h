#pragma once

#include <QString>
#include <QUrl>

// The program's web site: its help and feedback pages and the page the web
// panel shows all lie under this one root address.
namespace Site {

inline constexpr char16_t kRoot[] = u"https://www.paxelo.com";

// The root in use: kRoot, unless tests point the pages at this machine.
inline QString &root()
{
    static QString address = QString::fromUtf16(kRoot);
    return address;
}

inline constexpr char16_t kHelpPage[] = u"/help4/B90a.htm";
inline constexpr char16_t kFeedbackPage[] = u"/help4/B90b.htm";
inline constexpr char16_t kWebPanelPage[] = u"/rs/B97D.htm";

inline QUrl page(const char16_t *path)
{
    return QUrl(root() + QString::fromUtf16(path));
}

} // namespace Site
