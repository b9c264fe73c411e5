#include "win/Accelerators.h"
#include "win/CMenu.h"
#include "win/CString.h"
#include "win/Input.h"
#include "win/Menu.h"
#include "win/UiDriver.h"

#include "WinTestSupport.h"
#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"
#include "support/TempDir.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kMenus = R"({
  "menus": {
    "136": [
      {"popup": "&File", "items": [
        {"text": "&Open...\tCtrl+O", "id": 32825},
        {"separator": true},
        {"popup": "&Recent", "items": [
          {"text": "&Close", "id": 57602},
          {"text": "E&xit", "id": 57665}
        ]},
        {"text": "&Go...", "id": 32826}
      ]},
      {"popup": "&Edit", "items": [{"text": "&Delete\tDel", "id": 57632}]}
    ],
    "134": [
      {"popup": "context", "items": [
        {"text": "&Copy\tCtrl+C", "id": 57634},
        {"separator": true},
        {"text": "&Parents...", "id": 32773},
        {"popup": "&More", "items": [{"text": "Find...", "id": 57636}]}
      ]}
    ]
  }
})";

struct MenuTest : ::testing::Test {
    vqtest::TempDir root;
    std::unique_ptr<vqtest::ScopedResourceLibrary> library;

    void SetUp() override
    {
        root.Write("testres/menus.json", kMenus);
        library = std::make_unique<vqtest::ScopedResourceLibrary>("testres", root.Path());
    }
};

// Walks a pop-up as the frame's menu export does: "parent|text|id" per item.
void Walk(HMENU popup, const std::string& parent, std::vector<std::string>& out)
{
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        char text[64];
        GetMenuString(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT id = GetMenuItemID(popup, i);
        if (id == 0) {
            out.push_back(parent + "|-");
        } else if (id == static_cast<UINT>(-1)) {
            out.push_back(parent + "|" + text + "|popup");
            Walk(GetSubMenu(popup, i), text, out);
        } else {
            out.push_back(parent + "|" + text + "|" + std::to_string(id));
        }
    }
}

} // namespace

TEST_F(MenuTest, WalkingAMenuYieldsSeparatorsNestedPopupsAndIdsInOrder)
{
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(136));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[32];
        GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        Walk(GetSubMenu(menu, i), text, items);
    }
    EXPECT_EQ(items, (std::vector<std::string>{"&File|&Open...\tCtrl+O|32825", "&File|-", "&File|&Recent|popup",
                                               "&Recent|&Close|57602", "&Recent|E&xit|57665", "&File|&Go...|32826",
                                               "&Edit|&Delete\tDel|57632"}));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
}

TEST_F(MenuTest, ItemsAreFoundByPositionOrByCommandInNestedPopups)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(136));
    CString text;
    EXPECT_EQ(menu.GetMenuString(57665, text, MF_BYCOMMAND), 5);
    EXPECT_EQ(text, "E&xit");
    char small[4];
    EXPECT_EQ(menu.GetMenuString(57665, small, sizeof small, MF_BYCOMMAND), 3);
    EXPECT_STREQ(small, "E&x");
    EXPECT_EQ(menu.GetMenuString(99, text, MF_BYCOMMAND), 0);
    EXPECT_EQ(menu.GetMenuItemID(7), static_cast<UINT>(-1));
    EXPECT_EQ(menu.GetSubMenu(9), nullptr);

    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file, menu.GetSubMenu(0)); // one temporary object per menu
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION), (4u << 8) | MF_POPUP);
    EXPECT_EQ(file->GetMenuState(1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(menu.GetMenuState(12345, MF_BYCOMMAND), static_cast<UINT>(-1));

    menu.DestroyMenu();
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_FALSE(menu.LoadMenu(999)); // no such menu
}

TEST_F(MenuTest, EnableAndCheckAnswerThePreviousState)
{
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(136));
    EXPECT_EQ(EnableMenuItem(menu, 57602, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 57602, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 57632, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu, 57632, MF_BYCOMMAND), MF_DISABLED | MF_GRAYED);
    EXPECT_EQ(CheckMenuItem(menu, 32826, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(GetMenuState(menu, 32826, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 32826, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    HMENU edit = GetSubMenu(menu, 1);
    EXPECT_EQ(EnableMenuItem(edit, 0, MF_BYPOSITION | MF_ENABLED), MF_DISABLED | MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(edit, 7, MF_BYPOSITION | MF_GRAYED), -1);
    EXPECT_EQ(CheckMenuItem(menu, 4711, MF_BYCOMMAND), static_cast<DWORD>(-1));
    DestroyMenu(menu);
}

TEST(MenuBuildTest, ItemsAreAppendedInsertedRemovedAndDeleted)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 10, "Ten");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 30, "Thirty");
    popup.InsertMenu(30, MF_BYCOMMAND | MF_STRING, 20, "Twenty");
    popup.InsertMenu(0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 5, "Five");
    HMENU nested = CreatePopupMenu();
    AppendMenu(nested, MF_STRING, 40, "Forty");
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "More");
    std::vector<UINT> ids;
    for (UINT i = 0; i < popup.GetMenuItemCount(); ++i)
        ids.push_back(popup.GetMenuItemID(static_cast<int>(i)));
    EXPECT_EQ(ids, (std::vector<UINT>{5, 10, 0, 20, 30, static_cast<UINT>(-1)}));
    EXPECT_EQ(popup.GetMenuState(5, MF_BYCOMMAND), MF_GRAYED);

    EXPECT_TRUE(popup.RemoveMenu(5, MF_BYPOSITION)); // the pop-up is handed back, not destroyed
    EXPECT_TRUE(IsMenu(nested));
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "More");
    EXPECT_TRUE(popup.DeleteMenu(5, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(nested));
    EXPECT_TRUE(popup.DeleteMenu(10, MF_BYCOMMAND));
    EXPECT_FALSE(popup.DeleteMenu(10, MF_BYCOMMAND));
    EXPECT_EQ(popup.GetMenuItemCount(), 4u);
    EXPECT_FALSE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "itself"));
}

