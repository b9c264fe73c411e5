// The "Environment" page of the system EVENT options of a Tarsk business segment: the
// multiple-record maxima of Ispecs and reports, and the primary EVENT profile, chosen among
// the segment's profiles that are tied to events.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskSystemEVENTEnv : public VqsTableOptionPage {
public:
    VqsOptionPageTarskSystemEVENTEnv(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;

private:
    // The empty entry, then the profiles marked over-event; when none is marked, the
    // profiles that the design repository relates to an event.
    CStringArray EventProfiles() const;
    void AddDesignEventProfiles(const CStringArray& profiles, CStringArray& offered) const;

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    VqsOptCtrlInt& m_maximumInIspecs;
    VqsOptCtrlInt& m_maximumInReports;
    VqsOptCtrlCombo& m_primaryProfile;
};
