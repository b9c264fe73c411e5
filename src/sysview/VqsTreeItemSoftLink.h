// The directory tree from the business-segment links of a configuration down: the
// business-segment link with the caches its folders fill from and its folder switches, the
// element links, the automatic profiles of an Ispec, report groups with their aliases and
// bundles with their Ispec entries.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"
#include "sysview/VqsConfigTreeItem.h"

#include <cstdint>

class VqsTreeFolder;

class VqsTreeItemSoftLink : public VqsConfigTreeItem {
public:
    VqsTreeItemSoftLink(VqsTreeItem* parent, const PxVQSoftLinkPtr& link);

    BOOL GetOverlayImage(VqsImageRef& image) override;
    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override;
    PxVQObjectPtr GetObject() override { return m_link; }
    BOOL RefreshTexts() override;
    // 0 business segment, 1 component, 2 event, 3 report, 4 profile, 5 global logic.
    virtual int GetElementKind() = 0;

    int GetStatus() const { return m_nStatus; }

protected:
    PxVQSoftLinkPtr m_link;
    CString m_strName;
    // The short name, whatever the session shows.
    CString m_strKeyName;
    std::int64_t m_refTime = 0;
    std::int64_t m_createdTime = 0;
    CString m_strDescription;
    int m_nStatus = 0;
    int m_nUpdated = 0;
    // The row text, made when it is first shown after the texts were read: a search reads
    // many links whose rows it never shows.
    CString m_strText;
    bool m_bTextMade = false;
};

class VqsTreeItemBSSoftLink : public VqsTreeItemSoftLink {
public:
    VqsTreeItemBSSoftLink(VqsTreeItem* parent, const PxVQBSSoftLinkPtr& link, BOOL oldConfig);

    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    BOOL Update() override;
    void UpdateState() override;
    BOOL IsEditableBSLink() override { return !m_bOldConfig; }
    BOOL CanAddReportGroup() override { return !m_bOldConfig; }
    void ShowFolders(UINT mask, BOOL show, int arg) override;
    PxVQBSSoftLinkPtr GetBSSoftLink() override { return m_bsLink; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    UINT GetContextMenuId() override { return 296; }
    int GetElementKind() override { return 0; }

    BOOL IsReadOnly() const { return m_bOldConfig; }
    UINT GetFolderMask() const { return m_nFolderMask; }
    // The caches the folders fill from.
    const CMap<std::uint64_t, std::uint64_t, PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>&
    GetElementLinks() const
    {
        return m_elementLinks;
    }
    const PxTypedList<PxVQReportGroupPtr>& GetReportGroups() const { return m_reportGroups; }
    const PxTypedList<PxVQBundlePtr>& GetBundles() const { return m_bundles; }
    void UpdateElementLinkCache(const PxVQElementSoftLinkPtr& link, BOOL present);
    void UpdateReportGroupCache(const PxVQReportGroupPtr& group, BOOL present);
    void UpdateBundleCache(const PxVQBundlePtr& bundle, BOOL present);
    // The folder child that holds the element link's kind; null for none.
    VqsTreeFolder* FindFolderFor(const PxVQElementSoftLinkPtr& link);
    VqsTreeFolder* FindFolder(UINT kind);

private:
    void ReadCaches();

    PxVQBSSoftLinkPtr m_bsLink;
    BOOL m_bOldConfig;
    UINT m_nFolderMask;
    CMap<std::uint64_t, std::uint64_t, PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&> m_elementLinks{10};
    PxTypedList<PxVQReportGroupPtr> m_reportGroups;
    PxTypedList<PxVQBundlePtr> m_bundles;
};

class VqsTreeItemElementSoftLink : public VqsTreeItemSoftLink {
public:
    VqsTreeItemElementSoftLink(VqsTreeItem* parent, const PxVQElementSoftLinkPtr& link);

    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    void UpdateState() override {}
    PxVQElementSoftLinkPtr GetElementSoftLink() override { return m_elementLink; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    UINT GetContextMenuId() override { return 297; }

    // Makes the item of a link that appeared in the repository, by the link's class; null
    // for a class without items (and for a profile shown as an automatic profile).
    static VqsTreeItemElementSoftLink* CreateElementLinkItem(VqsConfigTreeItem* parent,
                                                             const PxVQElementSoftLinkPtr& link, BOOL insertRows);

protected:
    // Whether the business-segment link above is read-only.
    BOOL UnderReadOnlyLink();

    PxVQElementSoftLinkPtr m_elementLink;
};

class VqsTreeItemIspecSoftLink : public VqsTreeItemElementSoftLink {
public:
    VqsTreeItemIspecSoftLink(VqsTreeItem* parent, const PxVQIspecSoftLinkPtr& link);

    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL UsesSpecialColour() override;
    BOOL AllowsOptionsWhenMarked() override { return UsesSpecialColour(); }
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    BOOL RefreshTexts() override;
    int GetElementKind() override { return m_nIspecType == 0 ? 2 : 1; }

private:
    void ReadIspecType();

