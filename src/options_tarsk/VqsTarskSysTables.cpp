#include "options_tarsk/VqsTarskSysTables.h"

#include <cstdlib>
#include <string>

namespace vqstarsk {

namespace {

struct SlotInfo {
    const char* name;
    std::int64_t population;
    std::int64_t pageSize;
};

constexpr SlotInfo kSlots[kSlotCount] = {
    {"S_T_N", 10000, 3584}, {"C_R_I", 10000, 3584}, {"H_U_B", 4000, 3584},  {"D_A_D", 10000, 448},
    {"L_TRC", 10000, 3584}, {"", 0, 0},             {"G_S_D", 5000, 448},   {"D_BDF", 2000, 3584},
    {"D_SCL", 100000, 1792}, {"D_SDF", 2000, 1792}, {"D_WB", 4000, 448},    {"D_WCF", 4000, 1792},
    {"D_WDF", 10000, 1792}, {"D_WTS", 100, 3584},
};

constexpr int kInternalItems = 6;
constexpr int kGlimmerdeskItems = kSlotCount - kFirstGlimmerdeskSlot;

CString Decimal(std::int64_t value) { return CString(std::to_string(value).c_str()); }

CString ShownPack(const CString& pack, const CString& packForDefault)
{
    return pack == kDefaultPack ? packForDefault : pack;
}

} // namespace

std::int64_t SnappedPageSize(std::int64_t size)
{
    if (size <= 0)
        return size;
    for (const char* offered : kPageSizes)
        if (std::atoll(offered) >= size)
            return std::atoll(offered);
    return 0;
}

int ItemCount(Category category) { return category == InternalTables ? kInternalItems : kGlimmerdeskItems; }

int SlotOfItem(Category category, int item)
{
    if (category == GlimmerdeskTables)
        return item + kFirstGlimmerdeskSlot;
    return item < kEventSlot ? item : item + 1;
}

const char* TableName(int slot) { return slot >= 0 && slot < kSlotCount ? kSlots[slot].name : ""; }

VqsTarskSysTableRow InitialValues() { return VqsTarskSysTableRow{}; }

VqsTarskSysTableRow BuiltInDefaults(int slot)
{
    VqsTarskSysTableRow row;
    row.pack = kDefaultPack;
    row.initialReserve = 100;
    row.loadFactor = 80;
    row.indexPageFactor = 100;
    row.dataPageFactor = slot == 0 ? 1 : 100;
    row.mergeFactor = 40;
    row.pageLevelLocking = slot == 0 ? 0 : 1;
    row.compression = 1;
    if (slot >= 0 && slot < kSlotCount) {
        row.population = kSlots[slot].population;
        row.pageSize = kSlots[slot].pageSize;
    }
    return row;
}

CString CellText(const VqsTarskSysTableRow& row, const VqsTarskSysTableRow& defaults, int column,
                 const ShownPacks& packs)
{
    switch (column) {
    case 1:
        return row.qubNumber ? Decimal(row.qubNumber) : CString();
    case 2:
        return row.maxPagesSpecified ? CString() : Decimal(row.population ? row.population : defaults.population);
    case 3:
        return row.maxPagesSpecified ? Decimal(row.maxPages) : CString();
    case 4:
        return Decimal(row.pageSize ? row.pageSize : defaults.pageSize);
    case 5:
        return Decimal(row.initialReserve);
    case 6:
        return Decimal(row.loadFactor);
    case 7:
        return row.pageLevelLocking == 1 ? "Page" : "Record";
    case 8:
        return CString(row.audited, 1);
    case 9:
        return CString(row.keepAssigned, 1);
    case 10:
        return Decimal(row.dataPageFactor);
    case 11:
        return Decimal(row.indexPageFactor);
    case 12:
        return Decimal(row.mergeFactor);
    case 13:
        return row.compression ? "Yes" : "No";
    case 14:
        return ShownPack(row.pack, packs.databasePack);
    case 15:
        return row.qubNumber ? ShownPack(row.duplexPack, packs.duplexPack) : CString();
    default:
        return CString();
    }
}

bool IsCellChanged(const VqsTarskSysTableRow& row, const VqsTarskSysTableRow& defaults, int column)
{
    switch (column) {
    case 1:
        return row.qubNumber != 0;
    case 2:
        return row.population != 0;
    case 3:
        return row.maxPages != 0;
    case 4:
        return row.pageSize != 0;
    case 5:
        return row.initialReserve != defaults.initialReserve;
    case 6:
        return row.loadFactor != defaults.loadFactor;
    case 7:
        return row.pageLevelLocking != defaults.pageLevelLocking;
    case 8:
        return row.audited != 'D';
    case 9:
        return row.keepAssigned != 'D';
    case 10:
        return row.dataPageFactor != defaults.dataPageFactor;
    case 11:
        return row.indexPageFactor != defaults.indexPageFactor;
    case 12:
        return row.mergeFactor != defaults.mergeFactor;
    case 13:
        return row.compression == 0;
    case 14:
        return row.pack != kDefaultPack;
    case 15:
        return !row.duplexPack.IsEmpty();
    default:
        return false;
    }
}

} // namespace vqstarsk
