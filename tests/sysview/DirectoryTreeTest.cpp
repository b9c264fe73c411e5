#include "SysViewTestSupport.h"

#include "model/VqsModel.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsTreeFolder.h"
#include "sysview/VqsTreeItemSoftLink.h"
#include "sysview/VqsTreeItemSystem.h"
#include "win/Messages.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

constexpr UINT ID_PREVIOUS_CONFIGS = 32794;
constexpr UINT ID_SORT_BY_TYPE = 32786;
constexpr UINT ID_SORT_BY_NAME = 32784;
constexpr UINT ID_ISPECS_FOLDER = 32832;
constexpr UINT ID_SHOW_ALL_FOLDERS = 32834;
constexpr UINT ID_HIDE_ALL_FOLDERS = 32844;
constexpr UINT ID_EXPAND_BRANCH = 32797;
constexpr UINT ID_FIND = 57636;
constexpr UINT ID_FIND_NEXT = 57640;
constexpr UINT IDD_FIND = 143;
constexpr UINT IDC_FIND_TEXT = 1403;

// The lists below the segment links that a walk through their folders reads for many together.
const char* const kFolderLists[] = {"PxVQIspecSoftLink::ProfileSoftLinksOf",    "PxVQBundle::IspecBundleDataOf",
                                    "PxVQIspecBundleData::IspecInformationsOf", "PxVQReportGroup::ReportSoftLinkAliasesOf",
                                    "PxVQReportSoftLinkAlias::SoftLinksOf",     "PxVQProfileSoftLink::ComponentsOf"};

// The items of the branch of the kind that hold children.
template <class Kind>
int FilledItems(VqsTreeItem* item)
{
    int count = dynamic_cast<Kind*>(item) && item->GetChildCount() ? 1 : 0;
    for (POSITION position = item->GetChildren().GetHeadPosition(); position;)
        count += FilledItems<Kind>(item->GetChildren().GetNext(position));
    return count;
}

// The folders of the kind in the branch that hold items.
int FilledFolders(VqsTreeItem* item, UINT kind)
{
    auto* folder = dynamic_cast<VqsTreeFolder*>(item);
    int count = folder && folder->GetKind() == kind && item->GetChildCount() ? 1 : 0;
    for (POSITION position = item->GetChildren().GetHeadPosition(); position;)
        count += FilledFolders(item->GetChildren().GetNext(position), kind);
    return count;
}

struct DirectoryTreeTest : SysViewTest {
    // Opens the view with the first system and its SALES link expanded.
    void OpenSales()
    {
        OpenFrame();
        Expand("Sample system 1");
        Expand("SALES business segment");
    }

    static std::size_t Depth(const std::string& row)
    {
        const std::size_t text = row.find_first_not_of(' ');
        return text == std::string::npos ? row.size() : text;
    }

    // The rows below `parent`, one level deeper, in order.
    Strings ChildRows(const std::string& parent)
    {
        const Strings rows = Rows();
        auto start = std::find_if(rows.begin(), rows.end(),
                                  [&](const std::string& row) { return row.substr(Depth(row)) == parent; });
        Strings children;
        if (start == rows.end())
            return children;
        const std::size_t depth = Depth(*start) + 2;
        for (auto row = start + 1; row != rows.end() && Depth(*row) >= depth; ++row) {
            if (Depth(*row) == depth)
                children.push_back(row->substr(depth));
        }
        return children;
    }

    std::string DisplayText(const std::string& text) { return Item(text)->GetDisplayText(); }

    // Find with the text typed into the Find dialog.
    void FindText(const std::string& text)
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(IDD_FIND).Replace(IDC_FIND_TEXT, text).OK();
        Command(ID_FIND);
        ui.Verify();
    }
};

} // namespace

TEST_F(DirectoryTreeTest, TheSystemsAreListedSortedAndTheLinksShowUnderTheSystemWhileOldConfigurationsAreHidden)
{
    OpenFrame();
    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  Sample system 1", "  Sample system 2"}));
    EXPECT_EQ(DisplayText("Sample enterprise"), "Sample enterprise System Definitions")
        << "the design enterprise's long name heads the tree";
    EXPECT_EQ(DisplayText("Sample system 1"), "Sample system 1\tA system of the sample enterprise");

    Expand("Sample system 1");
    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  Sample system 1", "    PAYROLL business segment", "    SALES business segment",
                               "    STOCK business segment", "  Sample system 2"}));
}

TEST_F(DirectoryTreeTest, ShowingPreviousConfigurationsListsTheOldOnesNewestFirstAndHidingThemTakesThemAway)
{
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    PxVQOldConfigPtr later = System("SYS1")->CreateOldConfig();
    later->SetGenerationTime(1800000000);
    later->SetFromOSName("UNIXGEN");
    link->CommitTransaction();
    OpenFrame();
    Expand("Sample system 1");

    Command(ID_PREVIOUS_CONFIGS);
    EXPECT_EQ(Setting("Previous Config"), "1");
    EXPECT_EQ(ChildRows("Sample system 1"), (Strings{"Current Configuration", "Previous Configurations"}));
    EXPECT_EQ(ChildRows("Current Configuration"),
              (Strings{"PAYROLL business segment", "SALES business segment", "STOCK business segment"}));
    Expand("Previous Configurations");
    EXPECT_EQ(ChildRows("Previous Configurations"),
              (Strings{"generated to *** on 01/15/27 08:00:00 from UNIXGEN",
                       "generated to NTHOST on 11/14/23 22:13:20 from NTGEN"}))
        << "newest first; a configuration without a generate set has no host";

    Command(ID_PREVIOUS_CONFIGS);
    EXPECT_EQ(Setting("Previous Config"), "0");
    EXPECT_EQ(ChildRows("Sample system 1"),
              (Strings{"PAYROLL business segment", "SALES business segment", "STOCK business segment"}));
}

