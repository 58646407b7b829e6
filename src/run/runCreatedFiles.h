#pragma once

#include <QString>

#include <set>
#include <string>

namespace run {

// A path as the run compares created files: the folder as it is (one run
// writes into one folder), the file name folded.
std::string FoldedPathKey(const QString& path);

// The self-extractors one run has made so far. Names are compared as a file
// system that ignores letter case compares them, as the libraries' overwrite
// rule does: "a.EXE" and "A.EXE" are one file there, so a later archive of the
// run whose self-extractor takes either name would replace the earlier one.
class RunCreatedFiles {
public:
    bool Contains(const QString& path) const;
    void Add(const QString& path);

private:
    std::set<std::string> folded_;
};

} // namespace run
