// The "Generate" pages of an NT and a Unix business segment: SQL views, the install
// confirmation, the generate environment, parallel compiles and the default compile type
// beside the platform-neutral options. The NT page adds the database id, the host database
// access interface and the EVENT cluster index, chosen among the profiles over the event.
#pragma once

#include "options/VqsOptionPagesBSeg.h"

class VqsOptionPageNTBSegGenerate : public VqsOptionPageBSegGenerate {
public:
    VqsOptionPageNTBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    void OnCompileTypeClicked() { OnOptionChanged(&m_compileType, FALSE); }
    DECLARE_MESSAGE_MAP()

private:
    // The names of the segment's profiles over the event, in the segment's order.
    CStringArray EventProfiles() const;

    VqsOptCtrlFlag& m_generateInterface;
    VqsOptCtrlFlag& m_enableInterface;
    VqsOptCtrlInt& m_parallelCompiles;
    VqsOptCtrlCombo& m_clusterIndex;
    VqsOptCtrlFlag& m_useDefaultClusterIndex;
    // Not in the table: a stored type without a button shows the first one, and no button
    // chosen stores nothing.
    VqsOptCtrlRadio m_compileType;
};

class VqsOptionPageUnixBSegGenerate : public VqsOptionPageBSegGenerate {
public:
    VqsOptionPageUnixBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void OnCompileTypeClicked() { OnOptionChanged(&m_compileType, FALSE); }
    DECLARE_MESSAGE_MAP()

private:
    // ".OBJ" and ".INT": a stored type of another button (2 or 3) shows none checked and stays
    // the value, to be stored back unchanged, until the user picks one.
    class CompileTypeRadio : public VqsOptCtrlRadio {
    public:
        CompileTypeRadio(VqsDialogCtrlConnector* connector, UINT obj, UINT intermediate);

    protected:
        void ExchangeValue(CDataExchange* pDX) override;

    private:
        BOOL AnyChecked() const;

        UINT m_ids[2];
    };

    VqsOptCtrlInt& m_parallelCompiles;
    CompileTypeRadio m_compileType;
};
