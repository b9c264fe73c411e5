// The directory view: the left pane of the system frame, the enterprise's generation
// configuration as a tree of VqsConfigTreeItem rows. It is the command target of almost
// every command of the system view; this class holds the command table with the rule that
// enables each command, the settings of the tree (sort mode, previous configurations,
// folders), the handle map of its items and the selection operations other commands use.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"
#include "shell/VqsTreeView.h"
#include "win/Collections.h"
#include "win/Printing.h"

#include <cstdint>
#include <vector>

class PxVQLink;
class VqsConfigTreeItem;
class VqsGenerateReportDlg;
class VqsLockBag;
class VqsModel;
class VqsModelNodeCurConfig;
class VqsNewBSLinkSheet;
class VqsNewSystemSheet;
class VqsSysFrame;
class VqsTreeItemBSSoftLink;
class VqsTreeItemEnterprise;
struct NMLISTVIEW;
struct VqsBSSyncRecord;
struct VqsElementSyncRecord;
struct NMLVKEYDOWN;

// What a report generation asks for: a report group, report links and whether every report
// of the selection goes.
struct VqsReportRequest {
    PxVQReportGroupPtr group;
    PxTypedList<PxVQReportSoftLinkPtr> reports;
    BOOL allReports = FALSE;
};

class VqsDirectoryView : public VqsTreeView {
public:
    // Folder bits of the folder display mask and of "Display folders".
    enum FolderBits : UINT {
        FolderIspecs = 1,
        FolderReports = 2,
        FolderProfiles = 4,
        FolderGlobalLogics = 8,
        FolderReportGroups = 16,
        FolderBundles = 32,
        FolderAll = 63,
    };

    // The print dialog of Printer Setup and of the default-printer test.
    static constexpr DWORD kPrintSetupFlags =
        PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;

    VqsDirectoryView();
    ~VqsDirectoryView() override;

    // The framework's first update: styles, the column, the root item, expanded.
    virtual void OnInitialUpdate();
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;

    void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink, PxVQElementSoftLinkPtr& elementLink,
                             PxVQGenSetPtr& genSet) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    void GetTabStops(const TEXTMETRIC* metrics, int* count, int** positions) override;
    // Keeps the tree in step with a change: hints 8 to 16 are node kinds, 17 a removal, 18 a
    // change made elsewhere and 19 new colours.
    void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related) override;

    VqsSysFrame* GetSysFrame() const;
    void PostUpdateAllCommands();
    void PostUpdateCommand(UINT id);

    // The system, business-segment link and element link all selected rows share.
    void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink, PxVQElementSoftLinkPtr& elementLink);
    void GetSelectedConfig(PxVQConfigPtr& config);
    PxVQCurConfigPtr GetSelectedCurConfig();
    VqsTreeItemBSSoftLink* GetSelectedBSItem();
    VqsConfigTreeItem* GetSelectedConfigItem();
    // The items of the selected rows, in list order.
    std::vector<VqsConfigTreeItem*> GetSelectedItems();
    BOOL CheckGenerateRight();
    // The inputs of the generation commands: the system's shown name (empty after a failure
    // was reported), and the generate sets of the configuration some host of the enterprise
    // can take (FALSE, after the message, when there are none).
    CString GetSystemText(const PxVQCurConfigPtr& config);
    BOOL CollectGenerateSets(const PxVQCurConfigPtr& config, PxTypedList<PxVQGenSetPtr>& genSets);
    BOOL CollectSelectedReports(VqsReportRequest& request);
    // The report triples of the reports the dialog chose (see VqsBuildReportSyncList).
    BOOL BuildReportSyncList(VqsGenerateReportDlg& dialog, VqsBSSyncRecord& reports,
                             const VqsElementSyncRecord& elements);
    // Whether a default printer exists; keeps its setup when the view holds none yet.
    BOOL HasDefaultPrinter();
    void Reload(VqsModel& model);
    // Recomputes what depends on the selection and tells the frame and the host.
    void OnSelectionChanged();
    // For a command or key the user gave on the selection while it is off: when another user
    // deleted a selected row's object meanwhile, tells the user once what went, has the views
    // drop its row and answers TRUE; FALSE when every selected object is there.
    BOOL TellSelectionGone() override;
    // The row of an item whose object another user deleted goes from this view, as the
    // removal's notice takes it (the item with it).
    void DropRowOfGone(VqsConfigTreeItem* item);
    // Sorts the rows into tree order with the current sort mode.
    void SortRows();

    // The handle map of the items.
    void RegisterItem(std::uint64_t key, VqsConfigTreeItem* item);
    void UnregisterItem(std::uint64_t key, VqsConfigTreeItem* item);
    VqsConfigTreeItem* FindItem(std::uint64_t key) const;
    VqsConfigTreeItem* FindItemOf(const PxObjectPtr& object) const;

    VqsTreeItemEnterprise* GetRootItem() const { return m_pRoot; }
    int GetSortMode() const { return m_nSortMode; }
    BOOL ShowsPreviousConfigs() const { return m_nPreviousConfigs != 0; }
    const PRINTDLG& GetPrinterSetup() const { return m_printerSetup; }

