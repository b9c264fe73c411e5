#include "win/Mbcs.h"

namespace mbcs {

namespace {

constexpr char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Fold>
void FoldInPlace(char* text, std::size_t length, Fold fold)
{
    for (std::size_t i = 0; i < length;) {
        std::size_t n = CharLength(std::string_view(text, length), i);
        if (n == 1)
            text[i] = fold(text[i]);
        i += n;
    }
}

template <class Fold>
int CompareWith(std::string_view a, std::string_view b, Fold fold)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        // Single-byte characters on both sides, the common case, need no character lengths.
        if (!IsLeadByte(static_cast<unsigned char>(a[i])) && !IsLeadByte(static_cast<unsigned char>(b[j]))) {
            const auto ca = static_cast<unsigned char>(fold(a[i]));
            const auto cb = static_cast<unsigned char>(fold(b[j]));
            if (ca != cb)
                return ca < cb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        std::size_t na = CharLength(a, i);
        std::size_t nb = CharLength(b, j);
        for (std::size_t k = 0; k < na || k < nb; ++k) {
            unsigned char ca = k < na ? static_cast<unsigned char>(na == 1 ? fold(a[i]) : a[i + k]) : 0;
            unsigned char cb = k < nb ? static_cast<unsigned char>(nb == 1 ? fold(b[j]) : b[j + k]) : 0;
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        i += na;
        j += nb;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

std::size_t CharLength(std::string_view text, std::size_t pos)
{
    if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])))
        return 2;
    return 1;
}

bool IsCharBoundary(std::string_view text, std::size_t pos)
{
    std::size_t i = 0;
    while (i < pos && i < text.size())
        i += CharLength(text, i);
    return i == pos;
}

std::size_t CutLength(std::string_view text, std::size_t maxBytes)
{
    if (maxBytes >= text.size())
        return text.size();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = CharLength(text, i);
        if (i + n > maxBytes)
            break;
        i += n;
    }
    return i;
}

std::size_t CopyToBuffer(std::string_view text, char* buffer, std::size_t size)
{
    if (!buffer || size == 0)
        return 0;
    const std::size_t length = CutLength(text, size - 1);
    text.copy(buffer, length);
    buffer[length] = '\0';
    return length;
}

void MakeUpper(char* text, std::size_t length) { FoldInPlace(text, length, FoldUpper); }
void MakeLower(char* text, std::size_t length) { FoldInPlace(text, length, FoldLower); }

int CompareNoCase(std::string_view a, std::string_view b) { return CompareWith(a, b, FoldLower); }
int Compare(std::string_view a, std::string_view b)
{
    return CompareWith(a, b, [](char c) { return c; });
}

std::size_t FindChar(std::string_view text, char c, std::size_t start)
{
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = CharLength(text, i);
        if (i >= start && n == 1 && text[i] == c)
            return i;
        i += n;
    }
    return std::string_view::npos;
}

std::size_t ReverseFindChar(std::string_view text, char c)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = CharLength(text, i);
        if (n == 1 && text[i] == c)
            found = i;
        i += n;
    }
    return found;
}

std::size_t FindText(std::string_view text, std::string_view what, std::size_t start)
{
    for (std::size_t i = 0; i < text.size() || (i == text.size() && what.empty());) {
        if (i >= start && text.substr(i, what.size()) == what)
            return i;
        if (i == text.size())
            break;
        i += CharLength(text, i);
    }
    return std::string_view::npos;
}

bool ContainsDoubleByte(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = CharLength(text, i);
        if (n == 2)
            return true;
        i += n;
    }
    return false;
}

std::optional<std::string> FromCodePoints(std::string_view utf8)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80)
            bytes += static_cast<char>(c);
        else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size())
            bytes += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        else
            return std::nullopt;
    }
    return bytes;
}

} // namespace mbcs
