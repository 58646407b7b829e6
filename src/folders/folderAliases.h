#pragma once

#include "core/settings.h"

#include <QList>
#include <QString>

namespace folders {

// A named shortcut to a folder, shown as an item of a folder window's popup
// menu.
struct FolderAlias {
    QString name;
    QString folder; // full path

    friend bool operator==(const FolderAlias&, const FolderAlias&) = default;
};

// The aliases of one folder window: at most MaxCount, in slot order, every
// slot with a name and a folder. Slot n is At(n); LastSlot() is -1 when
// there is none.
class FolderAliases {
public:
    static constexpr int MaxCount = 10;

    FolderAliases() = default;
    // Keeps the aliases up to the first one without a name or a folder, and
    // at most MaxCount.
    explicit FolderAliases(const QList<FolderAlias>& aliases);

    int Count() const { return static_cast<int>(aliases_.size()); }
    int LastSlot() const { return Count() - 1; }
    bool IsEmpty() const { return aliases_.isEmpty(); }
    bool IsFull() const { return Count() >= MaxCount; }
    const FolderAlias& At(int slot) const { return aliases_.at(slot); }
    const QList<FolderAlias>& All() const { return aliases_; }

    // Whether an alias has exactly this name (letter case counts).
    bool HasName(const QString& name) const;
    // Appends an alias in the next slot; false, and nothing changed, when
    // the list is full or the alias lacks a name or a folder.
    bool Add(const FolderAlias& alias);

    friend bool operator==(const FolderAliases&, const FolderAliases&) = default;

private:
    QList<FolderAlias> aliases_;
};

// The settings keys of slot n (0 to 9): "<prefix>_DirName<n>" and
// "<prefix>_DirDir<n>", prefix "Dir_In" or "Dir_Out".
QString AliasNameKey(const QString& prefix, int slot);
QString AliasFolderKey(const QString& prefix, int slot);

// Reads slots 0, 1, ... until the first slot whose name or folder is empty;
// later slots are not read.
FolderAliases ReadAliases(const settings::Location& from, const QString& prefix);

// Writes every used slot, then empty texts into both keys of every slot
// above the last used one, so a shortened list leaves nothing behind.
void StoreAliases(const FolderAliases& aliases, const QString& prefix);

} // namespace folders
