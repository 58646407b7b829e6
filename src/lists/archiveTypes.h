#pragma once

#include "archiver/archiver.h"

#include <QString>

// The archive types the input list shows and the work list accepts, from
// the type options and the libraries found at start-up.
struct ArchiveTypes {
    bool lzhUsable = false; // LZH archives converted and the LZH library present
    bool cabUsable = false; // CAB archives converted and the CAB library present
    bool lzhExe = false;    // .EXE files that are LZH archives converted
    bool cabExe = false;    // .EXE files that are CAB archives converted
    bool lzhX = false;      // .X files converted
    bool lzhLha = false;    // .LHA files converted

    // From options::Current() and the given libraries.
    static ArchiveTypes Current(const archiver::Libraries& libraries = archiver::InstalledLibraries());

    // The file pattern of the input list ("*.LZH;*.CAB;..."); a name that
    // matches nothing when no type is enabled.
    QString MakePattern() const;

    // Whether one path is an archive type the options allow.
    bool AcceptsType(const QString& path) const;
};

// The pattern that lists nothing.
inline constexpr char NoFilesPattern[] = "abcdzyxw.___";