TEST_F(DirectoryTreeTest, SortingByTypePutsTheCurrentConfigurationFirstAndElementsByTheirKinds)
{
    app.SetDisplayFolders(0);
    OpenSales();
    Command(ID_SORT_BY_NAME);
    Strings byName = ChildRows("SALES business segment");
    auto position = [](const Strings& rows, const char* name) {
        return std::find(rows.begin(), rows.end(), name) - rows.begin();
    };
    EXPECT_LT(position(byName, "CALCTAX of SALES"), position(byName, "EVENT of SALES"));

    Command(ID_SORT_BY_TYPE);
    EXPECT_EQ(Setting("Sort by"), "type");
    const Strings byType = ChildRows("SALES business segment");
    EXPECT_LT(position(byType, "ORDER of SALES"), position(byType, "EVENT of SALES")) << "Component before Event";
    EXPECT_LT(position(byType, "EVENT of SALES"), position(byType, "CALCTAX of SALES")) << "Event before Global Logic";

    Command(ID_PREVIOUS_CONFIGS);
    auto* system = dynamic_cast<VqsConfigTreeItem*>(Item("Sample system 1"));
    ASSERT_NE(system, nullptr);
    auto* current = dynamic_cast<VqsConfigTreeItem*>(Item("Current Configuration"));
    auto* holder = dynamic_cast<VqsConfigTreeItem*>(Item("Previous Configurations"));
    ASSERT_TRUE(current && holder);
    EXPECT_EQ(current->CompareSiblings(holder), -1);
    EXPECT_EQ(holder->CompareSiblings(current), 1);
}

TEST_F(DirectoryTreeTest, TheHandleMapFindsAnItemUntilItGoesAndKeepsANewerItemForTheSameObject)
{
    OpenFrame();
    VqsTreeItemEnterprise* root = view->GetRootItem();
    const PxVQSystemPtr system = System("SYS1");
    VqsConfigTreeItem* first = root->FindTreeItem(system);
    ASSERT_EQ(first, Item("Sample system 1"));
    EXPECT_EQ(root->FindTreeItem(PxVQSystemPtr()), nullptr);

    auto* second = new VqsTreeItemSystem(root, system);
    EXPECT_EQ(root->FindTreeItem(system), second);
    Select({"Sample enterprise"});
    Command(32798);
    EXPECT_EQ(root->FindTreeItem(system), second) << "the first item went; the newer one keeps its entry";
    delete second;
    EXPECT_EQ(root->FindTreeItem(system), nullptr);
}

TEST_F(DirectoryTreeTest, ASystemWithoutLinksIsALeafThatOffersAddBusinessSegment)
{
    {
        VqsModel model;
        PxVQSystemPtr created;
        ASSERT_TRUE(model.CreateSystem(created, "New system", "NEWSYS", "No links yet", "RT9", 0, 0));
    }
    OpenFrame();
    ASSERT_EQ(Item("New system")->GetState(), VqsTreeItem::Leaf);
    Select({"New system"});
    EXPECT_EQ(State(32771), "enabled");
    Select({"Sample system 1"});
    EXPECT_EQ(Item("Sample system 1")->GetState(), VqsTreeItem::Collapsed);
    EXPECT_EQ(State(32771), "-");
}

