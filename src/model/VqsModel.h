// The in-memory mirror of the session's enterprise that one operation builds on the stack:
// the enterprise root, read lazily one child list at a time, and the index of its nodes by
// the handle map key of their objects.
#pragma once

#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsGSetPackReplacement.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxLSEElement.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQReportGroup.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class VqsListsAhead;
class VqsLockBag;
struct VqsCreation;
struct VqsCreationLocks;
class VqsModelNodeBSLink;
class VqsModelNodeBundle;
class VqsModelNodeConfig;
class VqsModelNodeCurConfig;
class VqsModelNodeElementLink;
class VqsModelNodeGenSet;
class VqsModelNodeIspecBundleData;
class VqsModelNodeLink;
class VqsModelNodeOption;
class VqsModelNodeOldConfig;
class VqsModelNodeOSet;
class VqsModelNodePack;
class VqsModelNodePackAssociation;
class VqsModelNodeRepAlias;
class VqsModelNodeRepGroup;
class VqsModelNodeSystem;

class PxHandle;
class VqsBSLock;

// What the store of a new design element made: its element link's node and, for a
// component whose design parts give a profile, that profile and its link's node.
struct VqsStoredElement {
    VqsModelNodeElementLink* elementNode = nullptr;
    PxLSEProfilePtr profile;
    VqsModelNodeElementLink* profileNode = nullptr;
};

class VqsModel : public CObject {
public:
    // Attaches the application's enterprise to the root.
    explicit VqsModel(int flag = 0);
    ~VqsModel() override;
    VqsModel(const VqsModel&) = delete;
    VqsModel& operator=(const VqsModel&) = delete;

    int GetFlag() const { return m_nFlag; }
    VqsModelNodeEnterprise& GetRootNode() { return m_root; }
    // Attaches an enterprise to a root that has none yet.
    void SetEnterprise(const PxVQEnterprisePtr& enterprise);

    // The node of an object: from the index alone, nothing is read.
    VqsModelNode* LookupNode(const PxObjectPtr& object) const;
    INT_PTR GetIndexCount() const { return m_index.GetCount(); }
    void EnterInIndex(std::uint64_t key, VqsModelNode* node);
    // Removes the key only while it still names this node.
    void RemoveFromIndex(std::uint64_t key, VqsModelNode* node);
    // Drops the option nodes of records that went with their soft links, so that no walk of
    // an option set meets a record that is gone.
    void DropOptionNodes(const PxTypedList<PxOptionsPtr>& records);
    // The lists read ahead for the loads running now (VqsListsAheadScope); null for none.
    VqsListsAhead* GetListsAhead() const { return m_pListsAhead; }
    VqsListsAhead* ExchangeListsAhead(VqsListsAhead* ahead) { return std::exchange(m_pListsAhead, ahead); }

    // The node of one repository object, loading the lists on the way down from the nearest
    // node the model has; null when there is none. Repository failures are reported here.
    VqsModelNodeSystem* FindSystemNodeOfCurConfig(PxVQSystemPtr system);
    VqsModelNodeCurConfig* FindCurConfigNode(PxVQCurConfigPtr config);
    VqsModelNodeConfig* FindConfigNode(PxVQConfigPtr config);
    VqsModelNodeOSet* FindOptionSetNode(PxVQOptionSetPtr optionSet);
    VqsModelNodeGenSet* FindGenSetNode(PxVQGenSetPtr genSet);
    VqsModelNodePack* FindPackNode(PxVQPackInformationPtr pack);
    VqsModelNodePackAssociation* FindPackAssociationNode(PxVQHostPackDataPtr data);
    VqsModelNodeBSLink* FindConfigNodeOfBSLink(PxVQBSSoftLinkPtr link);
    VqsModelNodeRepGroup* FindReportGroupNode(PxVQReportGroupPtr group);
    VqsModelNodeRepAlias* FindRepAliasNode(PxVQReportSoftLinkAliasPtr alias);
    VqsModelNodeBundle* FindBundleNode(PxVQBundlePtr bundle);
    VqsModelNodeIspecBundleData* FindIspecBundleDataNode(PxVQIspecBundleDataPtr data);
    VqsModelNodeOption* FindOptionNode(PxOptionsPtr options);
    VqsModelNodeElementLink* FindElementLinkNode(PxVQElementSoftLinkPtr link);
    VqsModelNodeLink* FindOptionNodeOfOSet(PxVQSoftLinkPtr link);

