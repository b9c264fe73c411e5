// The FOLN system tables of a Tarsk business segment as the database pages show them: the
// table slots (the index of the record's per-table options), the two categories the grid
// shows one at a time, the row of values held per table with its built-in defaults, and
// the text and default state of every cell of the grid.
#pragma once

#include "win/CString.h"

#include <cstdint>

namespace vqstarsk {

constexpr int kSlotCount = 14;
// The EVENT database's table: not in the grid.
constexpr int kEventSlot = 5;
// Slots from here on are the Glimmerdesk tables, whose population, pack and duplex pack are
// the record's PCETable options at slot - kFirstGlimmerdeskSlot.
constexpr int kFirstGlimmerdeskSlot = 7;
constexpr int kColumnCount = 16;

enum Category { InternalTables = 0, GlimmerdeskTables = 1 };

// The pack texts that stand for the segment's database pack and default DUPLEX pack.
constexpr const char* kDefaultPack = "DEFAULT";

int ItemCount(Category category);
int SlotOfItem(Category category, int item);
// The table's name; empty for the EVENT slot.
const char* TableName(int slot);

// The page sizes a table can have.
constexpr const char* kPageSizes[] = {"224", "448", "896", "1792", "3584", "7168"};
// A stored page size as the pages offer it: the smallest size not below it; one above the
// largest size is the default (0); 0 and negative sizes stay.
std::int64_t SnappedPageSize(std::int64_t size);

struct VqsTarskSysTableRow {
    CString pack;
    CString duplexPack;
    std::int64_t pageSize = 0;
    std::int64_t qubNumber = 0;
    std::int64_t maxPages = 0;
    std::int64_t initialReserve = 0;
    std::int64_t loadFactor = 0;
    std::int64_t indexPageFactor = 0;
    std::int64_t dataPageFactor = 0;
    std::int64_t mergeFactor = 0;
    std::int64_t population = 0;
    int pageLevelLocking = 0;
    int compression = 0;
    int maxPagesSpecified = 0;
    char audited = 'D';
    char keepAssigned = 'D';
};

// The values of a table before its record is read, and its built-in defaults.
VqsTarskSysTableRow InitialValues();
VqsTarskSysTableRow BuiltInDefaults(int slot);

// What the pack cells show for "DEFAULT": the sheet's current database and DUPLEX packs.
struct ShownPacks {
    CString databasePack;
    CString duplexPack;
};

// The text of a cell of columns 1-15 (column 0 is the table's name).
CString CellText(const VqsTarskSysTableRow& row, const VqsTarskSysTableRow& defaults, int column,
                 const ShownPacks& packs);
// TRUE when the cell holds a value of its own rather than the default; never for column 0
// or a column outside the grid.
bool IsCellChanged(const VqsTarskSysTableRow& row, const VqsTarskSysTableRow& defaults, int column);

} // namespace vqstarsk
