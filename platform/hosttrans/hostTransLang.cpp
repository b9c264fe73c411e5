#include "hosttrans/hostTransLang.h"

#include <atomic>
#include <cstring>
#include <iterator>

namespace {

constexpr const char* kCodeSets[] = {
    "ASCII-EBCDIC",
    "Latin-1",
    "Latin-2",
    "Cyrillic",
    "Greek",
    "Turkish",
    "Hebrew",
    "Arabic",
};

std::atomic<bool> g_failing{false};

} // namespace

int hostTransLang::GetNumLangsSupported() { return g_failing ? -1 : static_cast<int>(std::size(kCodeSets)); }

bool hostTransLang::GetLangStrFromId(int id, char* buffer, int size)
{
    if (g_failing || id < 1 || id > static_cast<int>(std::size(kCodeSets)) || !buffer || size <= 0)
        return false;
    std::strncpy(buffer, kCodeSets[id - 1], static_cast<size_t>(size) - 1);
    buffer[size - 1] = '\0';
    return true;
}

void hostTransLang::SetFailing(bool failing) { g_failing = failing; }
