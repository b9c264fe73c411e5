// The "Wrenfield Test" page of a QSR business segment: the two host servers the test tool
// talks to, the host database server (enabled, port) and the remote subroutine server
// (remote CALL statements, port, data translation, language, code set and two disks).
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegWrenfieldTest : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegWrenfieldTest(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

private:
    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_enableHdba;
    VqsOptCtrlInt& m_hdbaPort;
    VqsOptCtrlFlag& m_useDefaultHdbaPort;
    VqsOptCtrlFlag& m_enableRemoteCall;
    VqsOptCtrlInt& m_lrssPort;
    VqsOptCtrlFlag& m_useDefaultLrssPort;
    VqsOptCtrlFlag& m_dataTranslation;
    VqsOptCtrlString& m_language;
    VqsOptCtrlString& m_codeSet;
    VqsOptCtrlString& m_primaryDisk;
    VqsOptCtrlString& m_secondaryDisk;
};
