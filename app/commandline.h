#pragma once

#include <optional>

// The command line, read before anything needs a display: --help and
// --version print and end the program, in Chinese under a Chinese locale
// and in English otherwise; any other option of ours is refused. Qt's own
// start-up options (-platform, -session a session manager restarts the
// program with, …) are left to Qt.
namespace CommandLine {

// The exit status when the command line ends the program (0 after --help or
// --version, 2 with the usage on the error output for an unknown option),
// nullopt when the program is to start.
std::optional<int> handle(int argc, const char *const *argv);

} // namespace CommandLine