TEST_F(DirectoryTreeTest, OpeningTheViewReadsTheSystemsConfigurationsAndWhetherTheyHaveLinksTogether)
{
    {
        VqsModel model;
        PxVQSystemPtr created;
        ASSERT_TRUE(model.CreateSystem(created, "New system", "NEWSYS", "No links yet", "RT9", 0, 0));
    }
    PxTesting::ResetListReads();
    for (const char* oneAtATime : {"PxVQSystem::GetCurConfig", "PxVQConfig::CountOfBSSoftLinks"})
        PxFaultInjection::Throw(oneAtATime, "read one system at a time", 0, 100);
    OpenFrame();
    PxFaultInjection::Reset();
    EXPECT_EQ(PxTesting::ListReads("PxVQSystem::CurConfigsOf"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::CountsOfBSSoftLinks"), 1);
    EXPECT_EQ(Item("New system")->GetState(), VqsTreeItem::Leaf);
    EXPECT_EQ(Item("Sample system 1")->GetState(), VqsTreeItem::Collapsed);
    Expand("Sample system 2");
    EXPECT_EQ(ChildRows("Sample system 2").size(), 3U) << "the configuration read ahead is the system's";
}

TEST_F(DirectoryTreeTest, ABusinessSegmentLinkShowsItsSixFoldersInTheirOrder)
{
    OpenSales();
    EXPECT_EQ(ChildRows("SALES business segment"),
              (Strings{"Bundles", "Global Logics", "Ispecs", "Profiles", "Report Groups", "Reports"}));
    for (const char* folder : {"Bundles", "Ispecs", "Reports"})
        EXPECT_EQ(Item(folder)->GetState(), VqsTreeItem::Collapsed) << folder;
}

TEST_F(DirectoryTreeTest, HidingTheIspecsFolderListsItsIspecsUnderTheLinkAndShowingItGathersThemAgain)
{
    OpenSales();
    Select({"Ispecs"});
    Command(ID_ISPECS_FOLDER);
    EXPECT_EQ(Setting("Display folders"), "0x0000003e");
    EXPECT_EQ(ChildRows("SALES business segment"),
              (Strings{"AUDIT of SALES", "Bundles", "CUSTOMER of SALES", "ENQUIRY of SALES", "EVENT of SALES",
                       "Global Logics", "NOTES of SALES", "ORDER of SALES", "Profiles", "Report Groups", "Reports"}));

    Select({"SALES business segment"});
    EXPECT_EQ(State(ID_ISPECS_FOLDER), "enabled");
    Command(ID_ISPECS_FOLDER);
    EXPECT_EQ(Setting("Display folders"), "0x0000003f");
    EXPECT_EQ(ChildRows("SALES business segment"),
              (Strings{"Bundles", "Global Logics", "Ispecs", "Profiles", "Report Groups", "Reports"}));
    EXPECT_EQ(Item("Ispecs")->GetState(), VqsTreeItem::Collapsed) << "collapsed as it was";
    EXPECT_EQ(State(ID_ISPECS_FOLDER), "enabled checked");
}

TEST_F(DirectoryTreeTest, WithEveryFolderHiddenTheLinksContentIsListedDirectlyUnderIt)
{
    OpenFrame();
    Command(ID_HIDE_ALL_FOLDERS);
    EXPECT_EQ(Setting("Display folders"), "0x00000000");
    Expand("Sample system 1");
    Expand("SALES business segment");
    EXPECT_EQ(ChildRows("SALES business segment"),
              (Strings{"AUDIT of SALES", "CALCTAX of SALES", "CUSTOMER of SALES", "DAILY of SALES", "ENQUIRY of SALES",
                       "EVENT of SALES", "MONTHEND", "MONTHLY of SALES", "NOTES of SALES", "ORDBYDATE of SALES",
                       "ORDER of SALES", "ORDERS", "STARTUP of SALES", "WEBALL"}))
        << "element links, the report group and the bundles, without folders";

    Command(ID_SHOW_ALL_FOLDERS);
    EXPECT_EQ(Setting("Display folders"), "0x0000003f");
    EXPECT_EQ(ChildRows("SALES business segment"),
              (Strings{"Bundles", "Global Logics", "Ispecs", "Profiles", "Report Groups", "Reports"}));
}

TEST_F(DirectoryTreeTest, FoldersEnableTheCommandsOfTheirKind)
{
    OpenSales();
    const struct {
        const char* row;
        UINT id;
        const char* state;
    } cases[] = {
        {"Reports", 32781, "-"},           {"Bundles", 32829, "enabled"},
        {"Report Groups", 32788, "enabled"}, {"Ispecs", 32829, "-"},
        {"SALES business segment", 32829, "enabled"}, {"SALES business segment", 32788, "enabled"},
    };
    for (const auto& c : cases) {
        Select({c.row});
        EXPECT_EQ(State(c.id), c.state) << c.row << " " << c.id;
    }
}

TEST_F(DirectoryTreeTest, ABundleOfAllIspecsShowsItsOwnBitmapRefusesAddIspecAndItsEntriesCannotBeOpened)
{
    OpenSales();
    Expand("Bundles");
    EXPECT_EQ(ChildRows("Bundles"), (Strings{"ORDERS", "WEBALL"}));
    VqsBitmapRef bitmap;
    ASSERT_TRUE(Item("WEBALL")->GetBitmap(bitmap));
    EXPECT_EQ(bitmap.nID, 122u);
    ASSERT_TRUE(Item("ORDERS")->GetBitmap(bitmap));
    EXPECT_EQ(bitmap.nID, 119u);
    Select({"WEBALL"});
    EXPECT_EQ(State(32830), "-");
    Select({"ORDERS"});
    EXPECT_EQ(State(32830), "enabled");

    Expand("WEBALL");
    auto* weball = Item("WEBALL");
    ASSERT_GT(weball->GetChildCount(), 0);
    EXPECT_FALSE(weball->GetChildren().GetHead()->IsOpenable());
    Expand("ORDERS");
    EXPECT_TRUE(Item("ORDERS")->GetChildren().GetHead()->IsOpenable());
}

TEST_F(DirectoryTreeTest, AProfileOverAnIspecShowsAsItsAutomaticProfileAndNotInTheProfilesFolder)
{
    OpenSales();
    Expand("Ispecs");
    Expand("CUSTOMER of SALES");
    const Strings children = ChildRows("CUSTOMER of SALES");
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(DisplayText(children.front()),
              "CUSTOMER of SALES (Sample PxLSEProfile CUSTBYNAME) ordinate\tAutomatic Profile");
    Expand("Profiles");
    EXPECT_EQ(ChildRows("Profiles"), Strings{"ORDBYDATE of SALES"});
}

TEST_F(DirectoryTreeTest, SpecialElementsAreDrawnMarkedAndOnlyTheEventKeepsItsOptions)
{
    OpenSales();
    Expand("Ispecs");
    Expand("Global Logics");
    const struct {
        const char* row;
        bool marked;
        const char* options;
    } cases[] = {
        {"EVENT of SALES", true, "enabled"},
        {"STARTUP of SALES", true, "-"},
        {"CALCTAX of SALES", false, "enabled"},
        {"ORDER of SALES", false, "enabled"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Item(c.row)->UsesSpecialColour() != FALSE, c.marked) << c.row;
        Select({c.row});
        EXPECT_EQ(State(32772), c.options) << c.row;
    }
}

TEST_F(DirectoryTreeTest, ALinksRowTellsItsStatusAndWhenItWasAdded)
{
    OpenSales();
    auto* link = dynamic_cast<VqsConfigTreeItem*>(Item("SALES business segment"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(std::string(link->GetDisplayText()),
              "SALES business segment taken Tue Nov 14 22:13:20 2023, added Tue Nov 14 22:13:20 2023"
              "\tSample business segment SALES");

    const PxVQSoftLinkPtr object = link->GetObject();
    PxVQLink* session = app.GetLink();
    session->BeginTransaction();
    object->SetRefTime(0);
    session->CommitTransaction();
    link->RefreshItem();
    EXPECT_EQ(std::string(link->GetDisplayText()),
              "SALES business segment added Tue Nov 14 22:13:20 2023\tSample business segment SALES");

    session->BeginTransaction();
    object->SetUnusedMark(1);
    session->CommitTransaction();
    link->RefreshItem();
    EXPECT_EQ(std::string(link->GetDisplayText()), "SALES business segment\tSample business segment SALES");
}

TEST_F(DirectoryTreeTest, LongSystemTextsAreCutTo127Characters)
{
    PxVQLink* session = app.GetLink();
    session->BeginTransaction();
    System("SYS1")->SetDescription(std::string(200, 'd').c_str());
    session->CommitTransaction();
    OpenFrame();
    EXPECT_EQ(std::string(Item("Sample system 1")->GetDisplayText()).size(), 127u);
}

TEST_F(DirectoryTreeTest, FoldersASearchWentThroughListTheirContentWhenTheyAreHidden)
{
    OpenSales();
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(143).Replace(1403, "Ispecs").OK();
        Command(57636);
        ui.Verify();
    }
    ASSERT_EQ(view->GetSelectedItem(), Item("Ispecs"));
    Command(ID_HIDE_ALL_FOLDERS);
    const Strings rows = ChildRows("SALES business segment");
    for (const char* name : {"CALCTAX of SALES", "WEBALL", "AUDIT of SALES"})
        EXPECT_EQ(std::count(rows.begin(), rows.end(), name), 1) << name;
}

// A search through the systems reads their configurations' lists and their segment links'
// lists as it comes to them, several systems together.
TEST_F(DirectoryTreeTest, FindReadsTheListsOfTheSystemsItGoesThroughTogether)
{
    OpenFrame();
    PxTesting::ResetListReads();
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(143).Replace(1403, "WEBALL").OK();
        Command(57636);
        ui.Verify();
    }
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::BSSoftLinksOf"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::GetListOfBSSoftLinks"), 0);
    EXPECT_GT(PxTesting::ListReads("PxVQBSSoftLink::ContentsOf"), 0);
    EXPECT_EQ(PxTesting::ListReads("PxVQBSSoftLink::GetListOfElementSoftLinks"), 0);
}

