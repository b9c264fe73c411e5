// The "Pack Allocation" page of a QSR business segment: the disk pack of each kind of file
// the generated system writes. A pack whose "Use default" box is set follows another pack
// of the page; the packs form a tree of defaults rooted in the default pack, and a change
// flows down to every pack that follows. The Internal TOLVE page hears of the database, ROC
// output and ad hoc info packs.
#pragma once

#include "options/VqsTableOptionPage.h"

#include <map>

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegPacks : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegPacks(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void LoadOptions() override;

    // The packs as shown while the page has a window, else as stored.
    CString GetCurrentDBPack() const;
    CString GetCurrentROCoutput() const;
    CString GetCurrentAdhocInfo() const;
    // "ROC Uses Database " changed on the Environment page.
    void OnROCusesDBChanged(int rocUsesDatabase);

protected:
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

private:
    // The packs that follow `source` take its value, and pass it on in turn.
    void Propagate(int source);
    void EnableRocFileLocation(BOOL rocUsesDatabase);
    // The pack of a "Use default" box that was set or cleared follows its source or not.
    void FollowDefaultBox(int pack);

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    std::map<int, VqsOptCtrlCombo*> m_combos;
    // The "Use default" boxes by the pack they are for, and those packs by box.
    std::map<int, VqsOptCtrlFlag*> m_boxes;
    std::map<int, int> m_boxCombos;
};
