// The concrete typed list controls of the dialogs: the columns, texts, marks and row details
// of one kind of repository object each, and the little state their dialogs need. Each is
// subclassed onto a list-view control of its dialog, set up by Init (InitColumns for the
// generate-set list, SetReportGroup for the target report list), then filled.
#pragma once

#include "proxy/PxOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "shell/VqsTypedListCtrl.h"

#include <cstddef>
#include <span>
#include <unordered_map>

// A column whose text needs nothing but the row's object.
template <class T>
struct VqsListColumn {
    UINT headerId;
    CString (*text)(const T& object);
};

// A list whose columns are a fixed table of such columns; `Base` is the list it extends.
template <class T, class Base = VqsTypedListCtrl<T>>
class VqsTypedListCtrl_Columns : public Base {
public:
    explicit VqsTypedListCtrl_Columns(std::span<const VqsListColumn<T>> columns) : m_columns(columns) {}

    BOOL Init() { return this->InitColumns(); }

    unsigned GetColumnCount() override { return static_cast<unsigned>(m_columns.size()); }
    UINT GetColumnHeaderId(int column) override { return HasColumn(column) ? m_columns[column].headerId : 0; }
    CString GetColumnText(int subItem, const T& object) override
    {
        return HasColumn(subItem) ? m_columns[subItem].text(object) : CString();
    }

private:
    bool HasColumn(int column) const { return column >= 0 && static_cast<std::size_t>(column) < m_columns.size(); }

    std::span<const VqsListColumn<T>> m_columns;
};

// Links that no longer exist in the design: name, type, created, description; the mark
// shows the element's kind.
class VqsTypedListCtrl_DelElementLink : public VqsTypedListCtrl_Columns<PxVQElementSoftLinkPtr> {
public:
    VqsTypedListCtrl_DelElementLink();

    void GetItemMark(const PxVQElementSoftLinkPtr& link, VqsBitmapRef* mark) override;
    BOOL GetItemDetails(const PxVQElementSoftLinkPtr& link, VqsImageRef* image) override;
};

// Business-segment links that no longer exist in the design: name, created, description.
class VqsTypedListCtrl_DelBSLink : public VqsTypedListCtrl_Columns<PxVQBSSoftLinkPtr> {
public:
    VqsTypedListCtrl_DelBSLink();

    BOOL GetItemDetails(const PxVQBSSoftLinkPtr& link, VqsImageRef* image) override;
};

// What the two report lists share: the option set whose records mark a report as updated.
class VqsTypedListCtrl_ReportLinkBase : public VqsTypedListCtrl<PxVQReportSoftLinkPtr> {
public:
    VqsTypedListCtrl_ReportLinkBase();
    ~VqsTypedListCtrl_ReportLinkBase() override;

    // The same set again changes nothing; another set (or none) refreshes every row's mark.
    BOOL SetOptionSet(const PxVQOptionSetPtr& optionSet);
    BOOL GetItemDetails(const PxVQReportSoftLinkPtr& link, VqsImageRef* image) override;

protected:
    BOOL IsUpdatedInOptionSet(const PxVQReportSoftLinkPtr& link) const;

    PxVQOptionSetPtr m_pOptionSet;
    // Whether the set was present when given; then the updated flag of each link's record
    // in it, read once with it.
    BOOL m_bOptionSetPresent = FALSE;
    std::unordered_map<PxHandle, BOOL> m_updatedByLink;
};

// The other available reports: name, description.
class VqsTypedListCtrl_FromReportLink
    : public VqsTypedListCtrl_Columns<PxVQReportSoftLinkPtr, VqsTypedListCtrl_ReportLinkBase> {
public:
    VqsTypedListCtrl_FromReportLink();
};

// The reports to generate: name, version, and the name each is generated as.
class VqsTypedListCtrl_ToReportLink : public VqsTypedListCtrl_ReportLinkBase {
public:
    // Modes: 0 the report's name, 1 the name of the last generate, 2 a name typed by the
    // user, 3 the name given by the report group.
    struct AsNameStruct {
        PxVQReportSoftLinkPtr link;
        CString texts[4];
        int version = 0;
        int mode = 0;
    };

