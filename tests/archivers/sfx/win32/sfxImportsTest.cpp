// The Win32 stubs import at load time only what every system they promise
// to run on exports: a function Windows 95 or NT 3.51 lacks makes the loader
// refuse the whole program there, and a wide-character one Windows 95 only
// pretends to have fails every call. The systems' exports are listed in
// tests/data/win32Exports.txt; the stubs' imports are read with objdump.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "support/shell.h"

namespace {

using namespace testSupport;
namespace fs = std::filesystem;

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(toupper(c)); });
    return text;
}

using Tags = std::set<std::string>;
// "KERNEL32.DLL!CreateFileA" -> its tags ("95", "nt351", "9x-wide", ...)
using ExportList = std::map<std::string, Tags>;

ExportList ReadExportList()
{
    std::ifstream file(std::string(TB_SOURCE_DIR) + "/tests/data/win32Exports.txt");
    ExportList list;
    std::string line, library;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            library = Upper(line.substr(1, line.find(']') - 1));
            continue;
        }
        std::istringstream words(line);
        std::string function, tag;
        words >> function;
        Tags& tags = list[library + "!" + function];
        while (words >> tag)
            tags.insert(tag);
    }
    return list;
}

// The stub's imports as "LIBRARY!Function", from objdump's import table.
std::vector<std::string> Imports(const std::string& stub)
{
    std::string table;
    const std::string path = std::string(TB_BINARY_DIR) + "/lib/tollbrook2/sfx/" + stub;
    EXPECT_EQ(Shell("i686-w64-mingw32-objdump -p " + Quote(path), &table), 0);
    std::vector<std::string> imports;
    std::istringstream lines(table);
    std::string line, library;
    bool inTable = false;
    while (std::getline(lines, line)) {
        if (line.find("DLL Name: ") != std::string::npos) {
            library = Upper(line.substr(line.find("DLL Name: ") + 10));
            inTable = true;
            continue;
        }
        std::istringstream words(line);
        std::string hint, ordinal, name;
        if (inTable && line.empty())
            inTable = false;
        else if (inTable && words >> hint >> ordinal >> name
                 && ordinal.find_first_not_of("0123456789") == std::string::npos)
            imports.push_back(library + "!" + name);
    }
    return imports;
}

bool IsWide(const std::string& function)
{
    return function.size() > 2 && function.back() == 'W'
        && islower(static_cast<unsigned char>(function.end()[-2]));
}

class StubImports : public testing::TestWithParam<std::string> {};

TEST_P(StubImports, AreExportedByWindows95AndNT351)
{
    const ExportList list = ReadExportList();
    ASSERT_GT(list.size(), 50u) << "the export list was not read";
    const std::vector<std::string> imports = Imports(GetParam());
    ASSERT_GT(imports.size(), 10u) << "no import table read";
    for (const std::string& import : imports) {
        const auto found = list.find(import);
        const Tags tags = found == list.end() ? Tags{} : found->second;
        EXPECT_TRUE(tags.count("95")) << import << " is not exported by Windows 95";
        EXPECT_TRUE(tags.count("nt351")) << import << " is not exported by Windows NT 3.51";
        if (IsWide(import.substr(import.find('!') + 1))) {
            EXPECT_TRUE(tags.count("9x-wide")) << import << " fails on Windows 95 (a wide-character stub)";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Stubs, StubImports, testing::Values("lzh-win32.exe", "cab-win32.exe"),
                         [](const auto& info) { return info.param.substr(0, 3); });

} // namespace
