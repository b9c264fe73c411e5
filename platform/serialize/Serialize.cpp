#include "serialize/Serialize.h"

#include "win/Mbcs.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

void CopyOut(char* dest, std::size_t destCapacity, const std::string& text)
{
    mbcs::CopyToBuffer(text, dest, destCapacity);
}

// Bytes of text a buffer holds besides its terminating zero.
std::size_t Room(std::size_t capacity) { return capacity > 0 ? capacity - 1 : 0; }

// The text with its double-byte runs framed, cut so that the marked form keeps within
// `limit` bytes; a run always keeps room for its closing mark.
std::string Marked(std::string_view source, std::size_t limit)
{
    std::string marked;
    bool inRun = false;
    for (std::size_t i = 0; i < source.size();) {
        std::size_t n = mbcs::CharLength(source, i);
        bool doubleByte = n == 2;
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
    return marked;
}

} // namespace

bool IsVqSerializeTestDll() { return true; }

int is_Kanji1(unsigned char byte) { return mbcs::IsLeadByte(byte) ? 1 : 0; }

int complexInsertSokEok(char* dest, std::size_t destCapacity, const char* text, int length, int, int)
{
    std::size_t limit = length > 0 ? static_cast<std::size_t>(length) : 0;
    CopyOut(dest, destCapacity, Marked(text ? text : "", std::min(limit, Room(destCapacity))));
    return 1;
}

int simpleInsertSokEok(char* dest, std::size_t destCapacity, const char* text, int length, int, int)
{
    std::string_view source = text ? text : "";
    std::size_t wanted = length > 0 ? std::min(source.size(), static_cast<std::size_t>(length)) : 0;
    source = source.substr(0, mbcs::CutLength(source, wanted));
    CopyOut(dest, destCapacity, Marked(source, Room(destCapacity)));
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
