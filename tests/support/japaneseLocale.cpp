#include "support/japaneseLocale.h"

#include "support/shell.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace testSupport {

std::string JapaneseLocaleEnv()
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(TB_BINARY_DIR) / "locale";
    if (!fs::exists(dir / "ja_JP.UTF-8")) {
        // Made aside and renamed: test programs running in parallel may race.
        fs::create_directories(dir);
        const fs::path made = dir / ("ja_JP.UTF-8." + std::to_string(getpid()));
        if (Shell("localedef -i ja_JP -f UTF-8 " + Quote(made.string()) + " >/dev/null 2>&1") > 1)
            return "";
        std::error_code ec;
        fs::rename(made, dir / "ja_JP.UTF-8", ec);
        fs::remove_all(made, ec);
        if (!fs::exists(dir / "ja_JP.UTF-8"))
            return "";
    }
    return "LOCPATH=" + Quote(dir.string()) + " LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8";
}

} // namespace testSupport