protected:
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    void OnClick(NMHDR* header, LRESULT* result);
    void OnDoubleClick(NMHDR* header, LRESULT* result);
    void OnContextMenu(CWnd* window, CPoint point);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnUpdateCommand(CCmdUI* cmdUI);

    // Tree commands.
    void OnSortByName();
    void OnSortByType();
    void OnTogglePreviousConfigs();
    void OnToggleFolder(UINT id);
    void OnShowAllFolders();
    void OnHideAllFolders();
    void OnExpand();
    void OnExpandBranch();
    void OnCollapse();
    void OnSetRoot();
    void OnResetRoot();
    void OnSetColors();
    void OnLoad();
    void OnPrinterSetup();
    void OnDelete();
    void OnOpenSelected();
    void OnOptions();
    void OnPrint();
    void OnNewSystem();
    // The generation commands.
    void OnGenerateSystem();
    void OnSynchronize();
    void OnExtract();
    void OnGenerateReports();
    void OnGenerateBundle();
    void OnReportDifferences();
    void OnShowGenerateStatus();
    void OnAddBusinessSegment();
    void SynchroniseKeptSegment(const PxVQCurConfigPtr& config);
    void OnTimer(UINT_PTR id);
    void OnParents();
    void OnNewReportGroup();
    void OnAddReport();
    void OnNewBundle();
    void OnAddIspec();

    DECLARE_MESSAGE_MAP()

private:
    void SetSortMode(int mode);
    void ShowAllFolders(BOOL show);
    void EnableHostMenuItem(BOOL enable);
    void ClearPrinterSetup();
    void RunCommand(UINT id);

    // Open and Options: the dialog of the single selected item; `mode` is the button that
    // closed a picker (0 for a plain open).
    void OpenSelectedItem(UINT mode);
    void RunPicker(VqsConfigTreeItem* item, int kind);
    BOOL SelectPickedItem(VqsConfigTreeItem* item, const PxVQObjectPtr& picked);
    void OpenSystemOptions(VqsConfigTreeItem* item);
    BOOL CheckSoftLinkOptions(VqsConfigTreeItem*& item, int kind, BOOL& parentOptions, PxVQSoftLinkPtr& link,
                              PxVQOptionSetPtr& optionSet);
    void OpenSoftLinkOptions(VqsConfigTreeItem* item, int kind);
    void OpenReportAlias(VqsConfigTreeItem* item);
    void OpenReportGroup(VqsConfigTreeItem* item);
    void OpenBundle(VqsConfigTreeItem* item, UINT mode);
    void ShowNoOptionsNotice();
    // The creations the New System and Add Business Segment wizards run at Finish: every
    // object the wizard describes, stored all at once or not at all; FALSE keeps the
    // wizard open.
    BOOL CreateNewSystem(VqsModel& model, VqsNewSystemSheet& sheet, PxVQSystemPtr& system);
    BOOL CreateSegmentEntry(VqsModel& model, VqsNewBSLinkSheet& sheet, VqsModelNodeCurConfig* config,
                            PxVQBSSoftLinkPtr& link);
    template <class Sheet>
    int CreateGenerateSet(VqsModel& model, Sheet& sheet, const PxVQCurConfigPtr& config,
                          const PxVQBSSoftLinkPtr& link);
    BOOL PrintReport(const std::vector<PxVQSoftLinkPtr>& links, const PxVQSystemPtr& system,
                     const PxVQBSSoftLinkPtr& segment, const PxVQOptionSetPtr& optionSet);

    BOOL CollectDeleteList(PxTypedList<PxVQObjectPtr>& objects);
    // Locks the node of the selected item's object, runs the dialog that makes a child of
    // it and selects the child's item.
    template <class Child, class Object, class Node>
    void RunAddCommand(BOOL underParent, Object (VqsConfigTreeItem::*objectOf)(),
                       Node* (VqsModel::*lockNode)(VqsLockBag&, const Object&),
                       Child (VqsModel::*runDialog)(VqsLockBag&, Node*));

    // Change notices.
    BOOL InsertUnder(VqsConfigTreeItem* parent, const PxVQObjectPtr& object);
    BOOL InsertInFolder(VqsTreeItemBSSoftLink* link, UINT kind, const PxVQObjectPtr& object);
    BOOL OnConfigChanged(const PxVQObjectPtr& object, const PxVQObjectPtr& related);
    BOOL OnBSLinkChanged(const PxVQObjectPtr& object, const PxVQObjectPtr& related);
    BOOL OnElementLinkChanged(const PxVQObjectPtr& object, const PxVQObjectPtr& related);
    BOOL OnGroupingChanged(UINT folder, const PxVQObjectPtr& object, const PxVQObjectPtr& related);
    void OnObjectRemoved(const PxVQObjectPtr& object, const PxVQObjectPtr* related);
    void RedrawMarkedRows();

    CMap<std::uint64_t, std::uint64_t, VqsConfigTreeItem*, VqsConfigTreeItem*> m_items{10};
    VqsTreeItemEnterprise* m_pRoot = nullptr;
    int m_nSortMode;
    int m_nPreviousConfigs;
    PRINTDLG m_printerSetup{};
    PxVQLink* m_pLink = nullptr;
    // The no-options notice in the status bar and the text it stands in for.
    static constexpr UINT_PTR kNoticeTimer = 1;
    static constexpr UINT kNoticeMilliseconds = 1500;
    BOOL m_bNoticeShown = FALSE;
    CString m_strStatusBeforeNotice;
};
