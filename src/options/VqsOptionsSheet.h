// The property sheet of the option pages of one options record, embedded in the options
// dialog of an element: the pages' states on their tabs, the order in which modified pages
// are applied, and the pages' requests (edit lock, read-only state, error reports) passed on
// to the dialog.
#pragma once

#include "proxy/PxBSegOptions.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "win/CImageList.h"
#include "win/CPropertySheet.h"

#include <functional>

class VqsModelNodeLink;
class VqsOptionPage;
class VqsSoftLinkOptionsDlg;

class VqsOptionsSheet : public CPropertySheet {
public:
    VqsOptionsSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options, UINT selectPage);
    ~VqsOptionsSheet() override;

    BOOL OnInitDialog() override;
    // The help id of the sheet, for the dialog's Help button.
    virtual UINT GetHelpContextId() = 0;
    // Takes a new options record and reloads the open pages; FALSE leaves the record as it
    // was (an empty, vanished or wrongly typed record, or a page that could not load it).
    virtual BOOL SetOptions(const PxOptionsPtr& options) = 0;
    // The dialog's event-view flag has changed.
    virtual void SetEventView(BOOL eventView);

    // What the pages ask of the options dialog.
    BOOL IsReadOnly() const;
    BOOL BeginEdit(BOOL& reloaded);
    void CommitToModel();
    BOOL ApplyNow();
    void ReportError(const VqException& error);
    void RefreshViews();
    VqsModelNodeLink* GetOptionNode() const;

    const PxOptionsPtr& GetOptions() const { return m_pOptions; }
    // For the options of an element: its business segment's record of the same option set.
    const PxBSegOptionsPtr& GetBSegOptions() const { return m_pBSegOptions; }
    CImageList& GetTabImages() { return m_imageList; }

    // The page at the index; null outside the pages or for a page of another class.
    VqsOptionPage* GetOptionPage(int index) const;
    void SetPageStateImage(int pageIndex, BOOL atDefaults, BOOL modified);
    void RefreshPageImages();
    BOOL AnyPageModified() const;
    // Applies the modified pages (only the active one when asked): those with own values
    // first, then those at defaults.
    BOOL ApplyAllPages(BOOL onlyActivePage);
    // TRUE refuses the apply of a page that returns the record to its defaults; `clearMark`
    // tells whether the element's updated mark is to be cleared.
    BOOL ConfirmAllDefaults(int pageIndex, BOOL& clearMark);

protected:
    // TRUE when the dialog shows the page set of the input Ispecs of a Tarsk or QSR option set.
    static BOOL InEventView(const VqsSoftLinkOptionsDlg* ownerDialog);
    // A page that the event view leaves out: the flag takes it off, clearing the flag puts it
    // back at the end of the tab row.
    void ShowOutsideEventView(CPropertyPage* page, BOOL eventView);
    BOOL OnHelpInfo(HELPINFO* info);
    // Reloads every page that has a window. On a failure `restore` puts the previous record
    // back, the pages reloaded so far are reloaded again and 61502 is shown.
    BOOL ReloadOpenPages(const std::function<void()>& restore);
    void KeepOptions(const PxOptionsPtr& options) { m_pOptions = options; }
    DECLARE_MESSAGE_MAP()

private:
    // Applies the modified pages of one pass; FALSE stops the apply.
    BOOL ApplyPass(BOOL atDefaultsPass, BOOL onlyActivePage, BOOL& applied, BOOL& refused);
    void HideSheetButtons();
    void CutOffButtonRow();

    CImageList m_imageList;
    VqsSoftLinkOptionsDlg* m_pOwnerDialog;
    PxOptionsPtr m_pOptions;
    PxBSegOptionsPtr m_pBSegOptions;
};

// A sheet over the records of one class; the typed record is always the same object as
// the options.
template <class Record, class RecordPtr>
class VqsOptionsSheetTemplate : public VqsOptionsSheet {
public:
    VqsOptionsSheetTemplate(VqsSoftLinkOptionsDlg* ownerDialog, const RecordPtr& options, UINT selectPage)
        : VqsOptionsSheet(ownerDialog, PxOptionsPtr(options), selectPage), m_pTypedOptions(options)
    {
    }

    BOOL SetOptions(const PxOptionsPtr& options) override
    {
        const RecordPtr typed = PresentRecord(options);
        if (!typed)
            return FALSE;
        const RecordPtr kept = m_pTypedOptions;
        Keep(typed);
        return ReloadOpenPages([&] { Keep(kept); });
    }

    const RecordPtr& GetTypedOptions() const { return m_pTypedOptions; }

private:
    // A record of another class counts as no record: the pages would read nothing.
    static RecordPtr PresentRecord(const PxOptionsPtr& options)
    {
        try {
            return options && options->ObjectPresent() ? RecordPtr(options) : RecordPtr();
        } catch (const VqReportableException& error) {
            if (VqsIsLostConnection(error))
                throw;
            return RecordPtr();
        }
    }

    void Keep(const RecordPtr& record)
    {
        m_pTypedOptions = record;
        KeepOptions(PxOptionsPtr(record));
    }

    RecordPtr m_pTypedOptions;
};

// One typed level of a platform sheet over its base: the level keeps the record as its own
// class beside the levels below. SetOptions takes the new record as the level's class and
// hands on to the level below; a record of another class, or a refusal further down, puts
// the level's previous record back.
template <class Base, class RecordPtr>
class VqsTypedSheetLevel : public Base {
public:
    BOOL SetOptions(const PxOptionsPtr& options) override
    {
        const RecordPtr kept = m_pLevelOptions;
        m_pLevelOptions = RecordPtr(options);
        if (m_pLevelOptions && Base::SetOptions(options))
            return TRUE;
        m_pLevelOptions = kept;
        return FALSE;
    }

protected:
    VqsTypedSheetLevel(VqsSoftLinkOptionsDlg* ownerDialog, const RecordPtr& options, UINT selectPage)
        : Base(ownerDialog, options, selectPage), m_pLevelOptions(options)
    {
    }

    const RecordPtr& GetLevelOptions() const { return m_pLevelOptions; }

private:
    RecordPtr m_pLevelOptions;
};

// The platform-neutral sheets of the element kinds, under the per-platform sheets.
class VqsOptions_BSeg_Sheet : public VqsOptionsSheetTemplate<PxBSegOptions, PxBSegOptionsPtr> {
public:
    using VqsOptionsSheetTemplate::VqsOptionsSheetTemplate;
    // A page tells the other pages of the sheet about a change of its own.
    virtual void OnPageNotify(int notification);
};

class VqsOptions_Ispec_Sheet : public VqsOptionsSheetTemplate<PxIspecOptions, PxIspecOptionsPtr> {
public:
    using VqsOptionsSheetTemplate::VqsOptionsSheetTemplate;
};

// The profile pages keep each other in step through these; the platform sheets fill them.
class VqsOptions_Profile_Sheet : public VqsOptionsSheetTemplate<PxProfileOptions, PxProfileOptionsPtr> {
public:
    using VqsOptionsSheetTemplate::VqsOptionsSheetTemplate;
    virtual void SyncPackEnabling();
    virtual void CopyPackToStorage();
    virtual void SyncExpectedNumberEnabling();
    virtual void CopyExpectedNumberToStorage();
    virtual void CopyPackToEnv();
    virtual void CopyExpectedNumberToEnv();
};

class VqsOptions_Report_Sheet : public VqsOptionsSheetTemplate<PxReportOptions, PxReportOptionsPtr> {
public:
    using VqsOptionsSheetTemplate::VqsOptionsSheetTemplate;
};
