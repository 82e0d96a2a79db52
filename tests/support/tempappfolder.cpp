#include "support/tempappfolder.h"

#include "files/appfolder.h"
#include "tools/storebuilder.h"

#include <QDir>
#include <QFile>

TempAppFolder::TempAppFolder(bool withStore)
{
    if (!m_dir.isValid())
        return;
    QDir root(m_dir.path());
    m_valid = root.mkpath(QStringLiteral("Data")) && root.mkpath(QStringLiteral("source/DeskTopBG"));
    if (m_valid && withStore)
        m_valid = buildStore(QStringLiteral(PAXELO_SCHEMA_FILE), storePath()).isEmpty();
    AppFolder::setRoot(m_dir.path());
}

TempAppFolder::~TempAppFolder()
{
    AppFolder::setRoot(QString());
}

QString TempAppFolder::root() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempAppFolder::path(const QString &relative) const
{
    return root() + relative;
}

void TempAppFolder::writeFile(const QString &relative, const QByteArray &bytes) const
{
    QFile file(path(relative));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TempAppFolder::readFile(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TempAppFolder::entries(const QString &relative) const
{
    return QDir(path(relative)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}