// A press of Repeat Find from an Ispec with nothing below it to the next Ispec reads the list of
// no Ispec after them, though several have profiles: it reads ahead only for the Ispecs it
// comes to.
TEST_F(DirectoryTreeTest, FindNextFromOneIspecToTheNextReadsTheListsOfNoIspecsAfterThem)
{
    const std::string path = dir.File("generated.vqr");
    vqrepo::CreateRepositoryFile(path, vqrepo::SampleDescription({1, 1, 20}));
    CloseFrame();
    app.CloseSession();
    ASSERT_TRUE(app.OpenSession(path.c_str(), "ABC", nullptr));
    OpenSales();
    Expand("Ispecs");
    Select({"C000001"});
    PxTesting::ResetListReads();
    FindText("C000002");
    EXPECT_EQ(view->GetSelectedItem(), Item("C000002"));
    EXPECT_EQ(PxTesting::ListReads("PxVQIspecSoftLink::ProfileSoftLinksOf"), 0);
}

namespace {

// The ids of what the entries of the system's bundles and report groups and its profiles refer to.
std::vector<std::int64_t> ReferredFromBranch(const PxVQSystemPtr& system)
{
    const std::vector<PxObjectPtr> segmentLinks = PxVQConfig::BSSoftLinksOf({system->GetCurConfig()}).front();
    std::vector<PxObjectPtr> profiles;
    std::vector<PxObjectPtr> groups;
    std::vector<PxObjectPtr> bundles;
    for (const PxVQBSSoftLink::Contents& contents : PxVQBSSoftLink::ContentsOf(segmentLinks)) {
        for (const PxObjectPtr& link : contents.elementLinks)
            if (link->_IsKindOf("PxVQProfileSoftLink"))
                profiles.push_back(link);
        groups.insert(groups.end(), contents.reportGroups.begin(), contents.reportGroups.end());
        bundles.insert(bundles.end(), contents.bundles.begin(), contents.bundles.end());
    }
    const auto members = [](const std::vector<std::vector<PxObjectPtr>>& lists) {
        std::vector<PxObjectPtr> all;
        for (const auto& list : lists)
            all.insert(all.end(), list.begin(), list.end());
        return all;
    };
    std::vector<PxObjectPtr> referred = PxVQProfileSoftLink::ComponentsOf(profiles);
    for (const PxObjectPtr& object :
         PxVQReportSoftLinkAlias::SoftLinksOf(members(PxVQReportGroup::ReportSoftLinkAliasesOf(groups))))
        referred.push_back(object);
    for (const PxObjectPtr& object :
         PxVQIspecBundleData::IspecInformationsOf(members(PxVQBundle::IspecBundleDataOf(bundles))))
        referred.push_back(object);
    std::vector<std::int64_t> oids;
    for (const PxObjectPtr& object : referred)
        if (object)
            oids.push_back(static_cast<std::int64_t>(object->GetHandle().MapKey()));
    return oids;
}

} // namespace

