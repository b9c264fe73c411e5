// The child sheet of the pack definition dialog: one page per platform record of the
// association of a pack with a host (Windows, UNIX, OS Tarsk, QSR). It opens on the page of
// the dialog's host; the keyboard cannot switch pages. Its tabs show whether each record
// holds data and whether it was changed. A page that is changed asks the dialog for its edit
// locks first; applying stores the changed pages in the caller's transaction, and their
// pages count as saved only once that transaction has committed.
#pragma once

#include "proxy/PxVQHostPackData.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsPropertyPage.h"
#include "win/CImageList.h"
#include "win/CPropertySheet.h"

#include <memory>

class VqsPackAssociationsSheet;
class VqsPackSpecDlg;
class VqReportableException;

class VqsPackAssociationPage : public VqsPropertyPage {
public:
    // What a change may have to put back: the two flags, restored with the tab image.
    class PageState : public CObject {
    public:
        explicit PageState(VqsPackAssociationPage* page);
        void Restore();

    private:
        VqsPackAssociationPage* m_pPage;
        BOOL m_bModified;
        BOOL m_bEmpty;
    };

    VqsPackAssociationPage(VqsPackAssociationsSheet* sheet, UINT templateId, UINT captionId, int pageIndex);
    ~VqsPackAssociationPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Writes the controls into the record; FALSE when the values are refused.
    virtual BOOL StoreAssociation() = 0;
    virtual BOOL IsAssociationEmpty() = 0;
    // Reads the record into the controls.
    virtual void LoadAssociation() = 0;

    void ReloadPage();
    void UpdateTabImage();
    // Asks the dialog for its edit locks; the page counts as changed when they are granted.
    BOOL BeginModify(BOOL* reloaded);
    // A control changed: TRUE when the change is accepted, else the control shows its value
    // again.
    BOOL OnAssociationChanged(VqsOptCtrl* control);
    // Stores the page's record when it is changed (reading the controls first when asked)
    // in the caller's transaction; FALSE fails that transaction.
    BOOL ApplyPage(BOOL updateData);
    // The transaction of the stored record ended: once committed, the page is no longer
    // changed; otherwise it stays changed.
    void EndStore(BOOL committed);
    PxVQHostPackDataPtr GetHostPackData() const;

    BOOL IsModified() const { return m_bModified; }
    BOOL IsStored() const { return m_bStored; }

protected:
    VqsPackAssociationsSheet* m_pSheet;
    BOOL m_bModified = FALSE;
    BOOL m_bEmpty = FALSE;
    int m_nPageIndex;

private:
    // Stored in the open transaction, and whether the record then held no data.
    BOOL m_bStored = FALSE;
    BOOL m_bStoredEmpty = FALSE;
};

// The Windows and UNIX pages: a path and a tablespace or filegroup, each enabled by the
// pack's type.
class VqsPackAssociationPagePath : public VqsPackAssociationPage {
public:
    static constexpr int IDC_PATH = 1371;
    static constexpr int IDC_TABLE = 1372;

    VqsPackAssociationPagePath(VqsPackAssociationsSheet* sheet, UINT templateId, UINT captionId, int pageIndex);

    BOOL StoreAssociation() override;
    BOOL IsAssociationEmpty() override;
    void LoadAssociation() override;
    void RefreshPathEnabling();

    VqsOptCtrlString m_path;
    VqsOptCtrlString m_table;

protected:
    // The record of the page's platform.
    virtual CString GetPath() = 0;
    virtual CString GetTable() = 0;
    virtual void SetRecord(const char* path, const char* table) = 0;
    virtual BOOL RecordHasData() = 0;

    void OnPathChanged() { OnAssociationChanged(&m_path); }
    void OnTableChanged() { OnAssociationChanged(&m_table); }

    DECLARE_MESSAGE_MAP()
};

class VqsPackAssociationPageNT : public VqsPackAssociationPagePath {
public:
    VqsPackAssociationPageNT(VqsPackAssociationsSheet* sheet, int pageIndex);

protected:
    CString GetPath() override;
    CString GetTable() override;
    void SetRecord(const char* path, const char* table) override;
    BOOL RecordHasData() override;
};

