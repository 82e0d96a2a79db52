#pragma once

#include <stdexcept>

// A file the program could not read or write. The message is fit for the
// user and names the file.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
