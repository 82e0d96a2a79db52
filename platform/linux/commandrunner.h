#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What an external command left behind.
struct CommandResult {
    bool started = false; // false when the program could not be found or run
    bool crashed = false;
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

// Runs external programs. The desktops that are set through their own tools
// go through this, so that tests can record the calls instead.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    virtual CommandResult run(const QString &program, const QStringList &arguments) = 0;
};

// Runs the program as a child process and waits for it to end.
class ProcessCommandRunner : public CommandRunner {
public:
    CommandResult run(const QString &program, const QStringList &arguments) override;
};

// Runs the command and returns its standard output; a command that could
// not start, crashed or ended with a non-zero code throws WallpaperError
// with its standard error in the message.
QByteArray runOrThrow(CommandRunner &runner, const QString &program, const QStringList &arguments);
