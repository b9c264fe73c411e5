// The platform-neutral pages of a business segment's options: "Environment", "Generate",
// "OLTP", "Glimmerdesk" and "Quorbit". The pages of each platform derive from them (or, for
// the last two, build them with their own templates) and add their options to the table.
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options/VqsTableOptionPage.h"
#include "win/CCheckListBox.h"

// No option of its own: the platform pages add theirs.
class VqsOptionPageBSegEnv : public VqsTableOptionPage {
public:
    VqsOptionPageBSegEnv(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    VqsOptions_BSeg_Sheet* m_pTypedSheet;
};

class VqsOptionPageBSegGenerate : public VqsTableOptionPage {
public:
    VqsOptionPageBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void OnAsDatabaseChanged();
    DECLARE_MESSAGE_MAP()

    VqsOptions_BSeg_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag& m_fullKeshOff;
    VqsOptCtrlString& m_asSystem;
    VqsOptCtrlFlag& m_useDefaultName;
    // Not in the table: a Tarsk database name is shown cut to 7 characters, and only a
    // change of the user is stored, so that a longer stored name is never cut silently.
    VqsOptCtrlString m_asDatabase;
};

class VqsOptionPageBSegOLTP : public VqsTableOptionPage {
public:
    VqsOptionPageBSegOLTP(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

    VqsOptions_BSeg_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag& m_enableOltp;
    VqsOptCtrlFlag& m_loadConfig;
    VqsOptCtrlInt& m_transTimeout;
    VqsOptCtrlRadio& m_clientServer;
};

class VqsOptionPageBSegPCE : public VqsTableOptionPage {
public:
    VqsOptionPageBSegPCE(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    // The capability as the page shows it, or as stored while the page has no window.
    BOOL GetPCECapable();

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

    VqsOptions_BSeg_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag& m_capable;
    VqsOptCtrlCombo& m_level;
};

class VqsOptionPageBSegActiveKESH : public VqsTableOptionPage {
public:
    VqsOptionPageBSegActiveKESH(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The text an output directory is stored as: without a last backslash, except a root's.
    static CString StoredOutputDirectory(CString directory);
    // The names of the bundle text ("A,B,"): each name with its closing comma.
    static BOOL IsBundleChosen(const CString& bundles, const CString& name);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    void OnBundleListChanged();
    void OnBrowseBatchFile();
    void OnBrowseOutputDirectory();
    DECLARE_MESSAGE_MAP()

    VqsOptions_BSeg_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag& m_capable;
    VqsOptCtrlString& m_applicationName;
    VqsOptCtrlString& m_packagePrefix;
    VqsOptCtrlString& m_outputDirectory;
    VqsOptCtrlString& m_batchFile;
    VqsOptCtrlFlag& m_generateAllBundles;
    CCheckListBox m_bundles;
};
