#include "BinderTestPage.h"

#include "shell/VqsWindowText.h"
#include "win/UiDriver.h"

#include <cstdlib>
#include <filesystem>

BEGIN_MESSAGE_MAP(BinderTestPage, VqsPropertyPage)
    ON_BN_CLICKED(kFlag, &BinderTestPage::OnFlagClicked)
    ON_BN_CLICKED(kFirstRadio, &BinderTestPage::OnRadioClicked)
    ON_BN_CLICKED(kSecondRadio, &BinderTestPage::OnRadioClicked)
    ON_BN_CLICKED(kThirdRadio, &BinderTestPage::OnRadioClicked)
    ON_EN_CHANGE(kNumber, &BinderTestPage::OnNumberChanged)
    ON_EN_CHANGE(kName, &BinderTestPage::OnNameChanged)
    ON_EN_CHANGE(kLetter, &BinderTestPage::OnLetterChanged)
    ON_CBN_SELCHANGE(kPack, &BinderTestPage::OnPackChanged)
    ON_CBN_EDITCHANGE(kPack, &BinderTestPage::OnPackChanged)
    ON_CBN_SELCHANGE(kColor, &BinderTestPage::OnColorChanged)
    ON_EN_CHANGE(kNotes, &BinderTestPage::OnNotesChanged)
END_MESSAGE_MAP()

BOOL BinderTestPage::OnInitDialog()
{
    CStringList packs;
    for (const char* text : {"PACK1", "PACKAGE", "OTHER"})
        packs.AddTail(text);
    pack.SetItems(packs);
    for (const char* text : {"Black", "White", "Green", "Red", "Blue", "Yellow", "Magenta", "Cyan"})
        ::SendMessage(Item(kColor), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    VqsPropertyPage::OnInitDialog();
    for (VqsOptCtrl* binder : std::initializer_list<VqsOptCtrl*>{&flag, &radio, &number, &name, &letter, &pack, &color, &notes})
        binder->SaveState();
    return TRUE;
}

BOOL BinderTestPage::OnApply()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    return UpdateData(TRUE);
}

void BinderTestPage::OnChanged(VqsOptCtrl& binder, int id)
{
    if (!binder.SaveStateAndCompare())
        return;
    if (refuseChanges || !UpdateData(TRUE)) {
        binder.Revert();
        return;
    }
    stored.push_back(id);
}

std::string BinderTestPage::Text(int id) const { return VqsGetWindowText(Item(id)).str(); }

BinderTest::BinderTest()
{
    namespace fs = std::filesystem;
    const char* resources = std::getenv("VQ_RESOURCES");
    const fs::path library = fs::path(root.Path()) / "bindertests";
    fs::create_directories(library);
    fs::copy(fs::path(resources ? resources : "resources") / "vqsysres", library / "vqsysres", fs::copy_options::recursive);
    fs::copy(vqtest::SourceFolder("tests/shell/resources/bindertests"), library / "pages", fs::copy_options::recursive);
    this->library = std::make_unique<vqtest::ScopedResourceLibrary>("bindertests", root.Path());
    sheet.AddPage(&page);
}

std::vector<std::string> ShownBoxes()
{
    std::vector<std::string> texts;
    for (const vqui::TranscriptEntry& entry : vqui::Transcript()) {
        if (entry.event.kind == vqui::EventKind::MessageBox)
            texts.push_back(entry.event.text.str());
    }
    return texts;
}
