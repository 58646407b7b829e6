#include "folders/folderSide.h"

namespace folders {

const FolderSideKeys& KeysOf(FolderSide side)
{
    static const FolderSideKeys input{QStringLiteral("Dir_In"), QStringLiteral("Dir_In_Yuko"),
                                      QStringLiteral("OldDir_In"), QStringLiteral("Dir_In"),
                                      QStringLiteral("InDir")};
    static const FolderSideKeys output{QStringLiteral("Dir_Out"), QStringLiteral("Dir_Out_Yuko"),
                                       QStringLiteral("OldDir_Out"), QStringLiteral("Dir_Out"),
                                       QStringLiteral("OutDir")};
    return side == FolderSide::Input ? input : output;
}

} // namespace folders