// A search through the systems lets go of what it read ahead for each branch it passed: by
// the time it reads ahead for the last systems, nothing the first system's branch refers to
// is held any more.
TEST_F(DirectoryTreeTest, FindLetsGoOfWhatItReadAheadForTheSystemsItPassed)
{
    // Enough systems that the search reads ahead once more after it passed the first.
    for (int number = 3; number <= 9; ++number)
        MakeSystem("Sample system " + std::to_string(number), "Sample system " + std::to_string(number), true);
    OpenFrame();
    const std::vector<std::int64_t> referred =
        ReferredFromBranch(dynamic_cast<VqsConfigTreeItem*>(Item("Sample system 1"))->GetSystem());
    ASSERT_GT(referred.size(), 3u);
    std::size_t held = referred.size();
    std::function<void()> countHeld = [&] {
        held = std::count_if(referred.begin(), referred.end(),
                             [&](std::int64_t oid) { return PxTesting::IsHeld(*app.GetLink(), oid); });
        PxFaultInjection::Run("PxVQBSSoftLink::ContentsOf", countHeld);
    };
    PxFaultInjection::Run("PxVQBSSoftLink::ContentsOf", countHeld);
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(143).Replace(1403, "Sample system 9").OK();
        Command(57636);
        ui.Verify();
    }
    PxFaultInjection::Reset();
    ASSERT_EQ(view->GetSelectedItem(), Item("Sample system 9"));
    EXPECT_EQ(held, 0u);
}

// Find of the last of many small systems reads ahead in chunks that grow eightfold as it goes:
// a few reads of each list below the segment links.
TEST_F(DirectoryTreeTest, FindOfTheLastOfManySystemsReadsEachListBelowTheirLinksAFewTimes)
{
    constexpr int kSystems = 40;
    for (int number = 3; number <= kSystems; ++number)
        MakeSystem("System " + std::to_string(number), "SYSTEM" + std::to_string(number), true);
    OpenFrame();
    PxTesting::ResetListReads();
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(IDD_FIND).Replace(IDC_FIND_TEXT, "System 9").OK();
        Command(ID_FIND);
        ui.Verify();
    }
    ASSERT_EQ(view->GetSelectedItem(), Item("System 9"));
    EXPECT_LE(PxTesting::ListReads("PxVQBSSoftLink::ContentsOf"), 3 * 3);
    for (const char* list : kFolderLists)
        EXPECT_LE(PxTesting::ListReads(list), 3) << list;
}

namespace {

// The description of that many systems, SYS1000 on, each linking the one segment BIG of that
// many reports; the enterprise lists them in the order of their numbers, or with `step` in
// the order 0, step, 2 step, ... (a step prime to the number of systems).
std::string SystemsOfOneSegment(int systems, int reports, int step)
{
    std::string elements;
    for (int report = 0; report < reports; ++report)
        elements += std::string(report ? "," : "") + R"({"class": "PxLSEReport", "name": "R)" +
                    std::to_string(report) + "\"}";
    std::string list;
    for (int listed = 0; listed < systems; ++listed)
        list += std::string(listed ? "," : "") + R"({"name": "SYS)" + std::to_string(1000 + listed * step % systems) +
                R"(", "businessSegments": ["BIG"]})";
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + elements + R"(]}], "systems": [)" + list +
           "]}";
}

