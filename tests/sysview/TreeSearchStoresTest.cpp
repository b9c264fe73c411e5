#include "SysViewTestSupport.h"

#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsTreeItem.h"
#include "support/PgTestServer.h"

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
    // What the user sees after a search: the selected row and its text, or the boxes shown.
    std::string Seen(const Searcher& searcher)
    {
        if (!searcher.boxes.empty())
            return ::testing::PrintToString(searcher.boxes);
        const int row = view->GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
        return std::to_string(row) + " " + (row < 0 ? "" : view->GetItem(row)->GetText());
    }

    // Find of every system's name in the order of their numbers, each followed by a Find
    // Next, on a view of a sample of that many systems on one segment kept there; each search
    // goes on from where the one before it stopped.
    Strings FindEverySystem(Store store)
    {
        const std::string repository = store == Store::Server ? vqtest::PgTestServer::Instance().NewDatabase()
                                                              : dir.File("forty.vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription({kSystems, 1, 10}));
        CloseFrame();
        app.CloseSession();
        EXPECT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        OpenFrame();
        Strings seen;
        for (int number = 1; number <= kSystems; ++number) {
            const std::string name = "Sample system " + std::to_string(number);
            {
                Searcher searcher;
                searcher.ExpectDialog(IDD_FIND).Replace(IDC_FIND_TEXT, name).OK();
                Command(ID_FIND);
                searcher.Verify();
                seen.push_back("Find " + name + ": " + Seen(searcher));
            }
            Searcher searcher;
            Command(ID_FIND_NEXT);
            seen.push_back("Find Next: " + Seen(searcher));
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
