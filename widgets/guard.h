#pragma once

#include "widgets/dialogs.h"

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// Runs an event handler so that no failure crosses Qt's event loop: a
// failure that escapes it is shown in the error box with its text and the
// application title, the handler ends and the program goes on.
template <typename Handler>
void guarded(QWidget *parent, Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &failure) {
        Dialogs::instance().error(parent, QString::fromUtf8(failure.what()));
    } catch (...) {
        Dialogs::instance().error(parent, QStringLiteral("发生了未知错误。"));
    }
}
