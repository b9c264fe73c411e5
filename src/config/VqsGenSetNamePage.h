// The "Add Generate Set" step of the New System and Add Business Segment wizards: the names
// and description of a first generate set, or the choice to add none, and the long-read
// locks on the enterprise's packs that the pack-conflict analysis of Next leaves held.
#pragma once

#include "config/VqsWizardPage.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"

class VqsHostWizard;

class VqsGenSetNamePage : public VqsWizardPage {
public:
    VqsGenSetNamePage(UINT templateId, int nameId, int secondNameId, int descriptionId, int noGenSetId);
    ~VqsGenSetNamePage() override;

    BOOL OnInitDialog() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // The name trimmed and the second name trimmed or derived, both shown; 0, after telling
    // the user, when a generate set is to be added and the name is empty or a derived second
    // name breaks its field's rule.
    int CheckNames();

    VqsOptCtrlString m_name;
    VqsOptCtrlString m_secondName;
    VqsOptCtrlString m_description;
    VqsOptCtrlFlag m_noGenSet;
    int m_bPackLocksHeld = 0;

protected:
    void OnNoGenSetClicked();
    // The fields enabled unless no generate set is to be added, and the buttons to match.
    void ShowGenSetChoice();
    // Gives back the pack locks an earlier Next left held in the sheet's pack bag.
    void ReleasePackLocks(VqsLockBag& packs);
    // The segment's initial packs on both platforms, into the wizard, and whether a pack of
    // `packNodes` clashes with them on each.
    static void FindPackClashes(VqsHostWizard& wizard, const CObList& packNodes, const CString& segment,
                                int& ntConflict, int& unixConflict);

private:
    DWORD GetWizardButtons() const;

    int m_nNameId;
    int m_nNoGenSetId;
};
