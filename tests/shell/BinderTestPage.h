// An option page holding one binder of every kind, with the change handling of the
// module's option pages: a change the user makes is stored at once (without the strict
// checks), or taken back when the page refuses it or the store fails; OK and Apply store
// under strict checks. The fixture builds a resource library of the module's texts and
// this page's template.
#pragma once

#include "shell/VqsOptCtrlChar.h"
#include "shell/VqsOptCtrlColor.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsPropertyPage.h"
#include "shell/VqsPropertySheet.h"
#include "shell/VqsSysApp.h"

#include "support/ScopedResourceLibrary.h"
#include "support/TempDir.h"
#include "win/UiDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

constexpr UINT kBinderPage = 9101;
constexpr UINT kOtherPage = 9102;
constexpr int kFlag = 101;
constexpr int kFirstRadio = 111;
constexpr int kSecondRadio = 112;
constexpr int kThirdRadio = 113;
constexpr int kNumber = 121;
constexpr int kName = 131;
constexpr int kLetter = 141;
constexpr int kPack = 151;
constexpr int kColor = 161;
constexpr int kNotes = 171;

class BinderTestPage : public VqsPropertyPage {
public:
    // A valid pack name, which OK requires.
    BinderTestPage() : VqsPropertyPage(kBinderPage, 0) { pack.SetValue("OTHER"); }

    VqsDialogCtrlConnector& Connector() { return m_connector; }
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    // The control's text as the user sees it.
    std::string Text(int id) const;
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

    VqsOptCtrlFlag flag{&m_connector, kFlag};
    VqsOptCtrlRadio radio{&m_connector, kFirstRadio, kSecondRadio, kThirdRadio};
    VqsOptCtrlInt number{&m_connector, kNumber};
    VqsOptCtrlString name{&m_connector, kName, 8, 1};
    VqsOptCtrlChar letter{&m_connector, kLetter};
    VqsOptCtrlCombo pack{&m_connector, kPack, 3};
    VqsOptCtrlColor color{&m_connector, kColor};
    VqsOptCtrlString notes{&m_connector, kNotes, 0, 0};

    // Takes back every change, as a page does whose options may not be edited.
    BOOL refuseChanges = FALSE;
    // The ids of the controls whose changes were stored, in order.
    std::vector<int> stored;

private:
    void OnChanged(VqsOptCtrl& binder, int id);
    void OnFlagClicked() { OnChanged(flag, kFlag); }
    void OnRadioClicked() { OnChanged(radio, kFirstRadio); }
    void OnNumberChanged() { OnChanged(number, kNumber); }
    void OnNameChanged() { OnChanged(name, kName); }
    void OnLetterChanged() { OnChanged(letter, kLetter); }
    void OnPackChanged() { OnChanged(pack, kPack); }
    void OnColorChanged() { OnChanged(color, kColor); }
    void OnNotesChanged() { notes.CheckMultiLineLimits(660, 10, 66, TRUE); }
    DECLARE_MESSAGE_MAP()
};

// The module's texts with the test pages' templates, and the application for the captions.
struct BinderTest : ::testing::Test {
    BinderTest();
    void SetUp() override { vqui::ClearTranscript(); }

    vqtest::TempDir root;
    std::unique_ptr<vqtest::ScopedResourceLibrary> library;
    VqsSysApp app;
    BinderTestPage page;
    VqsPropertySheet sheet{"Options", nullptr, 0};
};

// The texts of the message boxes shown so far.
std::vector<std::string> ShownBoxes();
