#include "tools/storebuilder.h"

#include "richtext/richtext.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextDocument>

namespace {

// An empty board as the memo stores it: an RTF document without text, in
// the board's design font, 宋体 at 15 pixels.
QByteArray emptyPage()
{
    QTextDocument board;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    board.setDefaultFont(font);
    return RichText::save(board);
}

QStringList statementsOf(const QString &schema)
{
    QStringList statements;
    for (const QString &chunk : schema.split(QLatin1Char(';'))) {
        QString sql;
        for (const QString &line : chunk.split(QLatin1Char('\n')))
            if (!line.trimmed().startsWith(QLatin1String("--")))
                sql += line + QLatin1Char('\n');
        if (!sql.trimmed().isEmpty())
            statements.append(sql);
    }
    return statements;
}

QString fillStore(const QString &connection, const QString &path, const QStringList &statements)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    if (!db.open())
        return db.lastError().text();
    QSqlQuery query(db);
    db.transaction();
    for (const QString &sql : statements)
        if (!query.exec(sql))
            return query.lastError().text();
    for (const char *table : {"tb_A", "tb_B", "tb_C", "tb_D", "tb_E"}) {
        query.prepare(QStringLiteral("INSERT INTO %1 (ID, SundayCon) VALUES (1, ?)").arg(QLatin1String(table)));
        query.addBindValue(emptyPage());
        if (!query.exec())
            return query.lastError().text();
    }
    if (!db.commit())
        return db.lastError().text();
    return QString();
}

} // namespace

QString buildStore(const QString &schemaPath, const QString &storePath)
{
    if (QFileInfo::exists(storePath))
        return QString();
    QFile schemaFile(schemaPath);
    if (!schemaFile.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(schemaPath);
    const QStringList statements = statementsOf(QString::fromUtf8(schemaFile.readAll()));

    // Built under another name and renamed, so a half-made store never
    // stands where the program looks for it.
    const QString temporary = storePath + QStringLiteral(".new");
    QFile::remove(temporary);
    const QString connection = QStringLiteral("storebuilder-%1").arg(quintptr(&statements));
    const QString error = fillStore(connection, temporary, statements);
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty() || !QFile::rename(temporary, storePath)) {
        QFile::remove(temporary);
        return error.isEmpty() ? QStringLiteral("cannot create %1").arg(storePath) : error;
    }
    return QString();
}
