#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Sample files in tests/data: files other programs wrote (bmp/, jpeg-gif/ and
// rtf/, their sources and licences in SOURCES.md) and a few of our own. They
// belong to the repository, so a test that cannot find one fails; none skips.
inline QString testData(const QString &relative)
{
    return QDir::cleanPath(QStringLiteral(PAXELO_TEST_DATA) + QLatin1Char('/') + relative);
}

// The names of the files in one folder of the samples that match a pattern.
inline QStringList testDataNames(const QString &folder, const QString &pattern)
{
    return QDir(testData(folder)).entryList({pattern}, QDir::Files, QDir::Name);
}
