// The platform-neutral pages of an Ispec's options: "Environment" (painter colours) and
// "OLTP" (the service name).
#pragma once

#include "options/VqsColourSample.h"
#include "options/VqsOptionsSheet.h"
#include "options/VqsTableOptionPage.h"

#include "win/Gdi.h"

class CDC;

class VqsOptionPageIspecEnv : public VqsTableOptionPage {
public:
    VqsOptionPageIspecEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    // Paints "Sample Text" in the chosen colours while the page's own colours are in force.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlKind);
    DECLARE_MESSAGE_MAP()

    VqsOptions_Ispec_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag& m_usePainter;
    VqsOptCtrlColor& m_background;
    VqsOptCtrlColor& m_foreground;
    VqsColourSample m_sample;
};

class VqsOptionPageIspecOLTP : public VqsTableOptionPage {
public:
    VqsOptionPageIspecOLTP(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    // OLTP applies: the business segment has it, and the Ispec is not an output-only one.
    BOOL IsOltpApplicable() const;

    VqsOptions_Ispec_Sheet* m_pTypedSheet;
    VqsOptCtrlString& m_service;
    VqsOptCtrlFlag& m_useDefaultService;
};
