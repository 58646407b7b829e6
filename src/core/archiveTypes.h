#pragma once

#include "archiver/archiver.h"
#include "core/options.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>

// Which files are converted, and as which archive kind: the archive kinds'
// table read with the type options and the libraries found at start-up.
class ArchiveTypes {
public:
    static ArchiveTypes From(const options::Options& options, const archiver::Libraries& libraries);
    // From options::Current() and the given libraries.
    static ArchiveTypes Current(const archiver::Libraries& libraries = archiver::InstalledLibraries());

    // The file pattern of the input list ("*.LZH;*.CAB;..."); a name that
    // matches nothing when no type is enabled.
    QString MakePattern() const;

    // Whether one path is an archive type the options allow.
    bool AcceptsType(const QString& path) const;

    // A kind the file at a path may be of, in the order they are tried;
    // checked: the kind's library decides by its check of the file.
    struct Candidate {
        archiver::KindIndex kind;
        bool checked;
    };
    QList<Candidate> CandidatesFor(const QString& path) const;

private:
    static constexpr std::size_t kMostExtensions =
        std::ranges::max(archiver::kArchiveKinds, {}, [](const archiver::ArchiveKind& kind) {
            return kind.extensions.size();
        }).extensions.size();

    // enabled_[kind][i]: the kind's i-th extension is converted.
    std::array<std::array<bool, kMostExtensions>, archiver::kArchiveKinds.size()> enabled_{};
};

// The pattern that lists nothing.
inline constexpr char NoFilesPattern[] = "abcdzyxw.___";
