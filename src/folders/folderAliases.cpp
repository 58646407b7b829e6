#include "folders/folderAliases.h"

namespace folders {

namespace {

bool IsComplete(const FolderAlias& alias)
{
    return !alias.name.isEmpty() && !alias.folder.isEmpty();
}

} // namespace

FolderAliases::FolderAliases(const QList<FolderAlias>& aliases)
{
    for (const FolderAlias& alias : aliases) {
        if (!Add(alias))
            break;
    }
}

bool FolderAliases::HasName(const QString& name) const
{
    for (const FolderAlias& alias : aliases_) {
        if (alias.name == name)
            return true;
    }
    return false;
}

bool FolderAliases::Add(const FolderAlias& alias)
{
    if (IsFull() || !IsComplete(alias))
        return false;
    aliases_.append(alias);
    return true;
}

QString AliasNameKey(const QString& prefix, int slot)
{
    return prefix + QStringLiteral("_DirName") + QString::number(slot);
}

QString AliasFolderKey(const QString& prefix, int slot)
{
    return prefix + QStringLiteral("_DirDir") + QString::number(slot);
}

FolderAliases ReadAliases(const settings::Location& from, const QString& prefix)
{
    FolderAliases aliases;
    for (int slot = 0; slot < FolderAliases::MaxCount; ++slot) {
        const FolderAlias alias{settings::ReadText(from, AliasNameKey(prefix, slot), QString()),
                                settings::ReadText(from, AliasFolderKey(prefix, slot), QString())};
        if (!aliases.Add(alias))
            break;
    }
    return aliases;
}

void StoreAliases(const FolderAliases& aliases, const QString& prefix)
{
    for (int slot = 0; slot < FolderAliases::MaxCount; ++slot) {
        const bool used = slot < aliases.Count();
        settings::WriteText(AliasNameKey(prefix, slot), used ? aliases.At(slot).name : QString());
        settings::WriteText(AliasFolderKey(prefix, slot), used ? aliases.At(slot).folder : QString());
    }
}

} // namespace folders
