#pragma once

#include <QString>

namespace folders {

// The two folder windows: the input folder (whose archives the input list
// shows) and the output folder (where the self-extractors are written).
enum class FolderSide { Input, Output };

// The settings keys of one side. Each window stores its geometry under
// geometryPrefix ("InDir_Left", ...), which also decides where an older
// release kept its settings.
struct FolderSideKeys {
    QString initialFolder;  // "Dir_In": the fixed start folder
    QString initialInForce; // "Dir_In_Yuko": start in the fixed folder
    QString lastFolder;     // "OldDir_In": the folder open at the last exit
    QString aliasPrefix;    // "Dir_In": aliases are <prefix>_DirName<n>, <prefix>_DirDir<n>
    QString geometryPrefix; // "InDir"
};

const FolderSideKeys& KeysOf(FolderSide side);

} // namespace folders
