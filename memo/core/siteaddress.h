#pragma once

#include <QString>
#include <QUrl>

// Where the help, feedback and panel pages come from. By default the
// program shows its own pages; a site root in Data/WebSite.ini (one line,
// such as "https://memo.example.org") switches all three to that site.
namespace Site {

inline constexpr char16_t kSiteFile[] = u"Data/WebSite.ini";

// A root set here wins over the file: tests point the pages at this machine.
QString &rootOverride();

// The configured root without a trailing '/', or empty when the program shows
// its own pages: no file, an empty first line, or a line that is not a plain
// http or https address of a host.
QString configuredRoot();

inline QUrl page(const QString &root, const char16_t *path)
{
    return QUrl(root + QString::fromUtf16(path));
}

} // namespace Site
