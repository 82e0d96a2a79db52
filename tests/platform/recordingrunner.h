#pragma once

#include "platform/linux/commandrunner.h"

#include <QList>

#include <functional>

// Stands in for the external commands: records every call as the program
// followed by its arguments and answers through a function of the call
// (success with no output unless told otherwise).
class RecordingRunner : public CommandRunner {
public:
    using Answer = std::function<CommandResult(const QStringList &call)>;

    explicit RecordingRunner(Answer answer = {})
        : m_answer(std::move(answer))
    {
    }

    CommandResult run(const QString &program, const QStringList &arguments) override
    {
        const QStringList call = QStringList{program} + arguments;
        calls << call;
        if (m_answer)
            return m_answer(call);
        return succeeded();
    }

    static CommandResult succeeded(const QByteArray &output = {})
    {
        return {true, false, 0, output, {}};
    }

    QList<QStringList> calls;

private:
    Answer m_answer;
};
