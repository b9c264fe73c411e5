// The "Environment" pages of QSR components and events. The QSR Ispec layer adds the user
// privilege and the subsystem, shown by name although the record keeps its number; the
// component page adds the pack, the expected number and the high-frequency flag, the event
// page the monthly volume. Input Ispecs have no expected number, pack or volume: those
// controls show "not available" and are never written.
#pragma once

#include "options/VqsOptionPagesIspec.h"
#include "win/Collections.h"

#include <map>
#include <optional>
#include <string>

class VqsOptions_Ispec_QSR_Sheet;
class VqsOptions_Component_QSR_Sheet;
class VqsOptions_Event_QSR_Sheet;

class VqsOptionPageQSRIspecEnv : public VqsOptionPageIspecEnv {
public:
    VqsOptionPageQSRIspecEnv(VqsOptions_Ispec_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    VqsOptions_Ispec_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlInt& m_userPrivilege;
    VqsOptCtrlCombo m_subsystem;

private:
    void LoadSubsystems();
    // The number to store for the name chosen; empty keeps the stored number (a name not in
    // the list, or an unknown stored number left as it was shown).
    CString ChosenSubsystemNumber() const;

    std::map<std::string, CString> m_subsystemNumbers;
    CString m_strShownSubsystem;
    BOOL m_bStoredSubsystemKnown = FALSE;
};

class VqsOptionPageQSRComponentEnv : public VqsOptionPageQSRIspecEnv {
public:
    VqsOptionPageQSRComponentEnv(VqsOptions_Component_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    // The pack the page shows while it has a window, else the stored one.
    std::optional<CString> GetCurrentCompPack() const;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

    VqsOptions_Component_QSR_Sheet* m_pComponentSheet;
    VqsOptCtrlFlag& m_highFrequency;
    VqsOptCtrlCombo& m_pack;
    VqsOptCtrlFlag& m_useDefaultPack;
    VqsOptCtrlInt& m_expected;
};

class VqsOptionPageQSREventEnv : public VqsOptionPageQSRIspecEnv {
public:
    VqsOptionPageQSREventEnv(VqsOptions_Event_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;

    VqsOptCtrlInt& m_volume;
};
