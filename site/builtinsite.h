#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

// The help and feedback pages the program carries, with their stylesheet,
// laid out as on the site ("/help4/B90a.htm").
namespace BuiltInSite {

// The paths of the carried files, sorted.
QStringList files();

// The bytes of one carried file; empty for a path the program does not carry.
QByteArray file(const QString &path);

// The short tips of the help page's tip list, in their order.
QStringList tips();

// The address of a carried file among the program's resources, where a
// viewer resolves the links between the pages as on the site.
QUrl url(const QString &path);

} // namespace BuiltInSite
