// The Pack Mapping page of a QSR business segment: pairs of pack names kept as one text.
#include "QSRListPagesSupport.h"

#include "options_qsr/VqsOptionPageQSRBSegPackMap.h"
#include "win/UserActions.h"

using namespace optionstest;

namespace {

constexpr UINT kPackMappingPage = 9;
constexpr int kMapTo = 1033;
constexpr int kPack = 1433;
constexpr int kMappings = 1281;
constexpr int kDelete = 1284;
constexpr int kAdd = 1461;

constexpr const char* kInvalidPack = "Cannot save option values:\nEnter a valid pack name.";
constexpr const char* kAlreadyMapped =
    "Cannot save option values:\nThe Pack is already mapped.\nProvide a different pack name or delete this entry.";

struct QSRPackMapTest : QSRBSegSheetTest {
    Strings Rows() { return ListRows(Dialog(), kMappings, 2); }
    void SortBy(int column) { vqui::user::ClickColumnHeader(PageItem(Dialog(), kMappings), column); }
};

} // namespace

TEST_F(QSRPackMapTest, TheStoredPairsAreListedAndSortedByEitherColumn)
{
    Write([&] { Stored()->SetPackMapping("r s  P q\tA q"); });
    Session(kPackMappingPage, [&] {
        EXPECT_EQ(Rows(), (Strings{"A|q", "P|q", "r|s"}));
        SortBy(0);
        EXPECT_EQ(Rows(), (Strings{"r|s", "P|q", "A|q"})) << "descending";
        SortBy(1);
        EXPECT_EQ(Rows(), (Strings{"A|q", "P|q", "r|s"}));
        SortBy(1);
        EXPECT_EQ(Rows(), (Strings{"r|s", "A|q", "P|q"})) << "equal map-to names by pack, ascending";
    });
}

TEST_F(QSRPackMapTest, AnOddTokenLeavesAPairWithoutMapToThatCannotBeStored)
{
    Write([&] { Stored()->SetPackMapping("P Q R"); });
    Session(kPackMappingPage, [&] {
        EXPECT_EQ(Rows(), (Strings{"P|Q", "R|"}));
        SelectRow(kMappings, 0);
        Type(kMapTo, "Q2");
        Answer(kInvalidPack, IDOK);
        ApplyNow();
        EXPECT_EQ(Text(kPack), "R") << "the refused pair is selected";
        Type(kMapTo, " S ");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPackMapping(), "P Q2 R S");
}

TEST_F(QSRPackMapTest, APackMappedTwiceIsRefusedOnTheLaterPair)
{
    Session(kPackMappingPage, [&] {
        for (const char* pack : {"SALESFG", "salesfg"}) {
            Click(kAdd);
            EXPECT_TRUE(Enabled(kPack));
            Type(kPack, pack);
            Type(kMapTo, "NEWPACK");
        }
        Answer(kAlreadyMapped, IDOK);
        ApplyNow();
        Click(kDelete);
        EXPECT_EQ(Rows().size(), 1U);
        EXPECT_EQ(Text(kPack), "");
        EXPECT_FALSE(Enabled(kPack));
        EXPECT_FALSE(Enabled(kMapTo));
        EXPECT_FALSE(Enabled(kDelete));
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPackMapping(), "SALESFG NEWPACK");
}

TEST_F(QSRPackMapTest, ARowOffersItsOwnPackAndThoseNotMappedYet)
{
    Write([&] { Stored()->SetPackMapping("SALESFG X SALESTS Y"); });
    Session(kPackMappingPage, [&] {
        SelectRow(kMappings, 0);
        const Strings choices = ComboItems(kPack);
        EXPECT_NE(std::find(choices.begin(), choices.end(), "SALESFG"), choices.end());
        EXPECT_EQ(std::find(choices.begin(), choices.end(), "SALESTS"), choices.end());
        EXPECT_NE(std::find(choices.begin(), choices.end(), "SALESPATH"), choices.end());
    });
}

TEST_F(QSRPackMapTest, DeletingEveryPairStoresTheEmptyText)
{
    Write([&] { Stored()->SetPackMapping("P Q"); });
    Session(kPackMappingPage, [&] {
        SelectRow(kMappings, 0);
        Click(kDelete);
        EXPECT_TRUE(Rows().empty());
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPackMapping(), "");
}

TEST(QSRPackMapOrderTest, TiesOfOneColumnGoByTheOtherAscending)
{
    using Pair = VqsOptionPageQSRBSegPackMap::MapPair;
    const Pair a{"A", "Q"};
    const Pair b{"b", "q"};
    for (BOOL ascending : {TRUE, FALSE}) {
        EXPECT_LT(VqsOptionPageQSRBSegPackMap::CompareMappings(a, b, 1, ascending), 0);
        EXPECT_GT(VqsOptionPageQSRBSegPackMap::CompareMappings(b, a, 1, ascending), 0);
    }
    EXPECT_LT(VqsOptionPageQSRBSegPackMap::CompareMappings(a, b, 0, TRUE), 0);
    EXPECT_GT(VqsOptionPageQSRBSegPackMap::CompareMappings(a, b, 0, FALSE), 0);
}
