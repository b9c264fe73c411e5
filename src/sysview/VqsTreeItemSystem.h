// The upper levels of the directory tree: the enterprise with its systems, a system with
// its current configuration and the holder of its previous configurations, and the
// configurations, whose children are business-segment links.
#pragma once

#include "proxy/PxVQEnterprise.h"
#include "sysview/VqsConfigTreeItem.h"

#include <cstdint>
#include <vector>

class VqsDirectoryView;

class VqsTreeItemEnterprise : public VqsConfigTreeItem {
public:
    VqsTreeItemEnterprise(VqsDirectoryView* view, const PxVQEnterprisePtr& enterprise);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    void WalkChildren(const std::vector<VqsTreeItem*>& children, const ChildVisit& visit) override;
    VqsListView* GetView() override;
    VqsTreeView* GetTreeView() override;
    VqsDirectoryView* GetDirectoryView() override { return m_pView; }
    BOOL CanCreateSystem() override { return TRUE; }
    BOOL CanLoad() override { return TRUE; }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_enterprise; }
    BOOL ShowsPreviousConfigurations() override;
    BOOL SortsByType() override;
    BOOL RefreshTexts() override;

private:
    // The configurations of the systems, and the sizes of their lists of segment links, read
    // together for the systems' items to take as they are made.
    void ReadConfigsAhead(const std::vector<PxObjectPtr>& systems, ReadAhead& ahead, ListSizes& sizes);
    // The segment links of the configurations and what their folders read, for all of them
    // together; answers how many objects that is.
    static std::size_t ReadBranchesAhead(ReadAhead& ahead, const std::vector<PxObjectPtr>& configs);
    // The configuration of a system about to be filled; null for any other child.
    static PxObjectPtr ConfigAwaitingFill(VqsTreeItem* child);

    PxVQEnterprisePtr m_enterprise;
    CString m_strName;
    CString m_strText;
    VqsDirectoryView* m_pView;
};

class VqsTreeItemOldConfigs;

class VqsTreeItemSystem : public VqsConfigTreeItem {
public:
    VqsTreeItemSystem(VqsTreeItem* parent, const PxVQSystemPtr& system);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strText; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override;
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    BOOL CanExtract() override { return TRUE; }
    BOOL CanAddBusinessSegment() override;
    void OnViewSettingsChanged(UINT hint) override;
    PxVQSystemPtr GetSystem() override { return m_system; }
    PxVQConfigPtr GetConfig() override;
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    PxVQObjectPtr GetObject() override { return m_system; }
    UINT GetContextMenuId() override { return 295; }
    BOOL RefreshTexts() override;

    VqsTreeItemOldConfigs* FindOldConfigsItem();
    // Whether a business-segment link of the current configuration is pending (status 0).
    BOOL HasPendingLink();

private:
    BOOL ReadTexts(BOOL readPending);
    // The current configuration as the parent's fill read it ahead, else as the system gives it.
    PxVQCurConfigPtr ReadCurConfig() const;
    void ReadLinkFlags(BOOL readPending);
    VqsConfigTreeItem* FindCurConfigItem();

    PxVQSystemPtr m_system;
    PxVQCurConfigPtr m_curConfig;
    CString m_strName;
    CString m_strDescription;
    CString m_strText;
    BOOL m_bPendingLink = FALSE;
    BOOL m_bPendingKnown = FALSE;
    BOOL m_bHasLinks = FALSE;
};

class VqsTreeItemConfig : public VqsConfigTreeItem {
public:
    VqsTreeItemConfig(VqsTreeItem* parent, const PxVQConfigPtr& config);

    // The links of an old configuration are read-only.
    virtual BOOL IsOld() = 0;

    const char* GetDisplayText() override { return GetText(); }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL UsesSpecialColour() override { return TRUE; }
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    PxVQConfigPtr GetConfig() override { return m_config; }
    PxVQObjectPtr GetObject() override { return m_config; }

protected:
    PxVQConfigPtr m_config;
};

class VqsTreeItemCurConfig : public VqsTreeItemConfig {
public:
    VqsTreeItemCurConfig(VqsTreeItem* parent, const PxVQCurConfigPtr& config);

    BOOL IsOld() override { return FALSE; }
    const char* GetText() override;
    BOOL CountsAsChild() override;
    BOOL CanAddBusinessSegment() override;
    void OnViewSettingsChanged(UINT hint) override;
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    BOOL RefreshTexts() override { return FALSE; }

private:
    PxVQCurConfigPtr m_curConfig;
};

class VqsTreeItemOldConfiguration : public VqsTreeItemConfig {
public:
    VqsTreeItemOldConfiguration(VqsTreeItem* parent, const PxVQOldConfigPtr& config);

    BOOL IsOld() override { return TRUE; }
    const char* GetText() override { return m_strText; }
    BOOL IsOpenable() override;
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int& kind) override;
    BOOL RefreshTexts() override;

    std::int64_t GetGenerationTime() const { return m_generationTime; }

private:
    CString m_strHostName;
    CString m_strText;
    CString m_strFromOSName;
    std::int64_t m_generationTime = 0;
    PxVQOldConfigPtr m_oldConfig;
};

class VqsTreeItemOldConfigs : public VqsConfigTreeItem {
public:
    VqsTreeItemOldConfigs(VqsTreeItem* parent, const PxVQSystemPtr& system);

    const char* GetText() override;
    const char* GetDisplayText() override { return GetText(); }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL IsOpenable() override { return GetState() != Leaf; }
    BOOL UsesSpecialColour() override { return TRUE; }
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    void OnViewSettingsChanged(UINT hint) override;
    PxVQConfigPtr GetConfig() override { return PxVQConfigPtr(); }
    void Reload(VqsModel& model) override;
    BOOL GetObjectKind(int&) override { return FALSE; }
    BOOL RefreshTexts() override { return FALSE; }

private:
    PxVQSystemPtr m_system;
};

// Removes the item from its place: it becomes visible through its listed parent when no
// shown parent is left, else it goes with its children.
void VqsRemoveOrReveal(VqsConfigTreeItem* item, UINT hint);
