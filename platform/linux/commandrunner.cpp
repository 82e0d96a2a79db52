#include "platform/linux/commandrunner.h"

#include "platform/wallpapererror.h"

#include <QProcess>

namespace {

// A desktop tool that hangs must not hang the memo window for ever.
constexpr int timeoutMs = 30000;

QString commandLine(const QString &program, const QStringList &arguments)
{
    return (QStringList{program} + arguments).join(QLatin1Char(' '));
}

} // namespace

CommandResult ProcessCommandRunner::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    CommandResult result;
    if (!process.waitForStarted(timeoutMs)) {
        result.standardError = process.errorString().toUtf8();
        return result;
    }
    result.started = true;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.crashed = true;
        result.standardError = "timed out";
        return result;
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    return result;
}

QByteArray runOrThrow(CommandRunner &runner, const QString &program, const QStringList &arguments)
{
    const CommandResult result = runner.run(program, arguments);
    const QString command = commandLine(program, arguments);
    const QString details = QString::fromUtf8(result.standardError).trimmed();
    if (!result.started)
        throw WallpaperError(QStringLiteral("无法运行 %1：%2").arg(program, details).toStdString());
    if (result.crashed)
        throw WallpaperError(QStringLiteral("命令异常结束：%1 %2").arg(command, details).toStdString());
    if (result.exitCode != 0)
        throw WallpaperError(QStringLiteral("命令失败（退出码 %1）：%2 %3")
                                 .arg(result.exitCode).arg(command, details).toStdString());
    return result.standardOutput;
}
