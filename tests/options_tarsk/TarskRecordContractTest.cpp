// What the Tarsk pages rely on in the business segment's record: the per-table options by
// slot, the Glimmerdesk tables' own population and packs, and defaults that agree with the
// grid's built-in values.
#include "OptionsDialogHarness.h"

#include "options_tarsk/VqsTarskSysTables.h"
#include "proxy/PxTarskBSegOptions.h"

using namespace optionstest;
using namespace vqstarsk;

namespace {

struct TarskRecordContractTest : OptionsDialogHarness {
    PxTarskBSegOptionsPtr Record() const { return StoredSegment<PxTarskBSegOptionsPtr>("TARSKGEN"); }
};

std::int64_t RecordPopulationDefault(const PxTarskBSegOptions& record, int slot)
{
    return slot < kFirstGlimmerdeskSlot ? record.GetDefaultSysTablePopulation(slot)
                                        : record.GetDefaultPCETablePopulation(slot - kFirstGlimmerdeskSlot);
}

} // namespace

TEST_F(TarskRecordContractTest, TheRecordsTableDefaultsAreTheGridsBuiltInValues)
{
    const PxTarskBSegOptionsPtr record = Record();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == kEventSlot)
            continue;
        const VqsTarskSysTableRow defaults = BuiltInDefaults(slot);
        EXPECT_EQ(RecordPopulationDefault(*record, slot), defaults.population) << slot;
        EXPECT_EQ(record->GetDefaultsysTablePageSize(slot), defaults.pageSize) << slot;
        EXPECT_EQ(record->GetDefaultsysTableInitialReserve(slot), defaults.initialReserve) << slot;
        EXPECT_EQ(record->GetDefaultsysTableLoadFactor(slot), defaults.loadFactor) << slot;
        EXPECT_EQ(record->GetDefaultsysTableDataPageFactor(slot), defaults.dataPageFactor) << slot;
        EXPECT_EQ(record->GetDefaultsysTableIndexPageFactor(slot), defaults.indexPageFactor) << slot;
        EXPECT_EQ(record->GetDefaultsysTableMergeFactor(slot), defaults.mergeFactor) << slot;
        EXPECT_EQ(record->GetDefaultBSPageLevelLocking(slot), defaults.pageLevelLocking) << slot;
        EXPECT_EQ(record->GetDefaultBSCompression(slot), defaults.compression) << slot;
    }
}

TEST_F(TarskRecordContractTest, AGlimmerdeskTableKeepsItsPackApartFromTheSlotOfTheSameIndex)
{
    Write([&] {
        Record()->SetDBPack("DBPACK");
        Record()->SetPCETablePack(0, "PCEPACK");
    });
    const PxTarskBSegOptionsPtr record = Record();
    EXPECT_EQ(record->GetPCETablePack(0), "PCEPACK");
    EXPECT_EQ(record->GetSysTablePack(0), "DBPACK");
    EXPECT_TRUE(record->IsDefaultSysTablePack(0));
    Write([&] { Record()->ClearPCETablePack(0); });
    EXPECT_EQ(Record()->GetPCETablePack(0), "DBPACK");
}
