#include "win/MbString.h"

#include "win/Mbcs.h"

#include <cstring>
#include <string_view>

namespace {

std::string_view View(const unsigned char* text)
{
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

// At most `count` bytes of the text, up to its terminator.
std::string_view Leading(const char* text, std::size_t count)
{
    if (!text)
        return {};
    const void* end = std::memchr(text, 0, count);
    return std::string_view(text, end ? static_cast<const char*>(end) - text : count);
}

} // namespace

int _mbsicmp(const unsigned char* a, const unsigned char* b) { return mbcs::CompareNoCase(View(a), View(b)); }

const unsigned char* _mbsstr(const unsigned char* text, const unsigned char* what)
{
    const std::size_t at = mbcs::FindText(View(text), View(what));
    return at == std::string_view::npos ? nullptr : text + at;
}

int _strnicmp(const char* a, const char* b, std::size_t count)
{
    return mbcs::CompareNoCase(Leading(a, count), Leading(b, count));
}