    // The node of an object a tree item shows, made (without a notice) below the node of its
    // parent object; null when the model has no node of the parent.
    VqsModelNodeHost* GetHostNode(const PxVQHostInformationPtr& host);
    VqsModelNodeSystem* GetSystemNode(const PxVQSystemPtr& system);
    VqsModelNodeCurConfig* GetCurConfigNode(const PxVQCurConfigPtr& config, const PxVQSystemPtr& system);
    VqsModelNodeOldConfig* GetOldConfigNode(const PxVQOldConfigPtr& config, const PxVQSystemPtr& system);
    VqsModelNodeBSLink* GetBSLinkNode(const PxVQBSSoftLinkPtr& link, const PxVQConfigPtr& config);
    VqsModelNodeRepGroup* GetReportGroupNode(const PxVQReportGroupPtr& group, const PxVQBSSoftLinkPtr& link);
    VqsModelNodeRepAlias* GetRepAliasNode(const PxVQReportSoftLinkAliasPtr& alias, const PxVQReportGroupPtr& group);
    VqsModelNodeBundle* GetBundleNode(const PxVQBundlePtr& bundle, const PxVQBSSoftLinkPtr& link);
    VqsModelNodeIspecBundleData* GetIspecBundleDataNode(const PxVQIspecBundleDataPtr& data,
                                                        const PxVQBundlePtr& bundle);
    // The pack's node under the root, made (without a notice) when absent.
    VqsModelNodePack* GetPackNode(const PxVQPackInformationPtr& pack);
    // The option set's node under a configuration node the model already has; null when
    // the configuration has none.
    VqsModelNodeOSet* GetOptionSetNode(const PxVQOptionSetPtr& optionSet, const PxVQConfigPtr& config);

    // The node of the object with its path from the root locked in the bag, each node
    // refreshed when newly locked; null for a null pointer, a refused lock, an object
    // another user deleted (61746) or a repository failure (the operation's message).
    VqsModelNodeEnterprise* LockEnterpriseNode(VqsLockBag& bag, const PxVQEnterprisePtr& enterprise);
    VqsModelNodeHost* LockHostNode(VqsLockBag& bag, const PxVQHostInformationPtr& host);
    VqsModelNodePack* LockPackNode(VqsLockBag& bag, const PxVQPackInformationPtr& pack);
    VqsModelNodeSystem* LockSystemNode(VqsLockBag& bag, const PxVQSystemPtr& system);
    VqsModelNodeCurConfig* LockCurConfigNode(VqsLockBag& bag, const PxVQCurConfigPtr& config);
    VqsModelNodeConfig* LockConfigNode(VqsLockBag& bag, const PxVQConfigPtr& config);
    // The same with the configuration itself locked in `configBag`, its path in `pathBag`: a
    // step that writes the configuration never holds it for read before.
    VqsModelNodeConfig* LockConfigNode(VqsLockBag& pathBag, VqsLockBag& configBag, const PxVQConfigPtr& config);
    VqsModelNodeBSLink* LockBSLinkNode(VqsLockBag& bag, const PxVQBSSoftLinkPtr& link);
    VqsModelNodeRepGroup* LockReportGroupNode(VqsLockBag& bag, const PxVQReportGroupPtr& group);
    VqsModelNodeRepAlias* LockRepAliasNode(VqsLockBag& bag, const PxVQReportSoftLinkAliasPtr& alias);
    VqsModelNodeBundle* LockBundleNode(VqsLockBag& bag, const PxVQBundlePtr& bundle);
    VqsModelNodeIspecBundleData* LockIspecBundleDataNode(VqsLockBag& bag, const PxVQIspecBundleDataPtr& data);
    VqsModelNodeOSet* LockOptionSetNode(VqsLockBag& bag, const PxVQOptionSetPtr& optionSet);
    VqsModelNodeGenSet* LockGenSetNode(VqsLockBag& bag, const PxVQGenSetPtr& genSet);
    VqsModelNodeOption* LockOptionNode(VqsLockBag& bag, const PxOptionsPtr& options);
    // A business-segment link, or an element link under its business-segment link.
    VqsModelNodeLink* LockElementLinkNode(VqsLockBag& bag, const PxVQSoftLinkPtr& link);

