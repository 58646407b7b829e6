// What the LZH benchmarks share: running shell commands, the processor time
// of child processes, and packing test archives with LzhMake.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lzhBench {

inline int sh(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Processor time (user + system) of the child processes waited for so far.
inline double cpuSecondsOfChildren()
{
    rusage use{};
    getrusage(RUSAGE_CHILDREN, &use);
    return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec)
        + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// Packs files (names in folder, separated by blanks) into archive with
// LzhMake's method ("lh5") and header level; LzhMake is compiled into work
// once.
inline void lzhMake(const std::filesystem::path& work, const std::filesystem::path& folder,
                    const std::filesystem::path& archive, const std::string& method, int level,
                    const std::string& files)
{
    const std::string jar = "$(dpkg -L libjlha-java | grep 'jar$' | head -n1)";
    if (!std::filesystem::exists(work / "LzhMake.class"))
        sh("cd " + work.string() + " && cp " TB_LZHMAKE " . && javac -cp " + jar
           + " LzhMake.java >/dev/null 2>&1");
    sh("cd " + folder.string() + " && java -cp " + jar + ":" + work.string() + " LzhMake " + archive.string()
       + " -" + method + "- " + std::to_string(level) + " " + files + " >/dev/null 2>&1");
}

} // namespace lzhBench