// The system at that place of the tree among that many of SystemsOfOneSegment: 1 on from the
// first, -1 on from the last.
std::string SystemAt(int systems, int place)
{
    return "SYS" + std::to_string(1000 + (place > 0 ? place - 1 : systems + place));
}

// A Find of a system that passes the systems between two places of the tree: from the top row
// (place 0) or a system's row, where an earlier search left off.
struct PassingFind {
    const char* search;
    int from;
    int to;
};

// The search from its system's row, or from the top row; selects the system it looks for.
void FindPassing(SysViewTest& test, const PassingFind& find, int systems)
{
    if (find.from)
        test.Select({SystemAt(systems, find.from)});
    const std::string wanted = SystemAt(systems, find.to);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(IDD_FIND).Replace(IDC_FIND_TEXT, wanted).OK();
    test.Command(ID_FIND);
    ui.Verify();
    EXPECT_EQ(test.view->GetSelectedItem(), test.Item(wanted)) << find.search;
}

} // namespace

// Find of a system holds the branch it is in and what it read ahead of it, not what it passed:
// with ten times the systems to pass, the most objects held at once is within twice as many.
// So it is from the top row down to the last system, the enterprise listing its systems in the
// order of the tree, from the fourth system's row down to the last, and from the last
// system's row round the top to the one before it, the enterprise listing them in another order.
TEST_F(DirectoryTreeTest, FindOfASystemHoldsAboutAsMuchWhateverTheSystemsItPasses)
{
    struct Case {
        PassingFind find;
        int step;
    };
    const Case cases[] = {
        {{"from the top row to the last", 0, -1}, 1},
        {{"from the fourth system to the last", 4, -1}, 1},
        {{"round the top to the one before the last, listed in another order", -1, -2}, 7},
    };
    for (const Case& c : cases) {
        const auto mostHeldFinding = [&](int systems) -> std::size_t {
            const std::string path =
                dir.File("systems-" + std::to_string(systems) + "-" + std::to_string(c.step) + ".vqr");
            if (!std::filesystem::exists(path))
                vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(SystemsOfOneSegment(systems, 200, c.step)));
            CloseFrame();
            app.CloseSession();
            EXPECT_TRUE(app.OpenSession(path.c_str(), "ABC", nullptr));
            OpenFrame();
            PxTesting::MostObjectsHeld(*app.GetLink());
            FindPassing(*this, c.find, systems);
            return PxTesting::MostObjectsHeld(*app.GetLink());
        };
        const std::size_t passingTen = mostHeldFinding(10);
        const std::size_t passingHundred = mostHeldFinding(100);
        EXPECT_LE(passingHundred, 2 * passingTen) << c.find.search << ": passing ten systems held " << passingTen;
    }
}

// Find of the last of many systems on the server asks for what it reads ahead of the systems
// it passes in a few round trips, however many chunks that is: passing ten times the systems
// takes at most half as many round trips again. So it is from the top row, and from the fourth
// system's row, where the search goes on through the systems after it.
TEST_F(DirectoryTreeTest, FindOfTheLastSystemOnTheServerTakesAboutAsManyRoundTripsWhateverTheSystemsItPasses)
{
    constexpr int kReports = 50;
    const PassingFind finds[] = {{"from the top row", 0, -1}, {"from the fourth system", 4, -1}};
    const auto tripsFinding = [&](int systems) -> std::vector<std::int64_t> {
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(uri, vqrepo::ReadDescription(SystemsOfOneSegment(systems, kReports, 1)));
        std::vector<std::int64_t> trips;
        for (const PassingFind& find : finds) {
            CloseFrame();
            app.CloseSession();
            EXPECT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
            OpenFrame();
            PxTesting::ResetListReads();
            const std::int64_t before = PxPgConnection::RoundTrips();
            FindPassing(*this, find, systems);
            trips.push_back(PxPgConnection::RoundTrips() - before);
            EXPECT_GT(PxTesting::ListReads("PxVQConfig::BSSoftLinksOf"), systems / 50)
                << find.search << ": chunks of about forty systems";
        }
        return trips;
    };
    const std::vector<std::int64_t> passingTwenty = tripsFinding(20);
    const std::vector<std::int64_t> passingTwoHundred = tripsFinding(200);
    for (std::size_t index = 0; index < std::size(finds); ++index)
        EXPECT_LE(2 * passingTwoHundred[index], 3 * passingTwenty[index])
            << finds[index].search << ": passing twenty systems took " << passingTwenty[index] << ", two hundred "
            << passingTwoHundred[index];
}

