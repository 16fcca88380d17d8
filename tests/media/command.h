#pragma once
// Runs an outside reader (ffmpeg, sox) and captures what it writes.
#include <string>

namespace kvoro::test {

struct CommandResult {
    int status = -1;     // exit status, -1 when the command could not run
    std::string output;  // everything written to standard output, binary safe
};

CommandResult runCommand(const std::string& command);

// The argument in single quotes for the shell.
std::string quoted(const std::string& argument);

}  // namespace kvoro::test
