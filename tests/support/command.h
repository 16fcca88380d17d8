#pragma once
// Runs an outside reader (ffmpeg, sox, icotool, chmlib) and captures what it writes.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace kvoro::test {

struct CommandResult {
    int status = -1;     // exit status, -1 when the command could not run
    std::string output;  // everything written to standard output, binary safe
};

inline CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[65536];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The argument in single quotes for the shell.
inline std::string quoted(const std::string& argument) {
    std::string out = "'";
    for (char c : argument) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace kvoro::test
