#include "run/runCreatedFiles.h"

#include "common/caseTwins.h"

namespace run {

std::string FoldedPathKey(const QString& path)
{
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    return path.left(nameStart).toStdString() + tbarc::FoldedName(path.mid(nameStart).toStdString());
}

bool RunCreatedFiles::Contains(const QString& path) const
{
    return folded_.contains(FoldedPathKey(path));
}

void RunCreatedFiles::Add(const QString& path)
{
    folded_.insert(FoldedPathKey(path));
}

} // namespace run
