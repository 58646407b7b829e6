#include "caseTwins.h"

#include <climits>
#include <cwchar>
#include <cwctype>

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

} // namespace tbarc
