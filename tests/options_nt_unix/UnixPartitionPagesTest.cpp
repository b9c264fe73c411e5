// The "Oracle Partitions" pages of a Unix business segment, component and profile, used
// through the element's options dialog: the partition list, columns, partitions and types,
// what is written per structure, and the component's ordinate profile following its table.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxLSEAssociation.h"
#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "win/HeaderCtrl.h"
#include "win/UserActions.h"

#include <filesystem>
#include <fstream>

using namespace optionstest;

namespace {

constexpr int kComponentPartitionPage = 3;
constexpr int kProfilePartitionPage = 2;
constexpr int kComponentStoragePage = 2;

constexpr int kComponentTable = 1928;
constexpr int kComponentIndex = 1929;
constexpr int kComponentNone = 1915;
constexpr int kComponentLocal = 1916;
constexpr int kComponentExplicit = 1917;
constexpr int kProfileTable = 1941;
constexpr int kProfileIspecIndex = 1942;
constexpr int kProfileOrdinateIndex = 1943;
constexpr int kProfileNone = 1944;
constexpr int kProfileLocal = 1945;
constexpr int kProfileExplicit = 1946;

constexpr int kDataItem = 1887;
constexpr int kModifyColumn = 1888;
constexpr int kList = 1889;
constexpr int kAddColumn = 1918;
constexpr int kDeleteColumn = 1919;
constexpr int kAddPartition = 1920;
constexpr int kDeletePartition = 1921;
constexpr int kLessThan = 1923;
constexpr int kName = 1924;
constexpr int kColumn = 1947;

constexpr const char* kOptionsChanged = "Options have been changed.\nDo you want to save the changes?";

struct UnixPartitionPagesTest : OptionsDialogHarness {
    PxUnixCompOptionsPtr Customer() const { return Stored<PxUnixCompOptionsPtr>("CUSTOMER", "UNIXGEN"); }
    PxUnixProfileOptionsPtr ByName() const { return Stored<PxUnixProfileOptionsPtr>("CUSTBYNAME", "UNIXGEN"); }
    PxUnixProfileOptionsPtr ByDate() const { return Stored<PxUnixProfileOptionsPtr>("ORDBYDATE", "UNIXGEN"); }

    void ElementSession(const char* element, UINT page, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        Session(Element("SYS1", "SALES", element), "UNIXGEN", page, actions, endWithOk);
    }
    void CustomerSession(const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        ElementSession("CUSTOMER", kComponentPartitionPage, actions, endWithOk);
    }

    // Partition records named code + name, with their bounds.
    template <class Ptr>
    void AddPartitions(const Ptr& options,
                       std::initializer_list<std::pair<const char*, std::vector<const char*>>> partitions)
    {
        for (const auto& [name, bounds] : partitions) {
            const PxUnixOracleDBPartitionOptionsPtr record(options->CreateSubOptions(name));
            for (std::size_t i = 0; i < bounds.size(); ++i)
                record->SetLessThanValue(static_cast<int>(i), bounds[i]);
        }
    }
    // The customer's table partitioned explicitly over the given columns.
    void PartitionCustomerTable(std::vector<const char*> columns)
    {
        Write([&] {
            const PxUnixCompOptionsPtr customer = Customer();
            customer->SetComponentPartitionType(0, 'E');
            for (std::size_t slot = 0; slot < columns.size(); ++slot)
                customer->SetComponentTablePartitionColumns(static_cast<int>(slot), columns[slot]);
        });
    }
    // More data items on the customer's screen.
    void AddCustomerItems(std::initializer_list<const char*> names)
    {
        Write([&] {
            PxLSEBuilder builder(*app.GetLink());
            const PxLSEBusinessSegmentPtr segment = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
            const PxLSEIspecPtr customer(segment->GetElement("CUSTOMER"));
            for (const char* name : names)
                builder.AddScreenDataUsage(customer, builder.AddElement(segment, "PxLSEDataItem", name), 'D', 0, false);
        });
    }

