#include "userFolder.h"

#include <cstdlib>

namespace tbarc {

std::string UserFolder(const char* variable, const char* homeDefault)
{
    const char* base = std::getenv(variable);
    if (base != nullptr && base[0] == '/')
        return std::string(base) + "/tollbrook2-archivers";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/" + homeDefault + "/tollbrook2-archivers";
    return {};
}

} // namespace tbarc
