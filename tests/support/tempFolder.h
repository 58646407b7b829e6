#pragma once

#include <filesystem>
#include <string>

namespace testSupport {

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // A path inside the folder.
    std::string operator/(const std::filesystem::path& name) const
    {
        return (std::filesystem::path(path_) / name).string();
    }

private:
    std::string path_;
};

// Points XDG_CONFIG_HOME at a temporary folder of this process, once, for
// the archiver libraries called in it: their scratch-file token goes there,
// not into the user's home, and every call of the process finds the same.
void UseOwnConfigurationFolder();

} // namespace testSupport