    // Locks and refreshes the object's node (the root for a null object) with every
    // descendant; for the root, the open frames no longer ask to be refreshed. False, after
    // the box that says why, when a lock failed: what the caller meant to do goes no further.
    bool LockSubtree(VqsLockBag& bag, const PxVQObjectPtr& object);
    // Deletes the nodes, asking first whether to check for changed options and then, with
    // the check, about each node; the nodes handled leave the list. Every question is asked
    // holding nothing; a node is deleted only when, under the writes taken after, it is still
    // what its prompt showed. Without `deleteNow` the check only asks. False when the user
    // stopped or a lock or delete failed, and, asking nothing, for an empty list.
    bool DeleteNodes(VqsLockBag& held, CObList& nodes, bool deleteNow);
    // Deletes the objects that have nodes in the model; one another user deleted already is
    // told with 61746, once.
    void DeleteObject(VqsLockBag& held, PxTypedList<PxVQObjectPtr>& objects);
    // The option node of the link's options in the option set and the link's node, both
    // locked; false when either is missing or refused.
    bool FindOptionsOfElementLink(VqsLockBag& bag, VqsModelNodeOption*& option, VqsModelNodeLink*& linkNode,
                                  const PxVQConfigPtr& config, const PxVQSoftLinkPtr& link,
                                  const PxVQOptionSetPtr& optionSet);

    // Runs the creation steps of one wizard's Finish as one repository change. Its lock
    // step (LockForCreation) first takes every lock the steps need, before anything is
    // written: a wait for another session (with its progress) keeps no other session's
    // writes waiting, and a lock that is refused or given up (the lock layer has told the
    // user) makes nothing. Inside the transaction the names the pages checked are checked
    // again; a name now taken makes nothing and is told once the transaction has ended.
    // Then the steps' transactions join one, so a step that fails or yields nothing
    // (answering 0) leaves nothing of the steps before it, and the nodes made for what was
    // not stored leave the root and `config` (may be null) again. What the lock step and
    // the steps locked stays locked until that transaction has committed or aborted. The
    // views hear of the new objects only once everything is stored. Nonzero when it was.
    int CreateAllOrNothing(VqsModelNodeConfig* config, const VqsCreation& creation);
    // A lock step of a page of a dialog whose end creates: from the first lock the page takes
    // for one action of the user to the end of that action. `anchor` (a bag of no lock kind,
    // one of the dialog's `pageLocks`) holds the enterprise with `kind`, the strongest kind
    // the step asks of it, until EndPageStep; then the page locks hold nothing of the
    // enterprise, so that a dialog left open keeps no other user's step waiting for it. 0
    // when a lock is refused or its wait given up (the reason shown).
    static int BeginPageStep(VqsLockBag& anchor, const std::vector<VqsLockBag*>& pageLocks,
                             VqsModelNodeEnterprise* enterprise, int kind);
    // Gives the anchor back, and the page locks that hold the enterprise alone unless
    // `keepEnterprise` (a Finish whose creator makes its objects under them).
    static void EndPageStep(VqsLockBag& anchor, const std::vector<VqsLockBag*>& pageLocks,
                            VqsModelNodeEnterprise* enterprise, bool keepEnterprise);
    // What the creation steps below lock, each taken the same way by its step; a creation
    // takes them before it writes. 0 (null) when a lock is refused or the repository fails
    // (the reason shown).
    // CreateHost: the root and every present pack written.
    int LockForHost(VqsLockBag& writeBag);
    // AddPackInformation: the root and every present host written.
    int LockForPack(VqsLockBag& writeBag);
    // CreateGenSet: the configuration written; when it has business-segment links, or
    // `linkToCome` (a step before makes one), the root written, and every link with its
    // element links. The packs and the links are read again.
    VqsModelNodeCurConfig* LockForGenSet(VqsLockBag& readBag, VqsLockBag& writeBag, const PxVQCurConfigPtr& config,
                                         bool linkToCome);
    // ApplyGenSetPackReplacements: the configuration read and written; when it has option
    // sets, every pack written.
    VqsModelNodeConfig* LockForSegmentLink(VqsLockBag& readBag, VqsLockBag& writeBag, const PxVQConfigPtr& config);