class VqsPackAssociationPageUnix : public VqsPackAssociationPagePath {
public:
    VqsPackAssociationPageUnix(VqsPackAssociationsSheet* sheet, int pageIndex);

protected:
    CString GetPath() override;
    CString GetTable() override;
    void SetRecord(const char* path, const char* table) override;
    BOOL RecordHasData() override;
};

class VqsPackAssociationPageTarsk : public VqsPackAssociationPage {
public:
    static constexpr int IDC_FIXED = 1360;
    static constexpr int IDC_EQUIPMENT = 1361;
    static constexpr int IDC_ACR_NAME = 1362;
    static constexpr int IDC_PACK_ID_1 = 1363;
    static constexpr int kPackIds = 8;

    VqsPackAssociationPageTarsk(VqsPackAssociationsSheet* sheet, int pageIndex);
    ~VqsPackAssociationPageTarsk() override;

    BOOL OnInitDialog() override;
    BOOL StoreAssociation() override;
    BOOL IsAssociationEmpty() override;
    void LoadAssociation() override;

    VqsOptCtrlFlag m_fixed;
    VqsOptCtrlString m_equipment;
    VqsOptCtrlString m_acrName;
    std::unique_ptr<VqsOptCtrlString> m_packIds[kPackIds];

protected:
    void OnFixedStorageClicked();
    void OnEquipmentChanged() { OnAssociationChanged(&m_equipment); }
    void OnAcrNameChanged() { OnAssociationChanged(&m_acrName); }
    template <int N>
    void OnPackIdChanged()
    {
        OnAssociationChanged(m_packIds[N].get());
    }

    DECLARE_MESSAGE_MAP()

private:
    // The equipment type is entered only for removable storage, the pack ids too.
    void EnableByFixedFlag(BOOL fixed);
};

class VqsPackAssociationPageQSR : public VqsPackAssociationPage {
public:
    VqsPackAssociationPageQSR(VqsPackAssociationsSheet* sheet, int pageIndex);

    BOOL StoreAssociation() override { return TRUE; }
    BOOL IsAssociationEmpty() override { return TRUE; }
    void LoadAssociation() override {}
};

class VqsPackAssociationsSheet : public CPropertySheet {
public:
    static constexpr int kPageCount = 4;

    VqsPackAssociationsSheet(VqsPackSpecDlg* owner, const PxVQHostPackDataPtr& association);
    ~VqsPackAssociationsSheet() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Shows the association of another pack or host; FALSE (the previous one kept) when it
    // cannot be read.
    BOOL SetHostPackData(const PxVQHostPackDataPtr& association);
    const PxVQHostPackDataPtr& GetHostPackData() const { return m_pAssociation; }
    // Stores every changed page in the caller's transaction, from the first; FALSE at the
    // first page that refuses, which becomes the active page.
    BOOL ApplyAll();
    // The caller's transaction ended: committed pages count as saved and the dialog is told;
    // otherwise the pages stay changed.
    void EndApply(BOOL committed);
    BOOL AnyPageModified();
    void RefreshPathEnabling();
    VqsPackAssociationPage* GetPage(int index);
    void SetPageStateImage(int pageIndex, BOOL empty, BOOL modified);
    void RefreshAllTabImages();

    // The dialog's side; each does nothing without a dialog.
    BOOL BeginEdit(BOOL* reloaded);
    void ReportError(const VqReportableException& error);
    int GetPackType();
    // The page of the dialog's host type: NT 0, UNIX 1, OS Tarsk 2, any other 3.
    int GetActivePageForHost();

    CImageList m_imageList;

private:
    VqsPackSpecDlg* m_pOwner;
    PxVQHostPackDataPtr m_pAssociation;
    VqsPackAssociationPageNT m_ntPage;
    VqsPackAssociationPageUnix m_unixPage;
    VqsPackAssociationPageTarsk m_tarskPage;
    VqsPackAssociationPageQSR m_qsrPage;
};

// The page index of a host type.
int VqsPackAssociationPageOfHostType(int hostType);