    HWND List() { return PageItem(Dialog(), kList); }
    int Rows() { return static_cast<int>(::SendMessage(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::string Cell(int row, int column)
    {
        char text[64] = "";
        LVITEM item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ::SendMessage(List(), LVM_GETITEMTEXT, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    Strings Names()
    {
        Strings names;
        for (int row = 0; row < Rows(); ++row)
            names.push_back(Cell(row, 0));
        return names;
    }
    int SelectedRow() { return static_cast<int>(::SendMessage(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }
    Strings Header()
    {
        Strings titles;
        HWND header = reinterpret_cast<HWND>(::SendMessage(List(), LVM_GETHEADER, 0, 0));
        const int count = static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < count; ++column) {
            char text[64] = "";
            LVCOLUMN info{};
            info.mask = LVCF_TEXT;
            info.pszText = text;
            info.cchTextMax = sizeof(text);
            ::SendMessage(List(), LVM_GETCOLUMN, column, reinterpret_cast<LPARAM>(&info));
            titles.push_back(text);
        }
        return titles;
    }
    void ClickHeader(int column) { vqui::user::ClickColumnHeader(List(), column); }
    std::vector<std::string> Bounds(const PxPtr<PxUnixOracleDBPartitionOptions>& record, int count)
    {
        std::vector<std::string> bounds;
        for (int i = 0; i < count; ++i)
            bounds.push_back(std::string(record->GetLessThanValue(i)));
        return bounds;
    }
};

} // namespace

TEST_F(UnixPartitionPagesTest, AnExplicitTableShowsItsPartitionsInDescendingOrderAndAHeaderClickReversesThem)
{
    AddCustomerItems({"REGION"});
    PartitionCustomerTable({"CUSTNAME", "REGION"});
    Write([&] {
        AddPartitions(Customer(), {{"TP1", {"B", "1"}}, {"TP2", {"M", "1"}}, {"TP3", {"B", "1"}}, {"AIX", {"Z"}}});
    });
    CustomerSession([&] {
        EXPECT_EQ(Header(), (Strings{"Partition Name", "CUSTNAME", "REGION"}));
        EXPECT_EQ(Names(), (Strings{"P2", "P3", "P1"}));
        EXPECT_EQ(SelectedRow(), 0);
        EXPECT_EQ(Cell(0, 1), "M");
        EXPECT_FALSE(Enabled(kComponentLocal));
        EXPECT_TRUE(Enabled(kName));
        EXPECT_FALSE(Enabled(kLessThan));
        ClickHeader(1);
        EXPECT_EQ(Names(), (Strings{"P3", "P1", "P2"}));
        ClickHeader(0);
        EXPECT_EQ(Names(), (Strings{"P2", "P3", "P1"}));
    }, FALSE);
}

TEST_F(UnixPartitionPagesTest, ColumnsComeAndGoWithTheirBoundsAndPartitionsAreAddedOnceByName)
{
    AddCustomerItems({"REGION", "CITY"});
    CustomerSession([&] {
        EXPECT_FALSE(Enabled(kDataItem));
        Click(kComponentExplicit);
        EXPECT_EQ(ComboItems(kDataItem), (Strings{"CITY", "CUSTNAME", "REGION"}));
        for (const char* item : {"CUSTNAME", "REGION", "CITY"}) {
            Choose(kDataItem, item);
            Click(kAddColumn);
        }
        EXPECT_EQ(ComboItems(kDataItem), Strings{});
        EXPECT_EQ(Header(), (Strings{"Partition Name", "CUSTNAME", "REGION", "CITY"}));
        Click(kAddPartition);
        EXPECT_EQ(Rows(), 0);
        Type(kName, "P1");
        Click(kAddPartition);
        Type(kName, "P1");
        Click(kAddPartition);
        EXPECT_EQ(Rows(), 1);
        EXPECT_EQ(Text(kModifyColumn), "CUSTNAME");
        Type(kLessThan, "K");
        Choose(kModifyColumn, "REGION");
        Type(kLessThan, "5");
        Choose(kModifyColumn, "CITY");
        Type(kLessThan, "X");
        EXPECT_EQ(Cell(0, 2), "5");
        Choose(kColumn, "REGION");
        Click(kDeleteColumn);
        EXPECT_EQ(Header(), (Strings{"Partition Name", "CUSTNAME", "CITY"}));
        EXPECT_EQ(Cell(0, 2), "X");
        EXPECT_EQ(ComboItems(kDataItem), (Strings{"REGION"}));
        ApplyNow();
    });
    const PxUnixCompOptionsPtr stored = Customer();
    EXPECT_EQ(stored->GetComponentPartitionType(0), 'E');
    EXPECT_EQ(stored->GetComponentTablePartitionColumns(0), "CUSTNAME");
    EXPECT_EQ(stored->GetComponentTablePartitionColumns(1), "CITY");
    EXPECT_EQ(stored->GetComponentTablePartitionColumns(2), "");
    const PxUnixOracleDBPartitionOptionsPtr partition(stored->GetSubOptions("TP1"));
    ASSERT_TRUE(partition);
    EXPECT_EQ(Bounds(partition, 3), (std::vector<std::string>{"K", "X", ""}));
}

TEST_F(UnixPartitionPagesTest, EightColumnsAreTheMostAndADeletedPartitionGoesOnApply)
{
    AddCustomerItems({"I2", "I3", "I4", "I5", "I6", "I7", "I8", "I9"});
    PartitionCustomerTable({"CUSTNAME", "I2", "I3", "I4", "I5", "I6", "I7", "I8"});
    Write([&] { AddPartitions(Customer(), {{"TP1", {"1"}}, {"TP2", {"2"}}}); });
    CustomerSession([&] {
        EXPECT_EQ(ComboItems(kDataItem), (Strings{"I9"}));
        Click(kAddColumn);
        EXPECT_EQ(Header().size(), 9U);
        SelectRow(kList, 0);
        Click(kDeletePartition);
        EXPECT_EQ(Names(), (Strings{"P1"}));
        ApplyNow();
    });
    EXPECT_FALSE(Customer()->GetSubOptions("TP2"));
    EXPECT_TRUE(Customer()->GetSubOptions("TP1"));
}

TEST_F(UnixPartitionPagesTest, ChangingTheTypeAndApplyingClearsOnlyThatStructure)
{
    PartitionCustomerTable({"CUSTNAME"});
    Write([&] {
        Customer()->SetComponentPartitionType(1, 'L');
        AddPartitions(Customer(), {{"TP1", {"1"}}, {"AIX", {"9"}}});
    });
    CustomerSession([&] {
        Click(kComponentNone);
        EXPECT_FALSE(Enabled(kName));
        EXPECT_EQ(Rows(), 0);
        Click(kComponentExplicit);
        EXPECT_EQ(Names(), (Strings{"P1"}));
        Click(kComponentNone);
        ApplyNow();
        Click(kComponentIndex);
        EXPECT_TRUE(Checked(kComponentLocal));
        EXPECT_FALSE(Enabled(kComponentExplicit));
        EXPECT_TRUE(Enabled(kComponentNone));
        Defaults();
        ApplyNow();
    });
    const PxUnixCompOptionsPtr stored = Customer();
    EXPECT_EQ(stored->GetComponentPartitionType(0), 'N');
    EXPECT_EQ(stored->GetComponentTablePartitionColumns(0), "");
    EXPECT_FALSE(stored->GetSubOptions("TP1"));
    EXPECT_FALSE(stored->IsUpdatedComponentPartitionType(1));
    EXPECT_FALSE(stored->GetSubOptions("AIX"));
}

TEST_F(UnixPartitionPagesTest, AnMComponentsIndexShowsItsTypeOnlyAndAnInputComponentOffersNoDataItem)
{
    ElementSession("NOTES", kComponentPartitionPage, [&] {
        Click(kComponentIndex);
        for (int id : {kComponentNone, kComponentLocal, kComponentExplicit})
            EXPECT_FALSE(Enabled(id)) << id;
        Click(kComponentTable);
        Click(kComponentExplicit);
        EXPECT_EQ(ComboItems(kDataItem), Strings{});
    }, FALSE);
}

TEST_F(UnixPartitionPagesTest, AFailedSaveBeforeAStructureSwitchKeepsThePageOnItsStructure)
{
    CustomerSession([&] {
        Click(kComponentExplicit);
        Type(kName, "P1");
        Click(kAddPartition);
        PxFaultInjection::Throw("PxLink::CommitTransaction");
        Answer(kOptionsChanged, IDYES);
        Answer("Cannot commit the transaction:\nInjected repository failure", IDOK);
        Click(kComponentIndex);
        PxFaultInjection::Reset();
        EXPECT_TRUE(Checked(kComponentTable));
        EXPECT_TRUE(Checked(kComponentExplicit));
        EXPECT_EQ(Names(), (Strings{"P1"}));
        ApplyNow();
    });
    EXPECT_TRUE(Customer()->GetSubOptions("TP1"));
}

TEST_F(UnixPartitionPagesTest, TheOrdinateProfileFollowsTheComponentsTableOnlyWhenPartitionedLocal)
{
    PartitionCustomerTable({"CUSTNAME"});
    Write([&] {
        AddPartitions(Customer(), {{"TP1", {"M"}}, {"AIX", {"9"}}});
        ByName()->SetProfilePartitionType(0, 'L');
        AddPartitions(ByName(), {{"TOLD", {"A"}}, {"OORD", {"5"}}});
    });
    CustomerSession([&] {
        Type(kName, "P2");
        Click(kAddPartition);
        Type(kLessThan, "Z");
        ApplyNow();
    });
    const PxUnixProfileOptionsPtr profile = ByName();
    EXPECT_EQ(profile->GetProfileTablePartitionColumns(0), "CUSTNAME");
    EXPECT_FALSE(profile->GetSubOptions("TOLD"));
    EXPECT_TRUE(profile->GetSubOptions("OORD"));
    EXPECT_FALSE(profile->GetSubOptions("AIX"));
    const PxUnixOracleDBPartitionOptionsPtr copied(profile->GetSubOptions("TP2"));
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->GetLessThanValue(0), "Z");

    Write([&] { ByName()->SetProfilePartitionType(0, 'N'); });
    CustomerSession([&] {
        SelectRow(kList, 0);
        Click(kDeletePartition);
        ApplyNow();
    });
    EXPECT_TRUE(ByName()->GetSubOptions("TP1"));
    EXPECT_TRUE(ByName()->GetSubOptions("TP2"));
}

TEST_F(UnixPartitionPagesTest, WithTheDisassociateSettingTheProfileKeepsItsOwnStorageValues)
{
    const std::filesystem::path ini = std::filesystem::temp_directory_path() / "ntunix2-partition-test.ini";
    std::ofstream(ini) << "[Tamberlyn]\nDisassociateComponentAndProfileOracle=y\n";
    app.SetIniPath(ini.string().c_str());
    PartitionCustomerTable({"CUSTNAME"});
    Write([&] {
        AddPartitions(Customer(), {{"TP1", {"M"}}});
        const PxUnixOracleDBPartitionOptionsPtr source(Customer()->GetSubOptions("TP1"));
        source->SetTablespace("SALESTS");
        source->SetPercentFree(30);
        source->SetMaxExtentsUnlimited(1);
        ByName()->SetProfilePartitionType(0, 'L');
        AddPartitions(ByName(), {{"TP1", {"A"}}});
        const PxUnixOracleDBPartitionOptionsPtr own(ByName()->GetSubOptions("TP1"));
        own->SetTablespace("STOCKTS");
        own->MakeDefaultPercentFree();
    });
    CustomerSession([&] {
        Type(kName, "P9");
        Click(kAddPartition);
        SelectRow(kList, 1);
        Type(kLessThan, "N");
        ApplyNow();
    });
    std::filesystem::remove(ini);
    const PxUnixOracleDBPartitionOptionsPtr kept(ByName()->GetSubOptions("TP1"));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetLessThanValue(0), "N");
    EXPECT_EQ(kept->GetTablespace(), "STOCKTS");
    EXPECT_TRUE(kept->IsDefaultPercentFree());
    EXPECT_FALSE(kept->IsUpdatedMaxExtentsUnlimited());
}

TEST_F(UnixPartitionPagesTest, AConditionalProfileOpensItsIndexesWithTheirFixedTypes)
{
    ElementSession("CUSTBYNAME", kProfilePartitionPage, [&] {
        EXPECT_FALSE(Enabled(kProfileIspecIndex));
        EXPECT_TRUE(Enabled(kProfileLocal));
    }, FALSE);
    Write([&] { ByDate()->SetProfilePartitionType(2, 'E'); });
    ElementSession("ORDBYDATE", kProfilePartitionPage, [&] {
        EXPECT_TRUE(Enabled(kProfileIspecIndex));
        Click(kProfileIspecIndex);
        EXPECT_TRUE(Checked(kProfileNone));
        for (int id : {kProfileNone, kProfileLocal, kProfileExplicit})
            EXPECT_FALSE(Enabled(id)) << id;
        Click(kProfileOrdinateIndex);
        EXPECT_TRUE(Checked(kProfileLocal));
        EXPECT_TRUE(Enabled(kProfileExplicit));
        EXPECT_EQ(Rows(), 0);
    }, FALSE);
}

TEST_F(UnixPartitionPagesTest, ALocalProfileTableListsThePartitionsOfItsComponent)
{
    PartitionCustomerTable({"CUSTNAME"});
    Write([&] {
        AddPartitions(Customer(), {{"TP1", {"M"}}, {"TP2", {"Z"}}, {"AIX", {"9"}}});
        ByName()->SetProfilePartitionType(0, 'L');
        ByName()->SetProfileTablePartitionColumns(0, "CUSTNAME");
    });
    ElementSession("CUSTBYNAME", kProfilePartitionPage, [&] {
        EXPECT_EQ(Names(), (Strings{"P2", "P1"}));
        EXPECT_EQ(Header(), (Strings{"Partition Name", "CUSTNAME"}));
        SelectRow(kList, 1);
        EXPECT_FALSE(Enabled(kLessThan));
        EXPECT_EQ(Text(kLessThan), "M");
    }, FALSE);
}

TEST_F(UnixPartitionPagesTest, ProfileColumnsAreAddedAndDeletedInSequenceOrder)
{
    Write([&] {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr segment = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        const PxLSEProfilePtr profile(segment->GetElement("CUSTBYNAME"));
        builder.AddOrdinate(profile, builder.AddElement(segment, "PxLSEDataItem", "LATE"), 20000, 0);
        builder.AddOrdinate(profile, builder.AddElement(segment, "PxLSEDataItem", "EARLY"), -5, 0);
        ByName()->SetProfileTablePartitionColumns(0, "STRAY");
    });
    ElementSession("CUSTBYNAME", kProfilePartitionPage, [&] {
        Click(kProfileExplicit);
        EXPECT_FALSE(Enabled(kDataItem));
        EXPECT_EQ(Text(kDataItem), "EARLY");
        EXPECT_EQ(Text(kColumn), "STRAY");
        Click(kAddColumn);
        Click(kAddColumn);
        Click(kAddColumn);
        EXPECT_EQ(Header(), (Strings{"Partition Name", "STRAY", "EARLY", "CUSTNAME", "LATE"}));
        Click(kDeleteColumn);
        EXPECT_EQ(Header(), (Strings{"Partition Name", "STRAY", "EARLY", "CUSTNAME"}));
        Click(kDeleteColumn);
        Click(kDeleteColumn);
        Click(kDeleteColumn);
        EXPECT_EQ(Header(), (Strings{"Partition Name"}));
    }, FALSE);
}

TEST_F(UnixPartitionPagesTest, TheSegmentsTableCannotBeLocalAndItsIndexShowsItsTypeOnly)
{
    Write([&] {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr segment = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        builder.AddScreenDataUsage(PxLSEIspecPtr(segment->GetElement("EVENT")), segment->GetElement("ORDERDATE"), 'B',
                                   0, false);
    });
    BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
    Session(Segment("SYS1", "SALES"), "UNIXGEN", 1, [&] {
        EXPECT_FALSE(Enabled(1936));
        EXPECT_TRUE(Enabled(1937));
        Click(1937);
        EXPECT_EQ(ComboItems(kDataItem), (Strings{"ORDERDATE"}));
        Answer(kOptionsChanged, IDNO);
        Click(1934);
        for (int id : {1935, 1936, 1937})
            EXPECT_FALSE(Enabled(id)) << id;
    }, FALSE);
}

TEST_F(UnixPartitionPagesTest, HeaderColumnsShareTheListWidthUpToFiveWays)
{
    AddCustomerItems({"I2", "I3", "I4", "I5", "I6"});
    for (const auto& columns : {std::vector<const char*>{"CUSTNAME", "I2"},
                                std::vector<const char*>{"CUSTNAME", "I2", "I3", "I4", "I5", "I6"}}) {
        PartitionCustomerTable(columns);
        CustomerSession([&] {
            RECT client{};
            ::GetClientRect(List(), &client);
            const int shares = std::min<int>(static_cast<int>(columns.size()), 4) + 1;
            const int expected = (client.right - client.left) / shares;
            for (int column = 0; column <= static_cast<int>(columns.size()); ++column)
                EXPECT_EQ(::SendMessage(List(), LVM_GETCOLUMNWIDTH, column, 0), expected) << column;
        }, FALSE);
    }
}

TEST_F(UnixPartitionPagesTest, AProfileLockedElsewhereKeepsTheComponentsPartitionsUnwritten)
{
    PartitionCustomerTable({"CUSTNAME"});
    Write([&] { ByName()->SetProfilePartitionType(0, 'L'); });
    CustomerSession([&] {
        Type(kName, "P1");
        Click(kAddPartition);
        PxFaultInjection::RefuseLock("PxVQObject::WriteLock", PxLockRefused, 1, 100);
        Answer("Cannot lock options for CUSTBYNAME of SALES in option set UNIXGEN as it is currently locked by another "
               "user.\nPlease try again after some time.",
               IDOK);
        Answer("Cannot save option values:\nCannot lock the object", IDOK);
        ApplyNow();
        EXPECT_TRUE(Dialog().GetSheet()->GetOptionPage(kComponentPartitionPage)->IsModified());
        PxFaultInjection::Reset();
    }, FALSE);
    EXPECT_FALSE(Customer()->GetSubOptions("TP1"));
    EXPECT_FALSE(ByName()->GetSubOptions("TP1"));
}