    VqsTypedListCtrl_ToReportLink();
    ~VqsTypedListCtrl_ToReportLink() override;
    BOOL SetReportGroup(const PxVQReportGroupPtr& group);
    PxVQReportGroupPtr GetReportGroup() const { return m_pReportGroup; }

    unsigned GetColumnCount() override;
    UINT GetColumnHeaderId(int column) override;
    CString GetColumnText(int subItem, const PxVQReportSoftLinkPtr& link) override;

    void AddAsName(const PxVQReportSoftLinkPtr& link, const char* name);
    // The entry's mode, with that mode's text; 1 (text untouched) for a link without entry.
    int GetAsName(const PxVQReportSoftLinkPtr& link, CString& name);
    void SetAsNameMode(const PxVQReportSoftLinkPtr& link, const char* text, int mode);
    CString GetAsNameText(const PxVQReportSoftLinkPtr& link, int mode);

    using VqsTypedListCtrl_ReportLinkBase::RemoveSelected;
    // The selected rows go with their entries: links flagged as no longer matching (or gone)
    // to `flagged`, the others to `plain`.
    void RemoveSelected(PxTypedList<PxVQReportSoftLinkPtr>& plain, PxTypedList<PxVQReportSoftLinkPtr>& flagged);
    void RemoveAll(PxTypedList<PxVQReportSoftLinkPtr>& links);

private:
    AsNameStruct* FindAsName(const PxVQReportSoftLinkPtr& link);
    void RemoveAsName(const PxVQReportSoftLinkPtr& link);

    PxVQReportGroupPtr m_pReportGroup;
    std::unordered_map<PxHandle, AsNameStruct> m_asNames;
};

// The Ispecs of a bundle: name, description.
class VqsTypedListCtrl_IspecBundleDataLink : public VqsTypedListCtrl_Columns<PxVQIspecSoftLinkPtr> {
public:
    VqsTypedListCtrl_IspecBundleDataLink();

    BOOL GetItemDetails(const PxVQIspecSoftLinkPtr& link, VqsImageRef* image) override;
};

// Generate sets with the packs a new business segment starts with: the defaults and what
// replaces them. Entries stay for the control's life, also for sets that leave the list.
class VqsTypedListCtrl_PackGSet : public VqsTypedListCtrl<PxVQGenSetPtr> {
public:
    struct PackStruct {
        PxVQGenSetPtr genSet;
        CString defaultPath;
        CString defaultTablespace;
        CString pathReplacement;
        CString tablespaceReplacement;
    };

    VqsTypedListCtrl_PackGSet();
    ~VqsTypedListCtrl_PackGSet() override;

    unsigned GetColumnCount() override;
    UINT GetColumnHeaderId(int column) override;
    CString GetColumnText(int subItem, const PxVQGenSetPtr& genSet) override;
    BOOL GetItemDetails(const PxVQGenSetPtr& genSet, VqsImageRef* image) override;

    void SetGenerateSets(PxTypedList<PxVQGenSetPtr>& genSets);
    CString GetPackText1(const PxVQGenSetPtr& genSet);
    CString GetPackText2(const PxVQGenSetPtr& genSet);
    CString GetPackText3(const PxVQGenSetPtr& genSet);
    CString GetPackText4(const PxVQGenSetPtr& genSet);
    // The defaults; the rows are not redrawn.
    void SetPackText(const PxVQGenSetPtr& genSet, const char* text);
    void SetPackText2(const PxVQGenSetPtr& genSet, const char* text);
    // The replacements; a listed set whose text changes is shown again.
    void SetPackTextIfChanged(const PxVQGenSetPtr& genSet, const char* text);
    void SetPackTextIfChanged2(const PxVQGenSetPtr& genSet, const char* text);

    PackStruct* FindPackStruct(const PxVQGenSetPtr& genSet);

private:
    // Null for a null generate set, which has no texts.
    PackStruct* FindOrAddPackStruct(const PxVQGenSetPtr& genSet);
    void ReplaceIfChanged(const PxVQGenSetPtr& genSet, CString PackStruct::*text, const char* value);

    CList<PackStruct> m_packs{10};
};
