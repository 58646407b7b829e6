#include "core/runCreatedFiles.h"

#include "common/caseTwins.h"

namespace core {
namespace {

// The folder as it is (one run writes into one folder), the file name folded.
std::string Key(const QString& path)
{
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    return path.left(nameStart).toStdString() + tbarc::FoldedName(path.mid(nameStart).toStdString());
}

} // namespace

bool RunCreatedFiles::Contains(const QString& path) const
{
    return folded_.contains(Key(path));
}

void RunCreatedFiles::Add(const QString& path)
{
    folded_.insert(Key(path));
}

} // namespace core
