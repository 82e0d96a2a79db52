#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The help and feedback pages the program carries, with their stylesheet,
// laid out as on the site ("/help4/B90a.htm").
namespace BuiltInSite {

// The paths of the carried files, sorted.
QStringList files();

// The bytes of one carried file; empty for a path the program does not carry.
QByteArray file(const QString &path);

// The short tips of the help page's tip list, in their order.
QStringList tips();

// Writes every carried file below `folder` in the site's layout, replacing
// what is there. Throws std::runtime_error with a message fit for the user.
void writeTo(const QString &folder);

} // namespace BuiltInSite
