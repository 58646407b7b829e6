#include "caseTwins.h"

#include <cwchar>
#include <cwctype>
#include <memory>
#include <mutex>
#include <unordered_map>

#include <dirent.h>
#include <locale.h>

namespace tbarc {
namespace {

// Case mappings need a Unicode character locale, whatever locale the calling
// program runs in; C.UTF-8 is built into the C library.
locale_t UnicodeLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

bool SameStamp(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size
        && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec
        && a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// One folder's names by their folded form, as listed when the folder had the
// stamp kept with them.
class FolderNames {
public:
    std::vector<std::string> Twins(const std::string& folder, const struct stat& now, const std::string& name)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (folder != folder_ || !SameStamp(now, stamp_))
            List(folder, now);
        std::vector<std::string> twins;
        const auto [first, last] = names_.equal_range(FoldedName(name));
        for (auto it = first; it != last; ++it) {
            if (it->second != name)
                twins.push_back(it->second);
        }
        return twins;
    }

    void Written(const std::string& folder, const std::string& name, const std::vector<std::string>& removed)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (folder != folder_)
            return;
        // What another process changed in the meantime is seen by the next
        // look only if the stamp has moved on since; at worst a twin made at
        // this very moment is missed, which costs no file: the caller never
        // replaces a file it has not seen.
        struct stat now;
        if (stat(folder.c_str(), &now) != 0) {
            folder_.clear();
            return;
        }
        for (const std::string& gone : removed)
            Erase(gone);
        Erase(name);
        names_.emplace(FoldedName(name), name);
        stamp_ = now;
    }

private:
    void List(const std::string& folder, const struct stat& now)
    {
        names_.clear();
        folder_.clear();
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
        if (!dir)
            return;
        while (const dirent* entry = readdir(dir.get())) {
            const std::string_view entryName = entry->d_name;
            if (entryName != "." && entryName != "..")
                names_.emplace(FoldedName(entryName), std::string(entryName));
        }
        folder_ = folder;
        stamp_ = now;
    }

    void Erase(const std::string& name)
    {
        const auto [first, last] = names_.equal_range(FoldedName(name));
        for (auto it = first; it != last; ++it) {
            if (it->second == name) {
                names_.erase(it);
                return;
            }
        }
    }

    std::mutex mutex_;
    std::string folder_; // empty: nothing listed
    struct stat stamp_ {};
    std::unordered_multimap<std::string, std::string> names_;
};

FolderNames& Remembered()
{
    static FolderNames names;
    return names;
}

} // namespace

std::string FoldedName(std::string_view name)
{
    const locale_t locale = UnicodeLocale();
    std::string folded;
    folded.reserve(name.size());
    std::mbstate_t state{};
    std::size_t i = 0;
    while (i < name.size()) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x80 || locale == static_cast<locale_t>(nullptr)) {
            folded += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
            ++i;
            continue;
        }
        const locale_t previous = uselocale(locale);
        wchar_t c = 0;
        const std::size_t length = std::mbrtowc(&c, name.data() + i, name.size() - i, &state);
        if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) || length == 0) {
            uselocale(previous);
            state = {};
            folded += static_cast<char>(byte);
            ++i;
            continue;
        }
        char encoded[MB_LEN_MAX];
        std::mbstate_t out{};
        const std::size_t written = std::wcrtomb(encoded, static_cast<wchar_t>(towupper_l(c, locale)), &out);
        uselocale(previous);
        if (written == static_cast<std::size_t>(-1))
            folded.append(name.data() + i, length);
        else
            folded.append(encoded, written);
        i += length;
    }
    return folded;
}

std::vector<std::string> CaseTwins(const std::string& folder, const struct stat& folderNow,
                                   const std::string& name)
{
    return Remembered().Twins(folder, folderNow, name);
}

void Written(const std::string& folder, const std::string& name, const std::vector<std::string>& removed)
{
    Remembered().Written(folder, name, removed);
}

} // namespace tbarc