// A press of Repeat Find that goes from one system to the next reads the branch of the system it
// starts from with the read-ahead of the systems after it, never a list of that branch alone, and
// takes as many round trips to the server whatever the systems after it.
TEST_F(DirectoryTreeTest, APressOfRepeatFindReadsItsStartsBranchAheadInAsManyRoundTripsWhateverTheSystemsAfterIt)
{
    constexpr int kReports = 50;
    const auto tripsPressing = [&](int systems) -> std::int64_t {
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(uri, vqrepo::ReadDescription(SystemsOfOneSegment(systems, kReports, 1)));
        CloseFrame();
        app.CloseSession();
        EXPECT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        OpenFrame();
        Select({SystemAt(systems, 3)});
        FindText("SYS");
        EXPECT_EQ(view->GetSelectedItem(), Item(SystemAt(systems, 4)));
        PxTesting::ResetListReads();
        const std::int64_t before = PxPgConnection::RoundTrips();
        Command(ID_FIND_NEXT);
        const std::int64_t trips = PxPgConnection::RoundTrips() - before;
        EXPECT_EQ(view->GetSelectedItem(), Item(SystemAt(systems, 5)));
        EXPECT_EQ(PxTesting::ListReads("PxVQConfig::GetListOfBSSoftLinks"), 0) << systems << " systems";
        EXPECT_EQ(PxTesting::ListReads("PxVQConfig::BSSoftLinksOf"), 1) << systems << " systems";
        return trips;
    };
    EXPECT_EQ(tripsPressing(200), tripsPressing(20));
}

TEST_F(DirectoryTreeTest, AViewClosedWhileItsFindDialogIsOpenSearchesNothingAfterwards)
{
    OpenFrame(1006, 600, WS_EX_MDICHILD);
    Expand("Sample system 1");
    const HWND frameWindow = frame->m_hWnd;
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(143).Replace(1403, "Ispecs").OK();
        // File > Close is queued before Find; the dialog's loop delivers it.
        frame->PostMessage(WM_COMMAND, 57602);
        frame->PostMessage(WM_COMMAND, 57636);
        vqwin::PumpPending();
        ui.Verify();
    }
    EXPECT_FALSE(::IsWindow(frameWindow));
    EXPECT_TRUE(app.GetFrameList().IsEmpty());
    frame = nullptr;
    view = nullptr;
}

TEST_F(DirectoryTreeTest, ASystemKnowsWhetherOneOfItsLinksIsPending)
{
    PxVQLink* session = app.GetLink();
    session->BeginTransaction();
    System("SYS2")->GetCurConfig()->GetBSSoftLink("STOCK")->SetUnusedMark(1);
    session->CommitTransaction();
    OpenFrame();
    auto* first = dynamic_cast<VqsTreeItemSystem*>(Item("Sample system 1"));
    auto* second = dynamic_cast<VqsTreeItemSystem*>(Item("Sample system 2"));
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(first->HasPendingLink());
    EXPECT_TRUE(second->HasPendingLink());
    Expand("Sample system 2");
    EXPECT_TRUE(second->RefreshTexts() == FALSE) << "nothing changed";
    EXPECT_TRUE(second->HasPendingLink()) << "read from the loaded links";
}

TEST_F(DirectoryTreeTest, ARepositoryFailureWhileARowIsRefreshedIsReportedAndTheRowKeepsItsTexts)
{
    OpenFrame();
    auto* system = dynamic_cast<VqsConfigTreeItem*>(Item("Sample system 1"));
    ASSERT_NE(system, nullptr);
    const std::string before = system->GetDisplayText();
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot update " + before + ":\nInjected repository failure", IDOK);
    PxFaultInjection::Throw("PxVQSystem::GetDescription");
    system->RefreshItem();
    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_EQ(system->GetDisplayText(), before);
}

TEST_F(DirectoryTreeTest, PreviousConfigurationsSwitchedOnWhileASystemIsClosedShowWhenItOpens)
{
    OpenFrame();
    Command(ID_PREVIOUS_CONFIGS);
    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  Sample system 1", "  Sample system 2"}));
    Expand("Sample system 1");
    EXPECT_EQ(ChildRows("Sample system 1"), (Strings{"Current Configuration", "Previous Configurations"}));
    Expand("Previous Configurations");
    EXPECT_EQ(ChildRows("Previous Configurations").size(), 1u);

    Command(ID_PREVIOUS_CONFIGS);
    Expand("Sample system 2");
    EXPECT_EQ(ChildRows("Sample system 2"),
              (Strings{"PAYROLL business segment", "SALES business segment", "STOCK business segment"}));
}

TEST_F(DirectoryTreeTest, AnElementLinkCannotBeExpanded)
{
    OpenSales();
    Expand("Reports");
    auto* report = Item("DAILY of SALES");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->GetState(), VqsTreeItem::Leaf);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot expand element options.", IDOK);
    report->FillChildren(1);
    ui.Verify();
}

