#include "support/shell.h"

#include <cstdio>
#include <cstdlib>

#include <sys/wait.h>

namespace testSupport {

namespace {

int ExitStatus(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int Shell(const std::string& command, std::string* out)
{
    // Only a caller that wants the output reads it through a pipe: a program
    // that leaves a child holding the pipe open (Wine's server) would
    // otherwise keep the test waiting.
    if (out == nullptr)
        return ExitStatus(std::system(command.c_str()));
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[4096];
    std::string text;
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    *out = text;
    return ExitStatus(pclose(pipe));
}

std::string Quote(const std::string& argument)
{
    std::string quoted = "'";
    for (const char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace testSupport