TEST(MenuBuildTest, TheSystemMenuOfAWindowCanBeTrimmed)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop("Lock Progress"));
    CMenu* system = wnd.GetSystemMenu(FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->GetMenuItemCount(), 7u);
    EXPECT_TRUE(system->DeleteMenu(SC_SIZE, MF_BYCOMMAND));
    EXPECT_EQ(system->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(wnd.GetSystemMenu(FALSE), system);
    EXPECT_EQ(system->GetMenuItemCount(), 6u);
    EXPECT_EQ(wnd.GetSystemMenu(TRUE), nullptr);
    EXPECT_EQ(wnd.GetSystemMenu(FALSE)->GetMenuItemCount(), 7u);

    EXPECT_EQ(wnd.GetMenu(), nullptr);
    CMenu bar;
    bar.CreateMenu();
    EXPECT_TRUE(wnd.SetMenu(&bar));
    EXPECT_EQ(wnd.GetMenu(), &bar);
    bar.DestroyMenu();
    EXPECT_EQ(wnd.GetMenu(), nullptr);
}

namespace {

// An owner that greys 32773 whenever a pop-up opens.
class MenuOwner : public RecordingWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP)
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), 32773, MF_BYCOMMAND | MF_GRAYED);
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
};

std::vector<WPARAM> Commands(const RecordingWnd& wnd)
{
    std::vector<WPARAM> commands;
    for (const ReceivedMessage& m : wnd.received) {
        if (m.message == WM_COMMAND)
            commands.push_back(m.wParam);
    }
    return commands;
}

} // namespace

TEST_F(MenuTest, AContextMenuPostsTheCommandTheDriverChooses)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(134));
    vqui::ClearTranscript();
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectPopupMenu(57636);
        EXPECT_TRUE(menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner));
        const std::vector<vqui::UiEvent> seen = ui.Seen();
        ASSERT_EQ(seen.size(), 1u);
        ASSERT_EQ(seen[0].menu.size(), 4u);
        EXPECT_EQ(seen[0].menu[1].kind, vqui::MenuEntry::Kind::Separator);
        EXPECT_FALSE(seen[0].menu[2].enabled); // greyed by the owner as the menu opened
        EXPECT_EQ(seen[0].menu[3].items[0].id, 57636u);
    }
    EXPECT_EQ(owner.Count(WM_INITMENUPOPUP), 2); // the menu and its nested pop-up
    EXPECT_TRUE(Commands(owner).empty());        // posted, not sent
    vqwin::PumpPending();
    EXPECT_EQ(Commands(owner), std::vector<WPARAM>{57636});
    const std::vector<vqui::TranscriptEntry> transcript = vqui::Transcript();
    ASSERT_EQ(transcript.size(), 1u);
    EXPECT_EQ(vqui::Describe(transcript[0]),
              "popup menu [\"&Copy\tCtrl+C\" 57634 | - | \"&Parents...\" 32773 (greyed) | \"&More\" > "
              "[\"Find...\" 57636]] -> 57636");
}