    // Creations under the enterprise: the object is made in a transaction, then its node
    // is added and announced. The result (also left in `out`) is null when nothing was
    // made.
    PxVQSystemPtr CreateSystem(PxVQSystemPtr& out, LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                               LPCTSTR runtimeVersionIdentifier, int resetReportCount, int resetVersionNumber);
    PxVQSystemPtr InsertSystem(PxVQSystemPtr& out, LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                               LPCTSTR runtimeVersionIdentifier, int resetReportCount, int resetVersionNumber);
    // The root and every present pack are write-locked first. A null user id or password
    // is taken as empty.
    PxVQHostInformationPtr CreateHost(PxVQHostInformationPtr& out, LPCTSTR name, int hostType, LPCTSTR address,
                                      std::int64_t port, LPCTSTR ftpUserid, LPCTSTR ftpPassword);
    PxVQHostInformationPtr AddHostInformation(PxVQHostInformationPtr& out, LPCTSTR name, int hostType,
                                              LPCTSTR address, std::int64_t port, LPCTSTR ftpUserid,
                                              LPCTSTR ftpPassword);
    // The root and every present host are write-locked first.
    PxVQPackInformationPtr AddPackInformation(PxVQPackInformationPtr& out, LPCTSTR name, int packType);
    // Makes sure every named pack exists with a compatible type, creating the missing ones
    // in the caller's transaction; throws VqsExceptionData (61553) on a type conflict.
    void ThrowModelError(const VqsPackSpecList& packSpecs);

    // Synchronisation of a configuration with the design before a generation, a restart, a
    // report generation, the addition of a segment or the Synchronize command (the model's
    // flag says which): 1 to go on, 0 to stop (the reasons shown, except a segment held by
    // another user after a declined restart, a segment lock the host refused and Cancel).
    int RefreshForGeneration(VqsBSLock& segmentLock, VqsLockBag& readBag, VqsLockBag& updateBag,
                             PxVQCurConfigPtr config, VqsSyncResult& result, int syncMode,
                             const PxHandle& recoveryHandle, bool declinedRestart, bool locateOnly);
    // The synchronisation's lock step: the caller's reads given up, then the enterprise and
    // the configuration locked for update. A step that also locks a generate set of the
    // configuration takes this step first, so that the set comes after them as in every other
    // generation start. 0 (after saying why) when refused or the configuration is gone.
    int LockForSynchronisation(VqsLockBag& readBag, VqsLockBag& updateBag, PxVQCurConfigPtr config);
    // The same, and then the configuration's business-segment links locked for update, as the
    // synchronisation locks them: a step that locks a generate set before it synchronises
    // takes this step first, so that it never waits for a link while it holds the set.
    int LockSegmentLinksForSynchronisation(VqsLockBag& readBag, VqsLockBag& updateBag, PxVQCurConfigPtr config);
    int CheckBusinessSegmentSync(VqsBSLock& segmentLock, VqsLockBag& readBag, VqsLockBag& updateBag,
                                 VqsModelNodeConfig* config, VqsSyncResult& result, int syncMode,
                                 const PxHandle& recoveryHandle, bool declinedRestart, bool locateOnly);

    // Makes the element link of a new design element in its own transaction (joining an
    // open one): the soft link with its options, their option nodes and packs, and the
    // profile link of a component's design profile. A global logic takes `globalLogicId`
    // as its number, which then comes back 0; with 0 it gets none (61555). 0 when nothing
    // was made.
    int StoreElementLinkData(VqsModelNodeBSLink* segmentNode, const PxLSEElementPtr& element,
                             const CStringList& primaryProfiles, WORD& globalLogicId, VqsStoredElement& stored);
    // The profile link of a design profile under the Ispec's node, with its option nodes
    // and packs; null when it could not be made.
    VqsModelNodeElementLink* AddProfileLinkOptions(VqsModelNodeElementLink* ispecNode, const PxLSEProfilePtr& profile);
    // Creates the packs that the link's options name where the enterprise lacks them;
    // throws on a pack of another type (61553).
    void CollectSoftLinkPacks(const PxVQSoftLinkPtr& link);

    // A new generate set of the current configuration with the segments' option records
    // for it, the replacement packs of each segment marked in them and the packs they name
    // created; null when it failed (the reason shown). `replacements` may be null.
    PxVQGenSetPtr CreateGenSet(PxVQCurConfigPtr config, LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                               int hostType, LPCTSTR hostName, VqsBSPackReplacementList* replacements,
                               PxVQGenSetPtr sourceSet);
    // The configuration's new link to the design segment, the replacement packs of each
    // generate set applied, then its element links; null when it failed (the reason shown).
    PxVQBSSoftLinkPtr ApplyGenSetPackReplacements(PxVQConfigPtr config, PxLSEBusinessSegmentPtr segment,
                                                  VqsGSetPackReplacementList& replacements);
    // Creates the packs the option records of the node (an option set, an option or a
    // soft link) name where the enterprise lacks them; throws on a pack of another type.
    void EnsureOptionPacks(VqsModelNode* node);
    // The same for the options of the business-segment link in every configuration below
    // the node.
    void CreateBSLinkPacks(VqsModelNode* node, const PxVQBSSoftLinkPtr& link);

