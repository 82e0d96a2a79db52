#include "platform/linux/autostartentry.h"

#include "files/atomicfile.h"
#include "platform/linux/desktopsession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

const QString kEntryName = QStringLiteral("com.paxelo.memo.desktop");

// An argument of an Exec line: in double quotes, with the characters the
// rules reserve inside quotes escaped; then the escapes of any string value
// on top (each backslash doubled) and '%' doubled, as it would start a field
// code.
QString execArgument(const QString &argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return quoted;
}

} // namespace

AutostartEntry::AutostartEntry(QString autostartFolder)
    : m_folder(std::move(autostartFolder))
{
}

QString AutostartEntry::path() const
{
    return QDir(m_folder).filePath(kEntryName);
}

QByteArray AutostartEntry::contents(const QString &program)
{
    // A line break cannot stand in an Exec line, nor a control character.
    for (const QChar c : program) {
        if (c.category() == QChar::Other_Control)
            throw LoginStartError(QStringLiteral("程序的路径中有控制字符，不能写入自动启动项：%1")
                                      .arg(program)
                                      .toStdString());
    }
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Paxelo备忘录\n"
                                        "Comment=Starts the memo at login\n"
                                        "Comment[zh_CN]=登录时启动备忘录\n"
                                        "Exec=%1\n"
                                        "Icon=paxelo-memo\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(execArgument(QDir::cleanPath(QFileInfo(program).absoluteFilePath())));
    return text.toUtf8();
}

void AutostartEntry::enable(const QString &program)
{
    const QByteArray text = contents(program);
    if (!QDir().mkpath(m_folder))
        throw LoginStartError(QStringLiteral("无法创建自动启动文件夹 %1").arg(m_folder).toStdString());
    AtomicFile::write(path(), text);
}

void AutostartEntry::disable()
{
    QFile entry(path());
    if (entry.exists() && !entry.remove())
        throw LoginStartError(
            QStringLiteral("无法删除自动启动项 %1：%2").arg(path(), entry.errorString()).toStdString());
}

QString AutostartEntry::autostartFolder(const QProcessEnvironment &environment)
{
    return configHome(environment) + QStringLiteral("/autostart");
}

std::unique_ptr<LoginStart> createLoginStart()
{
    return std::make_unique<AutostartEntry>(AutostartEntry::autostartFolder(QProcessEnvironment::systemEnvironment()));
}
