#include "SysViewTestSupport.h"

#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsTreeItem.h"
#include "support/PgTestServer.h"

#include <iterator>
#include <set>
#include <string>

namespace {

constexpr UINT ID_FIND = 57636;
constexpr UINT ID_FIND_NEXT = 57640;
constexpr UINT IDD_FIND = 143;
constexpr UINT IDC_FIND_TEXT = 1403;
constexpr int kSystems = 40;

// Types the text into the Find dialog, and reads every box the search shows.
struct Searcher : vqtest::ScriptedUiDriver {
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind != vqui::EventKind::MessageBox)
            return ScriptedUiDriver::NextAction(event);
        boxes.push_back(event.text.GetString());
        return vqui::UiAction::End(IDOK);
    }

    std::vector<std::string> boxes;
};

struct TreeSearchStoresTest : SysViewTest {
    void TearDown() override
    {
        PxFaultInjection::Reset();
        SysViewTest::TearDown();
    }

    // What the user sees after a search: the selected row and its text, or the boxes shown.
    std::string Seen(const Searcher& searcher)
    {
        if (!searcher.boxes.empty())
            return ::testing::PrintToString(searcher.boxes);
        const int row = view->GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
        return std::to_string(row) + " " + (row < 0 ? "" : view->GetItem(row)->GetText());
    }

    // A view of a sample of that many systems on one segment kept there; answers the repository.
    std::string OpenFortySystems(Store store)
    {
        const std::string repository = store == Store::Server ? vqtest::PgTestServer::Instance().NewDatabase()
                                                              : dir.File("forty.vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription({kSystems, 1, 10}));
        CloseFrame();
        app.CloseSession();
        EXPECT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        OpenFrame();
        return repository;
    }

    std::string Find(const std::string& text)
    {
        Searcher searcher;
        searcher.ExpectDialog(IDD_FIND).Replace(IDC_FIND_TEXT, text).OK();
        Command(ID_FIND);
        searcher.Verify();
        return Seen(searcher);
    }

    // Find of every system's name in the order of their numbers, each followed by a Find
    // Next; each search goes on from where the one before it stopped.
    Strings FindEverySystem(Store store)
    {
        OpenFortySystems(store);
        Strings seen;
        for (int number = 1; number <= kSystems; ++number) {
            const std::string name = "Sample system " + std::to_string(number);
            seen.push_back("Find " + name + ": " + Find(name));
            Searcher searcher;
            Command(ID_FIND_NEXT);
            seen.push_back("Find Next: " + Seen(searcher));
        }
        return seen;
    }

    // Find of each text, then Repeat Find pressed until it comes back to what the Find
    // selected or shows a box.
    Strings PressThroughEverySystem(Store store)
    {
        OpenFortySystems(store);
        Strings seen;
        for (const std::string text : {"Sample system ", "Sample system 3", "Sample system 7"}) {
            const std::string found = Find(text);
            seen.push_back("Find " + text + ": " + found);
            for (int press = 0; press < kSystems; ++press) {
                Searcher searcher;
                Command(ID_FIND_NEXT);
                seen.push_back(Seen(searcher));
                if (seen.back() == found || !searcher.boxes.empty())
                    break;
            }
        }
        return seen;
    }
};

} // namespace

// The server's reads ahead change how the tree is read, never where a search goes.
TEST_F(TreeSearchStoresTest, FindAndFindNextOfEverySystemSelectTheSameRowsOnTheServerAsOnAFile)
{
    const Strings onFile = FindEverySystem(Store::File);
    EXPECT_EQ(FindEverySystem(Store::Server), onFile);
}

// Repeat Find through every system selects each once, in the order of the tree, and goes round
// to the first; through the systems of a prefix it goes round too, and of a name no other system
// starts with it says that it found nothing: on the server as on a file.
TEST_F(TreeSearchStoresTest, RepeatFindThroughEverySystemSelectsTheSameRowsInTheSameOrderOnTheServerAsOnAFile)
{
    const Strings onFile = PressThroughEverySystem(Store::File);
    ASSERT_GT(onFile.size(), static_cast<std::size_t>(1 + kSystems));
    const auto prefix = onFile.begin() + 1 + kSystems;
    const std::set<std::string> everySystem(onFile.begin() + 1, prefix);
    EXPECT_EQ(everySystem.size(), static_cast<std::size_t>(kSystems));
    EXPECT_EQ(*(prefix - 1), onFile.front().substr(onFile.front().find(": ") + 2));
    EXPECT_EQ(std::distance(prefix, onFile.end()), 1 + 11 + 1 + 1) << ::testing::PrintToString(onFile);
    EXPECT_EQ(onFile.back(), "{ \"Cannot find the node Sample system 7\" }");
    EXPECT_EQ(PressThroughEverySystem(Store::Server), onFile);
}

// The read of the start's branch that a press makes ahead with the systems after it fails: the
// press shows that failure in one box and the selection and the start's branch stay as they
// were. After a refusal on a file the next press goes on; a connection cut on the server is
// told with what to do.
TEST_F(TreeSearchStoresTest, APressWhoseReadAheadFailsShowsOneBoxAndLeavesTheTreeAsItWas)
{
    const struct {
        Store store;
        const char* told;
    } cases[] = {
        {Store::File, "Injected repository failure"},
        {Store::Server, "close the session and open it again"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        const std::string repository = OpenFortySystems(c.store);
        Find("Sample system ");
        VqsTreeItem* start = view->GetSelectedItem();
        ASSERT_EQ(start, Item("Sample system 1"));
        if (c.store == Store::Server)
            PxFaultInjection::Run("PxVQConfig::BSSoftLinksOf", [&] { EndDataConnections(repository); });
        else
            PxFaultInjection::Throw("PxVQConfig::BSSoftLinksOf");
        {
            Searcher searcher;
            Command(ID_FIND_NEXT);
            ASSERT_EQ(searcher.boxes.size(), 1u) << ::testing::PrintToString(searcher.boxes);
            EXPECT_NE(searcher.boxes.front().find(c.told), std::string::npos) << searcher.boxes.front();
        }
        PxFaultInjection::Reset();
        EXPECT_EQ(view->GetSelectedItem(), start);
        EXPECT_EQ(start->GetState(), VqsTreeItem::Collapsed);
        EXPECT_EQ(start->GetChildCount(), 0);
        if (c.store == Store::Server)
            continue;
        Searcher searcher;
        Command(ID_FIND_NEXT);
        EXPECT_EQ(view->GetSelectedItem(), Item("Sample system 10")) << ::testing::PrintToString(searcher.boxes);
    }
}