TEST_F(MenuTest, AGreyedCommandCannotBeChosenAndNoDriverDismisses)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu menu;
    menu.LoadMenu(134);
    vqui::ClearTranscript();
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectPopupMenu(32773).ExpectPopupMenu(57634);
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 57634);
    }
    EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(0, 0, 0, &owner), TRUE);
    vqwin::PumpPending();
    EXPECT_TRUE(Commands(owner).empty()); // returned commands are not posted
    const std::vector<vqui::TranscriptEntry> transcript = vqui::Transcript();
    ASSERT_EQ(transcript.size(), 3u);
    EXPECT_NE(vqui::Describe(transcript[0]).find("-> dismissed (the driver's answer is not an enabled command"),
              std::string::npos);
    EXPECT_NE(vqui::Describe(transcript[2]).find("-> dismissed (no driver)"), std::string::npos);
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, nullptr, nullptr)); // no owner
}

TEST_F(MenuTest, TheScriptFailsWhenAMenuComesInsteadOfABox)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateTop());
    CMenu menu;
    menu.LoadMenu(134);
    EXPECT_NONFATAL_FAILURE(
        {
            vqtest::ScriptedUiDriver ui;
            ui.ExpectMessageBox("Sure?", IDYES);
            menu.GetSubMenu(0)->TrackPopupMenu(0, 0, 0, &owner);
        },
        "but was popup menu");
}

namespace {

constexpr ACCEL kTable137[] = {
    {FVIRTKEY | FCONTROL, 'C', 57634},
    {FVIRTKEY, VK_DELETE, 57632},
    {FVIRTKEY, VK_F1, 57670},
    {FVIRTKEY | FSHIFT, VK_F1, 57669},
    {0, '+', 32795},
    {FVIRTKEY, VK_DELETE, 57633},
};
constexpr ModuleAcceleratorTable kTables[] = {{137, kTable137}};
const ModuleResources kModule{{}, kTables};

struct AcceleratorTest : ::testing::Test {
    void SetUp() override { vqres::SetModuleResources(&kModule); }
    void TearDown() override { vqres::SetModuleResources(nullptr); }

    static WPARAM Translate(HACCEL table, UINT message, WPARAM key, RecordingWnd& target)
    {
        target.received.clear();
        MSG msg{target.m_hWnd, message, key, 0, 0, {0, 0}};
        if (!TranslateAccelerator(target.m_hWnd, table, &msg))
            return 0;
        std::vector<WPARAM> commands = Commands(target);
        return commands.size() == 1 ? commands[0] : static_cast<WPARAM>(-1);
    }
};

} // namespace

TEST_F(AcceleratorTest, TheModulesTablesAreLoadedAndCopied)
{
    HACCEL table = LoadAccelerators(nullptr, MAKEINTRESOURCE(137));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(137)), table);
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(136)), nullptr);
    ASSERT_EQ(CopyAcceleratorTable(table, nullptr, 0), 6);
    ACCEL entries[4]{};
    EXPECT_EQ(CopyAcceleratorTable(table, entries, 4), 4);
    EXPECT_EQ(entries[3].fVirt, FVIRTKEY | FSHIFT);
    EXPECT_EQ(entries[3].key, VK_F1);
    EXPECT_EQ(entries[3].cmd, 57669);

    HACCEL own = CreateAcceleratorTable(entries, 2);
    EXPECT_EQ(CopyAcceleratorTable(own, nullptr, 0), 2);
    EXPECT_TRUE(DestroyAcceleratorTable(own));
    EXPECT_EQ(CopyAcceleratorTable(own, nullptr, 0), 0);
}

TEST_F(AcceleratorTest, KeysWithExactlyTheirModifiersBecomeCommands)
{
    RecordingWnd frame;
    ASSERT_TRUE(frame.CreateTop());
    HACCEL table = LoadAccelerators(nullptr, MAKEINTRESOURCE(137));
    EXPECT_EQ(Translate(table, WM_KEYDOWN, VK_DELETE, frame), MAKEWPARAM(57632, 1)); // the first entry wins
    EXPECT_EQ(Translate(table, WM_KEYDOWN, 'C', frame), 0u);
    EXPECT_EQ(Translate(table, WM_KEYDOWN, VK_F1, frame), MAKEWPARAM(57670, 1));
    {
        vqwin::KeysHeld ctrl{VK_CONTROL};
        EXPECT_EQ(Translate(table, WM_KEYDOWN, 'C', frame), MAKEWPARAM(57634, 1));
        EXPECT_EQ(Translate(table, WM_KEYDOWN, VK_DELETE, frame), 0u); // Ctrl+Del is no entry
    }
    {
        vqwin::KeysHeld shift{VK_SHIFT};
        EXPECT_EQ(Translate(table, WM_KEYDOWN, VK_F1, frame), MAKEWPARAM(57669, 1));
    }
    EXPECT_EQ(Translate(table, WM_CHAR, '+', frame), MAKEWPARAM(32795, 1));
    EXPECT_EQ(Translate(table, WM_KEYUP, VK_DELETE, frame), 0u);
    EXPECT_EQ(Translate(nullptr, WM_KEYDOWN, VK_DELETE, frame), 0u);
}
