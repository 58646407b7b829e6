#pragma once

#include <string>

namespace testSupport {

// Runs a command with /bin/sh; its exit status, -1 when it did not exit.
// With `out` its standard output is collected there; without, it goes where
// the test's own output goes.
int Shell(const std::string& command, std::string* out = nullptr);

// One argument for the shell, in single quotes.
std::string Quote(const std::string& argument);

} // namespace testSupport
