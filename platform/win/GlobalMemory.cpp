#include "win/GlobalMemory.h"

#include <map>
#include <mutex>
#include <vector>

namespace {

struct Blocks {
    std::mutex mutex;
    std::uintptr_t next = 0x50000;
    std::map<HGLOBAL, std::vector<BYTE>> blocks;
};

Blocks& TheBlocks()
{
    static auto* blocks = new Blocks;
    return *blocks;
}

} // namespace

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes)
{
    Blocks& blocks = TheBlocks();
    std::lock_guard lock(blocks.mutex);
    auto handle = reinterpret_cast<HGLOBAL>(blocks.next++);
    blocks.blocks.emplace(handle, std::vector<BYTE>(bytes, 0));
    return handle;
}

LPVOID GlobalLock(HGLOBAL block)
{
    Blocks& blocks = TheBlocks();
    std::lock_guard lock(blocks.mutex);
    auto found = blocks.blocks.find(block);
    return found == blocks.blocks.end() ? nullptr : found->second.data();
}

BOOL GlobalUnlock(HGLOBAL) { return FALSE; }

SIZE_T GlobalSize(HGLOBAL block)
{
    Blocks& blocks = TheBlocks();
    std::lock_guard lock(blocks.mutex);
    auto found = blocks.blocks.find(block);
    return found == blocks.blocks.end() ? 0 : found->second.size();
}

HGLOBAL GlobalFree(HGLOBAL block)
{
    Blocks& blocks = TheBlocks();
    std::lock_guard lock(blocks.mutex);
    return blocks.blocks.erase(block) ? nullptr : block;
}
