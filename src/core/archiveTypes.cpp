#include "core/archiveTypes.h"

#include "util/paths.h"

namespace {

using archiver::ArchiveKind;
using archiver::kArchiveKinds;

// Every option the table names exists, of the type it is read as.
constexpr bool TableNamesItsOptions()
{
    for (const ArchiveKind& kind : kArchiveKinds) {
        if (!options::IsOptionOf<bool>(kind.option))
            return false;
        for (const archiver::KindExtension& extension : kind.extensions) {
            if (extension.option && !options::IsOptionOf<bool>(extension.option))
                return false;
        }
        for (const char* key : kind.libraryOptions) {
            if (!options::IsOptionOf<QString>(key))
                return false;
        }
    }
    return true;
}
static_assert(TableNamesItsOptions(), "an archive kind names an option that is not one");

} // namespace

ArchiveTypes ArchiveTypes::From(const options::Options& options, const archiver::Libraries& libraries)
{
    ArchiveTypes types;
    for (archiver::KindIndex kind = 0; kind < kArchiveKinds.size(); ++kind) {
        const ArchiveKind& row = kArchiveKinds[kind];
        if (!libraries.Of(kind) || !options::SwitchOn(options, row.option))
            continue;
        for (std::size_t i = 0; i < row.extensions.size(); ++i) {
            const char* option = row.extensions[i].option;
            types.enabled_[kind][i] = !option || options::SwitchOn(options, option);
        }
    }
    return types;
}

ArchiveTypes ArchiveTypes::Current(const archiver::Libraries& libraries)
{
    return From(options::Current(), libraries);
}

QString ArchiveTypes::MakePattern() const
{
    // Every kind's first extension, then every kind's second one, …; an
    // extension two kinds share is listed once.
    QStringList suffixes;
    for (std::size_t i = 0; i < kMostExtensions; ++i) {
        for (archiver::KindIndex kind = 0; kind < kArchiveKinds.size(); ++kind) {
            if (i >= kArchiveKinds[kind].extensions.size() || !enabled_[kind][i])
                continue;
            const QString suffix = QString::fromLatin1(kArchiveKinds[kind].extensions[i].suffix);
            if (!suffixes.contains(suffix))
                suffixes << suffix;
        }
    }
    if (suffixes.isEmpty())
        return QString::fromLatin1(NoFilesPattern);
    for (QString& suffix : suffixes)
        suffix.prepend(u'*');
    return suffixes.join(u';');
}

bool ArchiveTypes::AcceptsType(const QString& path) const
{
    return !CandidatesFor(path).isEmpty();
}

QList<ArchiveTypes::Candidate> ArchiveTypes::CandidatesFor(const QString& path) const
{
    const QString extension = paths::UpperCaseName(paths::GetExtension(path, false, false));
    QList<Candidate> candidates;
    for (archiver::KindIndex kind = 0; kind < kArchiveKinds.size(); ++kind) {
        const ArchiveKind& row = kArchiveKinds[kind];
        for (std::size_t i = 0; i < row.extensions.size(); ++i) {
            if (enabled_[kind][i] && extension == QLatin1String(row.extensions[i].suffix))
                candidates.append({kind, row.extensions[i].checked});
        }
    }
    return candidates;
}