    PxVQIspecSoftLinkPtr m_ispecLink;
    int m_nIspecType = 0;
};

class VqsTreeItemProfileSoftLink : public VqsTreeItemElementSoftLink {
public:
    using VqsTreeItemElementSoftLink::VqsTreeItemElementSoftLink;
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    int GetElementKind() override { return 4; }
};

class VqsTreeItemReportSoftLink : public VqsTreeItemElementSoftLink {
public:
    using VqsTreeItemElementSoftLink::VqsTreeItemElementSoftLink;
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    UINT GetContextMenuId() override { return 298; }
    int GetElementKind() override { return 3; }
};

class VqsTreeItemGLSoftLink : public VqsTreeItemElementSoftLink {
public:
    using VqsTreeItemElementSoftLink::VqsTreeItemElementSoftLink;
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL UsesSpecialColour() override;
    int GetElementKind() override { return 5; }
};

class VqsTreeItemAutoProfile : public VqsConfigTreeItem {
public:
    VqsTreeItemAutoProfile(VqsTreeItem* parent, const PxVQProfileSoftLinkPtr& link, BOOL readOnly);

    BOOL GetOverlayImage(VqsImageRef& image) override;
    const char* GetText() override { return m_strOrdinate; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    BOOL IsAutomatic() override { return TRUE; }
    void FillChildren(int insertRows) override;
    void UpdateState() override {}
    PxVQElementSoftLinkPtr GetElementSoftLink() override { return m_profile; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_profile; }
    BOOL RefreshTexts() override;

private:
    PxVQProfileSoftLinkPtr m_profile;
    int m_nStatus = 0;
    int m_nUpdated = 0;
    BOOL m_bReadOnly;
    CString m_strOrdinateName;
    CString m_strDescription;
    CString m_strOrdinate;
    CString m_strText;
};

class VqsTreeItemGroup : public VqsConfigTreeItem {
public:
    VqsTreeItemGroup(VqsTreeItem* parent, const PxVQReportGroupPtr& group);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    BOOL CanAddReport() override { return TRUE; }
    void OnReportLinkRemoved(const PxObjectPtr& link) override;
    PxVQReportGroupPtr GetReportGroup() override { return m_group; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_group; }
    UINT GetContextMenuId() override { return 299; }
    BOOL RefreshTexts() override;

private:
    PxVQReportGroupPtr m_group;
    CString m_strName;
    CString m_strDescription;
    CString m_strText;
};

class VqsTreeItemReportAlias : public VqsConfigTreeItem {
public:
    // The alias's report link as read with its group's other aliases.
    VqsTreeItemReportAlias(VqsTreeItem* parent, const PxVQReportSoftLinkAliasPtr& alias,
                           const PxVQReportSoftLinkPtr& report);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    void UpdateState() override {}
    PxVQElementSoftLinkPtr GetElementSoftLink() override { return m_report; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_alias; }
    UINT GetContextMenuId() override { return 313; }
    BOOL RefreshTexts() override;

    PxVQReportSoftLinkPtr GetReportLink() const { return m_report; }

private:
    // Shows the report link (null when gone); nonzero when the texts changed.
    BOOL ShowReport(const PxVQReportSoftLinkPtr& report);

    PxVQReportSoftLinkAliasPtr m_alias;
    PxVQReportSoftLinkPtr m_report;
    CString m_strName;
    CString m_strGenerateAs;
    CString m_strDescription;
    CString m_strText;
};

class VqsTreeItemBundle : public VqsConfigTreeItem {
public:
    VqsTreeItemBundle(VqsTreeItem* parent, const PxVQBundlePtr& bundle, BOOL oldConfig);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    BOOL CanAddIspec() override;
    void OnIspecLinkRemoved(const PxObjectPtr& link) override;
    PxVQBundlePtr GetBundle() override { return m_bundle; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_bundle; }
    UINT GetContextMenuId() override { return 300; }
    BOOL RefreshTexts() override;

    BOOL IsReadOnly() const { return m_bOldConfig; }

private:
    PxVQBundlePtr m_bundle;
    CString m_strName;
    CString m_strDescription;
    CString m_strText;
    BOOL m_bOldConfig;
};

class VqsTreeItemIspecBundleData : public VqsConfigTreeItem {
public:
    // The entry's Ispec link as read with its bundle's other entries.
    VqsTreeItemIspecBundleData(VqsTreeItem* parent, const PxVQIspecBundleDataPtr& entry,
                               const PxVQIspecSoftLinkPtr& ispec, BOOL oldConfig);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    void UpdateState() override {}
    PxVQElementSoftLinkPtr GetElementSoftLink() override { return m_ispec; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_entry; }
    BOOL RefreshTexts() override;

    PxVQIspecSoftLinkPtr GetIspecLink() const { return m_ispec; }

private:
    // Shows the Ispec link (null when gone); nonzero when the texts changed.
    BOOL ShowIspec(const PxVQIspecSoftLinkPtr& ispec);

    PxVQIspecBundleDataPtr m_entry;
    PxVQIspecSoftLinkPtr m_ispec;
    int m_nIspecType = 0;
    CString m_strName;
    CString m_strDescription;
    CString m_strText;
    BOOL m_bOldConfig;
};
