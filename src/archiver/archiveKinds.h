#pragma once

#include "util/programMessages.h"

#include <array>
#include <cstddef>
#include <span>

// The archive kinds the program converts, in one table: which files are of
// a kind, which options switch it on, which library converts it and what the
// history and the About box say of it. The engine, the input list's filter
// and the About box read it; a new kind is a row here, its history lines in
// the catalogue and its library in archivers/.
namespace archiver {

// One file name ending that files of a kind come with.
struct KindExtension {
    const char* suffix;   // upper case, with its dot: ".LZH"
    const char* option;   // the option (its settings key) that must be on too; nullptr: none
    bool checked = false; // the library's check decides whether the file is of this kind
};

struct ArchiveKind {
    const char* name;         // "LZH"
    const char* option;       // the option (its settings key) that converts the kind at all
    const char* libraryFile;  // the library in the system folder
    const char* symbolPrefix; // the library's functions are <prefix>GetVersion, <prefix>CheckArchive, …
    const char* aboutName;    // how the About box names the library
    // Its extensions, the kind's own first. The input list's pattern takes
    // every kind's first one, then every kind's second one, and so on.
    std::span<const KindExtension> extensions;
    // The option (its settings key) that holds the library's options for
    // each self-extractor kind, in the order DOS, Win16, Win32.
    std::array<const char*, 3> libraryOptions;
    // The library takes -gu1 (keep names another system cannot hold) or
    // -gu0 (leave them out) from the option Nozoku.
    bool takesForeignNamesSwitch;
    messages::ProgramMessage making;   // the history line before the library converts
    messages::ProgramMessage checking; // before the library's check of a file
    messages::ProgramMessage busy;     // the message box when another caller uses the library
};

inline constexpr KindExtension kLzhExtensions[] = {
    {".LZH", nullptr},
    {".EXE", "Lzh_Exe", true},
    {".X", "Lzh_X", true},
    {".LHA", "Lzh_Lha"},
};
inline constexpr KindExtension kCabExtensions[] = {
    {".CAB", nullptr},
    {".EXE", "Cab_Exe", true},
};

inline constexpr auto kArchiveKinds = std::to_array<ArchiveKind>({
    {"LZH",
     "Lzh",
     "libunlha32.so",
     "Unlha",
     "UNLHA32.DLL",
     kLzhExtensions,
     {"Lzh_OptDos", "Lzh_OptWin16", "Lzh_OptWin32"},
     true,
     messages::ProgramMessage::LzhMaking,
     messages::ProgramMessage::LzhChecking,
     messages::ProgramMessage::UnlhaBusy},
    {"CAB",
     "Cab",
     "libcab32.so",
     "Cab",
     "CAB32.DLL",
     kCabExtensions,
     {"Cab_Opt", "Cab_Opt", "Cab_Opt"},
     false,
     messages::ProgramMessage::CabMaking,
     messages::ProgramMessage::CabChecking,
     messages::ProgramMessage::CabBusy},
});

// A row of kArchiveKinds by its place.
using KindIndex = std::size_t;
inline constexpr KindIndex kLzh = 0;
inline constexpr KindIndex kCab = 1;

} // namespace archiver
