#pragma once

#include <stdexcept>

// A start at login that could not be set up or taken away. The message says
// why, in words fit for the user.
class LoginStartError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
