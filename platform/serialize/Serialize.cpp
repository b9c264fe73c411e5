#include "serialize/Serialize.h"

#include "win/Mbcs.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

void CopyOut(char* dest, std::size_t destCapacity, const std::string& text)
{
    if (!dest || destCapacity == 0)
        return;
    std::size_t n = mbcs::CutLength(text, destCapacity - 1);
    text.copy(dest, n);
    dest[n] = '\0';
}

} // namespace

int is_Kanji1(unsigned char byte) { return mbcs::IsLeadByte(byte) ? 1 : 0; }

int complexInsertSokEok(char* dest, std::size_t destCapacity, const char* text, int length, int, int)
{
    std::string_view source = text ? text : "";
    std::size_t limit = length > 0 ? static_cast<std::size_t>(length) : 0;
    std::string marked;
    bool inRun = false;
    for (std::size_t i = 0; i < source.size();) {
        std::size_t n = mbcs::CharLength(source, i);
        bool doubleByte = n == 2;
        // A run always keeps room for its closing mark.
        std::size_t needed = doubleByte ? n + (inRun ? 0 : 1) + 1 : n + (inRun ? 1 : 0);
        if (marked.size() + needed > limit)
            break;
        if (doubleByte && !inRun) {
            marked += kShiftOut;
            inRun = true;
        } else if (!doubleByte && inRun) {
            marked += kShiftIn;
            inRun = false;
        }
        marked.append(source.substr(i, n));
        i += n;
    }
    if (inRun)
        marked += kShiftIn;
    CopyOut(dest, destCapacity, marked);
    return 1;
}

int removeSokEok(char* dest, std::size_t destCapacity, const char* text)
{
    std::string_view source = text ? text : "";
    std::string plain;
    for (std::size_t i = 0; i < source.size();) {
        std::size_t n = mbcs::CharLength(source, i);
        if (!(n == 1 && (source[i] == kShiftOut || source[i] == kShiftIn)))
            plain.append(source.substr(i, n));
        i += n;
    }
    CopyOut(dest, destCapacity, plain);
    return 1;
}