    // The dialogs of hosts and packs, run with the caller's bag that holds the node (the
    // root for the two creations). EditPack opens on the pack's association with the host
    // when it has one; the creations answer what they made, null when nothing was made.
    void EditHost(VqsLockBag& bag, VqsModelNodeHost* host);
    void EditPack(VqsLockBag& bag, VqsModelNodePack* pack, const PxVQHostInformationPtr& host);
    PxVQHostInformationPtr RunNewHostSheet(VqsLockBag& bag);
    PxVQPackInformationPtr CreatePack(VqsLockBag& bag);

    // The new-report-group and new-bundle dialogs, after the bag is released: what the
    // dialog made, null when it was cancelled or could not be opened.
    PxVQReportGroupPtr OpenReportGroupDlg(VqsLockBag& bag, VqsModelNodeBSLink* linkNode);
    PxVQBundlePtr OpenBundleDlg(VqsLockBag& bag, VqsModelNodeBSLink* linkNode);
    void OpenIspecBundleDlg(VqsLockBag& bag, VqsModelNodeBundle* bundle);

    // The edit dialogs of the configuration, run with the caller's bag that holds the node;
    // each dialog writes its own changes. EditRepAlias adds a report to the group and
    // answers the new entry, null when nothing was added.
    PxVQReportSoftLinkAliasPtr EditRepAlias(VqsLockBag& bag, VqsModelNodeRepGroup* group);
    void EditIspecBundle(VqsLockBag& bag, VqsModelNodeBundle* bundle);
    void EditReportGroup(VqsLockBag& bag, VqsModelNodeRepGroup* group);
    void EditReportAlias(VqsLockBag& bag, VqsModelNodeRepAlias* alias, VqsModelNodeElementLink* report);
    void EditBundle(VqsLockBag& bag, VqsModelNodeBundle* bundle);
    void EditGenSet(VqsLockBag& bag, VqsModelNodeGenSet* genSet);

private:
    // The matched link: its missing option records, a revived link back in use, its
    // element links synchronised and the result stored on it.
    int SyncMatchedLink(VqsModelNodeBSLink* node, VqsLockBag& readBag, VqsLockBag& updateBag, VqsSyncResult& result,
                        int syncMode, bool revived);
    // Drops the children whose objects are not stored, made in a transaction that was
    // aborted.
    void DropUnstoredChildren(VqsModelNode& parent);
    PxVQGenSetPtr CreateGenSetInTransaction(VqsModelNodeCurConfig* configNode, LPCTSTR name, LPCTSTR shortName,
                                            LPCTSTR description, int hostType, LPCTSTR hostName,
                                            const VqsBSPackReplacementList& replacements, const PxVQGenSetPtr& sourceSet);
    // The element links of every design element of the segment that takes one; 0 at the
    // first that could not be made.
    int StoreSegmentElements(VqsModelNodeBSLink* segmentNode, const PxLSEBusinessSegmentPtr& segment);

    // The lock step of every creation; 1 when everything its steps need is locked.
    int LockForCreation(VqsCreationLocks& locks, const VqsCreation& creation);
    // Locks, in the creations' one order, every object the steps would lock (`plan`),
    // each with the strongest kind they ask for.
    int LockPlanned(VqsCreationLocks& locks, VqsCreationLocks& plan);

    // The bag a creation step locks into: while a creation runs, the creation's bag of that
    // kind, so that the lock lasts until its transaction has ended.
    VqsLockBag& StepBag(VqsLockBag& own);

    // The creation running its steps; null between creations.
    VqsCreationLocks* m_pCreation = nullptr;
    VqsListsAhead* m_pListsAhead = nullptr;
    // Declared before the root, so that it outlives the nodes that leave it.
    CMap<std::uint64_t, std::uint64_t, VqsModelNode*, VqsModelNode*> m_index{10};
    VqsModelNodeEnterprise m_root;
    int m_nFlag;
};
