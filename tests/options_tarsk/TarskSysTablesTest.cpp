// The FOLN system tables as the database pages' grid shows them.
#include "options_tarsk/VqsTarskSysTables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vqstarsk;

namespace {

std::vector<std::string> Names(Category category)
{
    std::vector<std::string> names;
    for (int item = 0; item < ItemCount(category); ++item)
        names.emplace_back(TableName(SlotOfItem(category, item)));
    return names;
}

std::vector<std::string> RowTexts(const VqsTarskSysTableRow& row, int slot, const ShownPacks& packs = {})
{
    std::vector<std::string> texts;
    for (int column = 1; column < kColumnCount; ++column)
        texts.emplace_back(CellText(row, BuiltInDefaults(slot), column, packs).GetString());
    return texts;
}

std::vector<int> ChangedColumns(const VqsTarskSysTableRow& row, int slot)
{
    std::vector<int> columns;
    for (int column = 0; column <= kColumnCount; ++column)
        if (IsCellChanged(row, BuiltInDefaults(slot), column))
            columns.push_back(column);
    return columns;
}

} // namespace

TEST(TarskSysTablesTest, TheInternalTablesSkipTheEventSlotAndTheGlimmerdeskTablesFollow)
{
    EXPECT_EQ(Names(InternalTables), (std::vector<std::string>{"S_T_N", "C_R_I", "H_U_B", "D_A_D", "L_TRC", "G_S_D"}));
    EXPECT_EQ(SlotOfItem(InternalTables, 5), 6);
    EXPECT_EQ(Names(GlimmerdeskTables),
              (std::vector<std::string>{"D_BDF", "D_SCL", "D_SDF", "D_WB", "D_WCF", "D_WDF", "D_WTS"}));
    EXPECT_EQ(SlotOfItem(GlimmerdeskTables, 0), 7);
}

TEST(TarskSysTablesTest, ATableAtItsDefaultsShowsTheBuiltInValuesAllGrey)
{
    const struct {
        int slot;
        std::vector<std::string> texts;
    } cases[] = {
        {0, {"", "10000", "", "3584", "100", "80", "Record", "D", "D", "1", "100", "40", "Yes", "DBPACK", ""}},
        {6, {"", "5000", "", "448", "100", "80", "Page", "D", "D", "100", "100", "40", "Yes", "DBPACK", ""}},
        {8, {"", "100000", "", "1792", "100", "80", "Page", "D", "D", "100", "100", "40", "Yes", "DBPACK", ""}},
    };
    for (const auto& c : cases) {
        VqsTarskSysTableRow row = BuiltInDefaults(c.slot);
        row.population = 0;
        row.pageSize = 0;
        EXPECT_EQ(RowTexts(row, c.slot, {"DBPACK", "DUPPACK"}), c.texts) << c.slot;
        EXPECT_EQ(ChangedColumns(row, c.slot), std::vector<int>{}) << c.slot;
    }
}

TEST(TarskSysTablesTest, OwnValuesShowBlackAndTheSizingAndQubRulesPickTheCells)
{
    VqsTarskSysTableRow row = BuiltInDefaults(1);
    row.population = 10000;
    row.pageSize = 0;
    EXPECT_EQ(ChangedColumns(row, 1), std::vector<int>{2});

    row.maxPagesSpecified = 1;
    row.maxPages = 0;
    row.duplexPack = kDefaultPack;
    const std::vector<std::string> texts = RowTexts(row, 1, {"DBPACK", "DUPPACK"});
    EXPECT_EQ(texts[1], "");
    EXPECT_EQ(texts[2], "0");
    EXPECT_EQ(texts[14], "") << "no QUB number, no duplex pack shown";

    row.qubNumber = 12;
    row.pack = "A_PACK_NAME_LONGER_THAN_TWENTY_CHARACTERS";
    const std::vector<std::string> withQub = RowTexts(row, 1, {"DBPACK", "DUPPACK"});
    EXPECT_EQ(withQub[0], "12");
    EXPECT_EQ(withQub[13], "A_PACK_NAME_LONGER_THAN_TWENTY_CHARACTERS");
    EXPECT_EQ(withQub[14], "DUPPACK");
    EXPECT_EQ(ChangedColumns(row, 1), (std::vector<int>{1, 2, 14, 15}));
}
