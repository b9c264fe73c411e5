#include "OptionsDialogHarness.h"

#include "options/VqsOptionsSheet.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxIspecOptions.h"
#include "win/CButton.h"
#include "win/CEdit.h"
#include "win/CTabCtrl.h"
#include "win/DisplayList.h"
#include "win/UserActions.h"

#include <utility>

namespace optionstest {

INT_PTR OptionsDialogHarness::Session(const PxVQSoftLinkPtr& link, const char* optionSet, UINT selectPage,
                                      const std::function<void()>& actions, BOOL endWithOk)
{
    OpenedOptions opened(link, OptionSet(optionSet), selectPage);
    m_pOpened = &opened;
    if (m_prepare)
        std::exchange(m_prepare, nullptr)(opened.Dialog());
    auto& script = ui.ExpectDialog(kOptionsDialog);
    if (m_whileOpening)
        std::exchange(m_whileOpening, nullptr)();
    script.Run(actions);
    if (endWithOk)
        script.OK();
    else
        script.Cancel();
    const INT_PTR result = opened.DoModal();
    m_pOpened = nullptr;
    ui.Verify();
    return result;
}

VqsSoftLinkOptionsDlg& OptionsDialogHarness::Dialog() { return m_pOpened->Dialog(); }

OptionsDialogHarness::Strings OptionsDialogHarness::Tabs()
{
    CTabCtrl* tabs = Dialog().GetSheet()->GetTabControl();
    Strings captions;
    for (int i = 0; i < tabs->GetItemCount(); ++i) {
        char text[128] = "";
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        tabs->GetItem(i, &item);
        captions.emplace_back(text);
    }
    return captions;
}

int OptionsDialogHarness::ActiveTab() { return Dialog().GetSheet()->GetActiveIndex(); }

void OptionsDialogHarness::ShowTab(int index) { ShowPage(Dialog(), index); }

HWND OptionsDialogHarness::Item(int id)
{
    HWND item = PageItem(Dialog(), id);
    EXPECT_TRUE(item) << "no control " << id << " on the page shown";
    return item;
}

void OptionsDialogHarness::Click(int id) { vqui::user::Click(Item(id)); }
void OptionsDialogHarness::Type(int id, const char* text) { vqui::user::ReplaceText(Item(id), text); }
void OptionsDialogHarness::SelectRow(int id, int index) { vqui::user::SelectIndex(Item(id), index); }
void OptionsDialogHarness::Choose(int id, const char* text) { vqui::user::SelectText(Item(id), text); }
BOOL OptionsDialogHarness::Checked(int id) { return ::SendMessage(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
BOOL OptionsDialogHarness::Enabled(int id) { return ::IsWindowEnabled(Item(id)); }
BOOL OptionsDialogHarness::Visible(int id) { return ::IsWindowVisible(Item(id)); }

OptionsDialogHarness::Colours OptionsDialogHarness::Painted(int id, const char* text)
{
    HWND control = Item(id);
    ::InvalidateRect(control, nullptr, TRUE);
    ::UpdateWindow(control);
    const vqwin::DisplayOp* shown = vqwin::GetWindowDisplayList(control)->FindText(text);
    return shown ? Colours{shown->color, shown->background} : Colours{0xFFFFFFFF, 0xFFFFFFFF};
}

std::string OptionsDialogHarness::Text(int id)
{
    char text[256] = "";
    ::GetWindowText(Item(id), text, sizeof(text));
    return text;
}

LRESULT OptionsDialogHarness::TextLimit(int id)
{
    return ::SendMessage(Item(id), EM_GETLIMITTEXT, 0, 0);
}

void OptionsDialogHarness::FailEveryRead(const char* operation)
{
    constexpr int kEveryRead = 100;
    PxFaultInjection::Throw(operation, "Injected repository failure", 0, kEveryRead);
}

void OptionsDialogHarness::ExpectUnread(int id)
{
    EXPECT_EQ(Text(id), "<not available>") << id;
    EXPECT_FALSE(Enabled(id)) << id;
}

} // namespace optionstest

namespace optionstest {

OptionsDialogHarness::Strings OptionsDialogHarness::ComboItems(int id)
{
    HWND combo = Item(id);
    Strings items;
    const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        ::SendMessage(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void OptionsDialogHarness::TickAndClearDefaultBox(int box, int value, const std::string& shown)
{
    Click(box);
    EXPECT_EQ(Text(value), shown);
    EXPECT_FALSE(Enabled(value));
    Click(box);
    EXPECT_EQ(Text(value), shown);
    EXPECT_TRUE(Enabled(value));
}

void OptionsDialogHarness::CheckDefaultsShowTheDefaultServiceAndStoreNoOwnValue(const char* optionSet)
{
    constexpr int kOltpPage = 1;
    constexpr int kUseDefaultService = 1110;
    constexpr int kService = 1405;
    SCOPED_TRACE(optionSet);
    Write([&] {
        StoredSegment<PxBSegOptionsPtr>(optionSet)->SetEnableOLTP(1);
        Options<PxIspecOptionsPtr>("ORDER", optionSet)->SetService("OWN");
    });
    const CString defaultService = Stored<PxIspecOptionsPtr>("ORDER", optionSet)->GetDefaultService();
    Session(Element("SYS1", "SALES", "ORDER"), optionSet, kOltpPage, [&] {
        ASSERT_FALSE(Checked(kUseDefaultService));
        Defaults();
        EXPECT_TRUE(Checked(kUseDefaultService));
        EXPECT_FALSE(Enabled(kService));
        EXPECT_EQ(Text(kService), defaultService.str());
        Click(kUseDefaultService);
        Click(kUseDefaultService);
        ApplyNow();
    });
    ui.Verify();
    const PxIspecOptionsPtr stored = Stored<PxIspecOptionsPtr>("ORDER", optionSet);
    EXPECT_TRUE(stored->IsDefaultService());
    EXPECT_EQ(stored->GetService(), defaultService);
}

} // namespace optionstest
