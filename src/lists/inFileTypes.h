#pragma once

#include "archiver/archiver.h"

#include <QString>

// The archive types the input list shows and the work list accepts, from
// the type options and the libraries found at start-up.
struct InFileTypes {
    bool lzhUsable = false;   // option Lzh on and the LZH library present
    bool cabUsable = false;   // option Cab on and the CAB library present
    bool lzhExe = false;      // Lzh_Exe
    bool cabExe = false;      // Cab_Exe
    bool lzhX = false;        // Lzh_X
    bool lzhLha = false;      // Lzh_Lha

    // From the process-wide options and the given libraries.
    static InFileTypes Current(const archiver::Libraries& libraries = archiver::libraries());

    // The file pattern of the input list ("*.LZH;*.CAB;..."); a name that
    // matches nothing when no type is enabled.
    QString Pattern_Make() const;

    // Whether one path is an archive type the options allow.
    bool Exp_Check(const QString& path) const;
};

// The pattern that lists nothing.
inline constexpr char NoFilesPattern[] = "abcdzyxw.___";
