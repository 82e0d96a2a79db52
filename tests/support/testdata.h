#pragma once

#include <QDir>
#include <QString>

// Files written by other programs, kept outside the project. Tests that read
// them skip with a message where the folder is absent.
inline QString sharedTestData(const QString &relative = QString())
{
    return QDir::cleanPath(QStringLiteral(PAXELO_SHARED_TESTDATA) + QLatin1Char('/') + relative);
}

inline bool haveSharedTestData()
{
    return QDir(sharedTestData()).exists();
}

// Our own hand-written samples in tests/data.
inline QString projectTestData(const QString &relative)
{
    return QStringLiteral(PAXELO_TEST_DATA) + QLatin1Char('/') + relative;
}
