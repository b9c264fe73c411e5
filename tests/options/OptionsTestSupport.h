// What the option framework tests share: a session on a copy of the sample under the
// scripted driver (with the lock thread's progress dialog let be), and the options dialog
// of an element opened as the directory view opens it.
#pragma once

#include "../model/ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOption.h"
#include "options/VqsSoftLinkOptionsDlg.h"
#include "proxy/PxLink.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScriptedUiDriver.h"

#include <memory>

namespace optionstest {

constexpr UINT kOptionsDialog = 144;
constexpr UINT kLockProgressDialog = 105;

constexpr int kApplyNow = 1001;
constexpr int kUndo = 1065;
constexpr int kDefaults = 1024;
constexpr int kSeparateCompile = 1017;
constexpr int kObjectModule = 33083;
constexpr int kElementCombo = 1020;
constexpr int kOptionSetCombo = 1023;

// The options dialog of one element link in one option set, with the model and the read
// locks its creator holds.
class OpenedOptions {
public:
    OpenedOptions(const PxVQSoftLinkPtr& link, const PxVQOptionSetPtr& optionSet, UINT selectPage = 0);

    VqsSoftLinkOptionsDlg& Dialog() { return *m_dialog; }
    INT_PTR DoModal() { return m_dialog->DoModal(); }
    VqsModelNodeLink* LinkNode() const { return m_linkNode; }

private:
    VqsModel m_model;
    VqsLockBag m_creatorBag{VqsReadLock};
    VqsModelNodeLink* m_linkNode = nullptr;
    std::unique_ptr<VqsSoftLinkOptionsDlg> m_dialog;
};

// Runs `write` in a repository transaction of the link and commits it.
template <class Write>
void Commit(PxLink& link, Write write)
{
    link.BeginTransaction();
    write();
    link.CommitTransaction();
}

// The user picks a page's tab.
void ShowPage(VqsSoftLinkOptionsDlg& dialog, int page);
// A control of the sheet's active page.
HWND PageItem(VqsSoftLinkOptionsDlg& dialog, int id);
// The tab image of a page.
int TabImage(VqsSoftLinkOptionsDlg& dialog, int page);
// The user's actions on the sheet's active page.
void ClickOnPage(VqsSoftLinkOptionsDlg& dialog, int id);
void TypeOnPage(VqsSoftLinkOptionsDlg& dialog, int id, const char* text);
BOOL IsCheckedOnPage(VqsSoftLinkOptionsDlg& dialog, int id);

// Only the platform-neutral sheets (and the global-logic sheets) take records from now on,
// whatever platform sheets the module registers: the framework's own pages on any record.
void UsePlatformNeutralSheets();

struct OptionsTest : ModelTest {
    vqtest::ScriptedUiDriver ui;

    // The model has no option node for the records of plain Ispecs yet: a test node stands
    // in, so that reading an option set does not stop at them.
    OptionsTest();

    PxVQOptionSetPtr OptionSet(const char* name) const;
    // The texts of the message boxes shown so far (without the dialogs).
    static std::vector<std::string> MessageBoxes();
    // The element's options record in the option set.
    template <class Ptr>
    Ptr Options(const char* element, const char* optionSet) const
    {
        return Ptr(Element("SYS1", "SALES", element)->GetOptions(OptionSet(optionSet)));
    }
};

} // namespace optionstest
