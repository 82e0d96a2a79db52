#pragma once

#include "platform/loginstarterror.h"

#include <QString>

#include <memory>

// Has the user's session start the program when the user logs in.
class LoginStart {
public:
    virtual ~LoginStart() = default;

    // From the next login on, the session starts `program` (an absolute
    // path). Throws LoginStartError or FileError when that could not be set.
    virtual void enable(const QString &program) = 0;
    // The session no longer starts the program; nothing to take away is no
    // failure. Throws like enable().
    virtual void disable() = 0;
};

// The start at login of the current user on this platform.
std::unique_ptr<LoginStart> createLoginStart();
