#include "support/tempFolder.h"

#include <stdexcept>
#include <system_error>

#include <stdlib.h>

namespace testSupport {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tb-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void UseOwnConfigurationFolder()
{
    static const TempFolder config;
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
}

} // namespace testSupport
