#include "OptionsDialogHarness.h"

#include "options/VqsOptionsSheet.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxOptionField.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptions.h"
#include "win/CButton.h"
#include "win/CEdit.h"
#include "win/CTabCtrl.h"
#include "win/DisplayList.h"
#include "win/UserActions.h"

#include <algorithm>
#include <sstream>
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

OptionsDialogHarness::Strings OptionsDialogHarness::StoredDump() const
{
    std::ostringstream out;
    PxRepositoryDump::Write(*app.GetLink(), out);
    Strings lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

OptionsDialogHarness::Strings OptionsDialogHarness::ValuesInForce(const PxOptionsPtr& record)
{
    Strings values;
    for (const PxOptionField* field : record->GetOptionFields()) {
        for (int index = 0; index < std::max(field->indexCount, 1); ++index) {
            const std::string name =
                field->indexCount ? std::string(field->name) + "[" + std::to_string(index) + "]" : field->name;
            values.push_back(name + " = " + record->GetOptionValueText(*field, index).str());
        }
    }
    PxTypedList<PxVQOptionsPtr> subOptions;
    PxVQOptionsPtr(record)->GetListOfSubOptions(subOptions);
    for (POSITION pos = subOptions.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr sub = subOptions.GetNext(pos);
        for (const std::string& value : ValuesInForce(PxOptionsPtr(sub)))
            values.push_back(sub->GetName().str() + "." + value);
    }
    return values;
}

OptionsDialogHarness::Strings OptionsDialogHarness::Changes(Strings before, Strings after)
{
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    Strings gone;
    Strings come;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(come));
    const auto trimmed = [](const std::string& line) { return line.substr(line.find_first_not_of(' ')); };
    Strings changes;
    for (const std::string& line : gone)
        changes.push_back("- " + trimmed(line));
    for (const std::string& line : come)
        changes.push_back("+ " + trimmed(line));
    return changes;
}

OptionsDialogHarness::Strings OptionsDialogHarness::ChangesNaming(const Strings& changes, const std::string& option)
{
    Strings naming;
    for (const std::string& change : changes)
        if (change.find(option + "[") != std::string::npos || change.find(option + " =") != std::string::npos)
            naming.push_back(change);
    return naming;
}

OptionsDialogHarness::Strings OptionsDialogHarness::ChangesAfterAFailedRead(
    const std::function<PxOptionsPtr()>& record, const std::vector<const char*>& unread,
    const std::function<void(BOOL failing)>& session)
{
    session(FALSE);
    const Strings values = ValuesInForce(record());
    const Strings dump = StoredDump();
    for (const char* operation : unread)
        FailEveryRead(operation);
    session(TRUE);
    PxFaultInjection::Reset();
    const Strings stored = Changes(dump, StoredDump());
    for (const std::string operation : unread)
        EXPECT_EQ(ChangesNaming(stored, operation.substr(operation.find("::Get") + 5)), Strings{}) << operation;
    return Changes(values, ValuesInForce(record()));
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
