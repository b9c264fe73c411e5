// What the "FOLN" tabs of a Tarsk component and a Tarsk profile share: where the element's
// FOLN database is placed (QUB file number, pack, DUPLEX pack, page size) and its audit and
// keep-assigned settings, several of which show the business segment's values while they
// take their defaults. The plain tuning options are rows of the page's table; each page
// reads and writes the placement through its own record's options.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "proxy/PxForward.h"

#include <cstdint>
#include <optional>

class VqsTarskSegmentDefaults;

// The controls of the shared part, by id.
struct VqsTarskDbControls {
    UINT qubNumber;
    UINT noQub;
    UINT pack;
    UINT packDefault;
    UINT duplexPack;
    UINT duplexDefault;
    UINT noDuplex;
    UINT pageSize;
    UINT pageSizeDefault;
    UINT audited;
    UINT auditedDefault;
    UINT keepAssigned;
    UINT keepAssignedDefault;
};

// The placement as a record holds it. The audit-like settings are 0 for the default,
// 1 for yes and 2 for no. A QUB number or page size of 0 stands for none of its own; a page
// size that could not be read is none, and is neither shown nor written.
struct VqsTarskDbPlacement {
    std::int64_t qubNumber = 0;
    BOOL noQub = FALSE;
    CString pack;
    BOOL packDefault = FALSE;
    CString duplexPack;
    BOOL duplexDefault = FALSE;
    std::optional<std::int64_t> pageSize = 0;
    BOOL pageSizeDefault = FALSE;
    int audited = 0;
    int keepAssigned = 0;
};

class VqsOptionPageTarskElementDb : public VqsTableOptionPage {
public:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;

protected:
    // keepShownOnKeepAssignedOwn: clearing the keep-assigned "Use Default" leaves the value
    // shown, rather than showing the record's own one.
    VqsOptionPageTarskElementDb(VqsOptionsSheet* sheet, const VqsTarskSegmentDefaults& segment, UINT dialogId,
                                UINT captionId, int pageIndex, const VqsTarskDbControls& ids,
                                BOOL keepShownOnKeepAssignedOwn);

    virtual VqsTarskDbPlacement ReadPlacement() const = 0;
    virtual void WritePlacement(const VqsTarskDbPlacement& placement) = 0;
    // What the DUPLEX pack shows while it takes its default.
    virtual CString DefaultDuplexPackShown() const = 0;

    // The placement shown, after the table's values.
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Refuses the exchange with the message, the focus on the control.
    [[noreturn]] void Refuse(CDataExchange* pDX, UINT id, const char* message);
    // Refuses a number below the least value while its control is enabled.
    void RequireAtLeast(CDataExchange* pDX, VqsOptCtrlInt& box, UINT id, std::int64_t least);
    // The record's bounds of a number, when it has them.
    template <class Object, class Record>
    static void SetBounds(VqsOptCtrlInt& box, const Object& record, BOOL (Record::*lower)(std::int64_t&) const,
                          BOOL (Record::*upper)(std::int64_t&) const)
    {
        std::int64_t limit = 0;
        if ((record.*lower)(limit))
            box.SetMinimum(limit);
        if ((record.*upper)(limit))
            box.SetMaximum(limit);
    }
    void LimitText(UINT id, int characters);

    const VqsTarskSegmentDefaults& m_segment;
    const VqsTarskDbControls m_ids;
    VqsOptCtrlFlag m_noQub;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlFlag m_duplexDefault;
    VqsOptCtrlFlag m_noDuplex;
    VqsOptCtrlFlag m_pageSizeDefault;
    VqsOptCtrlFlag m_audited;
    VqsOptCtrlFlag m_auditedDefault;
    VqsOptCtrlFlag m_keepAssigned;
    VqsOptCtrlFlag m_keepAssignedDefault;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlCombo m_duplexPack;
    VqsOptCtrlCombo m_pageSize;
    VqsOptCtrlInt m_qubNumber;

private:
    BOOL HasQub() const { return m_qubNumber.GetValue() != 0; }
    // The design-side business segment of the element; null when it cannot be found, none
    // when it could not be read.
    std::optional<PxLSEBusinessSegmentPtr> DesignSegment() const;
    // What "Audited" shows while it takes its default; none when that could not be read.
    std::optional<BOOL> AuditedByDefault() const;
    void FillPackNames();
    void LoadPageSize(const VqsTarskDbPlacement& stored);
    void LoadDuplex(const VqsTarskDbPlacement& stored);
    void EnableDuplex();
    // The binder the notification changes, or null.
    VqsOptCtrl* ChangedBinder(UINT id, int code);
    void OnTaken(UINT id);
    void OnQubChanged();
    void OnNoQub();
    void OnPackDefault();
    void OnDuplexDefault();
    void OnNoDuplex();
    void OnPageSizeChanged();
    void OnPageSizeDefault();
    void OnValueBox(VqsOptCtrlFlag& value, VqsOptCtrlFlag& useDefault);
    void OnAuditedDefault();
    void OnKeepAssignedDefault();

    BOOL m_bKeepShownOnKeepAssignedOwn;
    int m_nStoredAudited = 0;
    int m_nStoredKeepAssigned = 0;
};
