#pragma once

#include <stdexcept>

// A picture that cannot be read, decoded, encoded or written. The message is
// fit for the user; it names what went wrong and, where known, the codec's
// own reason.
class ImagingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
