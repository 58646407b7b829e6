#include "stubLocator.h"

#include <fstream>
#include <iterator>

#include <dlfcn.h>

namespace tbarc {
namespace {

std::string OwnFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr)
        return {};
    const std::string self = info.dli_fname;
    const auto slash = self.rfind('/');
    return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

} // namespace

std::optional<std::vector<char>> ReadStub(const char* fileName)
{
    const std::string folder = OwnFolder();
    if (folder.empty())
        return std::nullopt;
    std::ifstream in(folder + "/sfx/" + fileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.empty())
        return std::nullopt;
    return bytes;
}

} // namespace tbarc
