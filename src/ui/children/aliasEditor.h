#pragma once

#include "folders/folderAliases.h"

#include <QString>

#include <functional>
#include <optional>

// Edits the aliases of a folder window in the maintenance dialog:
// windowCaption is the folder window's caption (the dialog's title starts
// with it). The edited list when the user confirms with OK, nothing when
// the dialog is cancelled.
using AliasEditor = std::function<std::optional<folders::FolderAliases>(
    const QString& windowCaption, const folders::FolderAliases& aliases)>;