TEST_F(DirectoryTreeTest, ANewModelGetsANodeForEveryObjectTheTreeShows)
{
    OpenSales();
    for (const char* row : {"Report Groups", "MONTHEND", "Bundles", "ORDERS"})
        Expand(row);
    const PxVQBSSoftLinkPtr link = System("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
    PxTypedList<PxVQReportGroupPtr> groups;
    link->GetListOfReportGroups(groups);
    PxTypedList<PxVQBundlePtr> bundles;
    link->GetListOfBundles(bundles);
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    groups.GetHead()->GetListOfReportSoftLinkAliases(aliases);

    VqsModel model;
    view->Refresh(&model);
    EXPECT_TRUE(model.LookupNode(System("SYS1")->GetCurConfig()));
    EXPECT_TRUE(model.LookupNode(link));
    EXPECT_TRUE(model.LookupNode(groups.GetHead()));
    EXPECT_TRUE(model.LookupNode(aliases.GetHead()));
    for (POSITION position = bundles.GetHeadPosition(); position;)
        EXPECT_TRUE(model.LookupNode(bundles.GetNext(position)));
    EXPECT_FALSE(model.LookupNode(System("SYS2")->GetCurConfig()->GetBSSoftLink("SALES")))
        << "nothing is shown below the second system";
}

// A refresh that announces every bundle and report group of a new model asks whether each
// row's list has entries by counting them, without reading them.
TEST_F(DirectoryTreeTest, ARefreshCountsTheListsOfTheRowsItAnnouncesWithoutReadingThem)
{
    OpenSales();
    for (const char* row : {"Bundles", "Report Groups"})
        Expand(row);
    PxTesting::ResetListReads();
    VqsModel model;
    view->Refresh(&model);
    for (const char* list : {"PxVQBundle::GetListOfIspecBundleData", "PxVQReportGroup::GetListOfReportSoftLinkAliases"})
        EXPECT_EQ(PxTesting::ListReads(list), 0) << list;
    EXPECT_GT(PxTesting::ListReads("PxVQBundle::CountsOfIspecBundleData"), 0);
}

// A folder's lists are read once: the lists of the items Expand Branch fills are read
// together when the folder fills (an item's own read when it is alone, its size counted),
// the items' states and fills take them from that read, and the objects the entries of the
// folder's bundles or report groups name are read together.
TEST_F(DirectoryTreeTest, ExpandBranchReadsTheListsOfAFoldersIspecsBundlesAndReportGroupsTogether)
{
    OpenFrame();
    Select({"Sample system 1"});
    PxTesting::ResetListReads();
    Command(ID_EXPAND_BRANCH);
    VqsTreeItem* system = Item("Sample system 1");
    ASSERT_GT(FilledItems<VqsTreeItemIspecSoftLink>(system), 0);
    ASSERT_GT(FilledItems<VqsTreeItemBundle>(system), 1);
    const struct {
        UINT folder;
        const char* own;
        const char* together;
        const char* named;
        const char* counts;
    } folders[] = {{1, "PxVQIspecSoftLink::GetListOfProfileSoftLinks", "PxVQIspecSoftLink::ProfileSoftLinksOf", nullptr,
                    "PxVQIspecSoftLink::CountsOfProfileSoftLinks"},
                   {32, "PxVQBundle::GetListOfIspecBundleData", "PxVQBundle::IspecBundleDataOf",
                    "PxVQIspecBundleData::IspecInformationsOf", "PxVQBundle::CountsOfIspecBundleData"},
                   {16, "PxVQReportGroup::GetListOfReportSoftLinkAliases", "PxVQReportGroup::ReportSoftLinkAliasesOf",
                    "PxVQReportSoftLinkAlias::SoftLinksOf", "PxVQReportGroup::CountsOfReportSoftLinkAliases"}};
    for (const auto& folder : folders) {
        const int filled = FilledFolders(system, folder.folder);
        EXPECT_EQ(PxTesting::ListReads(folder.own) + PxTesting::ListReads(folder.together), filled)
            << folder.together << ": once a folder";
        if (folder.named) {
            EXPECT_EQ(PxTesting::ListReads(folder.named), filled) << folder.named << ": once a folder";
        }
        EXPECT_EQ(PxTesting::ListReads(folder.counts) + PxTesting::ListReads(folder.together), filled)
            << folder.counts << ": the sizes once a folder, counted or known from the lists read";
    }
    EXPECT_EQ(PxTesting::ListReads("PxVQBundle::GetListOfIspecBundleData"), 0) << "the bundles' lists go together";
}

// Expand Branch of the enterprise reads what the segment links' folders read for all the
// links together, a read of each list, and shows what expanding each system's branch shows.
TEST_F(DirectoryTreeTest, ExpandBranchOfTheEnterpriseReadsTheFoldersOfAllSegmentsTogether)
{
    OpenFrame();
    for (const char* system : {"Sample system 1", "Sample system 2"}) {
        Select({system});
        Command(ID_EXPAND_BRANCH);
    }
    const Strings bySystem = Rows();
    CloseFrame();
    OpenFrame();
    Select({"Sample enterprise"});
    PxTesting::ResetListReads();
    Command(ID_EXPAND_BRANCH);
    EXPECT_EQ(Rows(), bySystem);
    const int segmentLinks = FilledItems<VqsTreeItemBSSoftLink>(Item("Sample enterprise"));
    ASSERT_GE(segmentLinks, 4);
    EXPECT_EQ(PxTesting::ListReads("PxVQBSSoftLink::ContentsOf"), 3) << "each of the links' three lists once";
    for (const char* list : kFolderLists)
        EXPECT_LE(PxTesting::ListReads(list), 1) << list;
    for (const char* list : {"PxVQBSSoftLink::GetListOfElementSoftLinks", "PxVQBundle::GetListOfIspecBundleData",
                             "PxVQIspecSoftLink::GetListOfProfileSoftLinks",
                             "PxVQReportGroup::GetListOfReportSoftLinkAliases"})
        EXPECT_EQ(PxTesting::ListReads(list), 0) << list;
}
