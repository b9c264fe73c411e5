// The "Environment" tabs of the Tarsk component and event sheets: the painter colours of
// every Ispec, the subsystem object module, and for a component its inter-database access
// and multiple-record maxima, for an event its monthly volume.
#pragma once

#include "options/VqsOptionPagesIspec.h"

class VqsOptions_Ispec_Tarsk_Sheet;
class VqsOptions_Component_Tarsk_Sheet;
class VqsOptions_Event_Tarsk_Sheet;

class VqsOptionPageTarskIspecEnv : public VqsOptionPageIspecEnv {
public:
    VqsOptionPageTarskIspecEnv(VqsOptions_Ispec_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    // The user privilege has no control here, but an own value of it counts as a change.
    BOOL IsNotUpdated() override;

protected:
    VqsOptions_Ispec_Tarsk_Sheet* m_pTarskIspecSheet;
};

class VqsOptionPageTarskComponentEnv : public VqsOptionPageTarskIspecEnv {
public:
    VqsOptionPageTarskComponentEnv(VqsOptions_Component_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

private:
    void HideForUsage();
    void EnableAccess();

    VqsOptions_Component_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag& m_internalAndExternal;
    VqsOptCtrlFlag& m_externalOnly;
    VqsOptCtrlFlag& m_allowExternal;
    VqsOptCtrlInt& m_maximumInIspecs;
    VqsOptCtrlInt& m_maximumInReports;
};

class VqsOptionPageTarskEventEnv : public VqsOptionPageTarskIspecEnv {
public:
    VqsOptionPageTarskEventEnv(VqsOptions_Event_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

private:
    VqsOptions_Event_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlInt& m_volume;
};
