// Two and three users, each in a process of their own on one repository (a file or a
// database of the suite's server), press OK or Apply in an edit or options dialog while
// another user deletes what the dialog edits (the system, the segment entry, the host, the
// pack) or something else, synchronises the system, renames an element of its segment for
// the host, or changes the same options: Bulk Options Apply, the segment's and the system's
// options, the return of obsolete options to their defaults, a report group, a report's
// alias, a bundle, a host, a pack. They leave the lock-progress box to wait. Every step ends,
// stored whole or refused with its message, and nothing stays locked.
#include "../sysview/RaceRound.h"
#include "../sysview/SysViewTestSupport.h"

#include "config/VqsOptBundleDlg.h"
#include "config/VqsOptRepAliasDlg.h"
#include "config/VqsOptRepGroupDlg.h"
#include "config/VqsOptionsSystemDlg.h"
#include "generate/VqsGenerateCommands.h"
#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostSpecDlg.h"
#include "hosts/VqsHostView.h"
#include "hosts/VqsKeshPackView.h"
#include "hosts/VqsPackAssociationsSheet.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQReportGroup.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "win/Messages.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <utility>

namespace {

using racetest::RoundPipes;

constexpr UINT kLockProgressDialog = 105;
constexpr UINT IDD_HOST_SPEC = 140;
constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT IDD_OPTIONS = 144;
constexpr UINT IDD_REPORT_GROUP = 223;
constexpr UINT IDD_REPORT_ALIAS = 224;
constexpr UINT IDD_PACK_SPEC = 240;
constexpr UINT IDD_BUNDLE = 831;
constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT IDS_MAKE_DEFAULT_OBSOLETE = 61560;
constexpr UINT IDS_CONTENTS_CHANGED = 61747;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT IDS_APPLY_BULK_UPDATES = 62135;
constexpr UINT kRemovePromptDialog = 152;
constexpr int kSheetTabs = 12320;
constexpr int kBulkPage = 6;
constexpr int kBulkList = 1958;
constexpr int kServiceDefault = 1964;
constexpr int kService = 1967;
constexpr int kApplyNow = 1001;
constexpr int kDefaults = 1024;
constexpr int kLogActivities = 1077;
constexpr char kItemDeleted[] = "item has been deleted.";
// Bounds a round whose users wait for each other, so that a deadlock fails the test; no
// round that ends comes near it, at any load.
constexpr int kLongestRoundMilliseconds = 60'000;

// Delete removes the system, the system's segment entry, the host or the pack, answering the question about changed
// options No. The host's rename renames the system's segment's report MONTHLY in every
// configuration. The segment's options check Log activities on the NT page; Bulk Options
// types a service for an Ispec and applies it, answering Yes; the obsolete removal returns
// the unused segment link's NT options to their defaults and answers Yes to their removal.
enum class Step {
    Delete,
    DeleteSegment,
    DeleteHost,
    DeletePack,
    Synchronize,
    HostRename,
    SystemOptions,
    SegmentOptions,
    BulkApply,
    ObsoleteRemoval,
    GroupEdit,
    AliasEdit,
    BundleEdit,
    HostOptions,
    PackEdit
};

struct User {
    Step step;
    bool another = false; // on another system, host or pack than the round's
};

struct Case {
    Store store;
    const char* name;
    std::vector<User> users;
    int rounds;
};

std::vector<Case> Cases()
{
    const User anotherBulk{Step::BulkApply, true};
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server}) {
        const int rounds = store == Store::File ? 4 : 2;
        cases.push_back({store, "BulkApplyAndSynchronize", {{Step::BulkApply}, {Step::Synchronize}}, rounds});
        cases.push_back({store, "BulkApplyAndSynchronizeOfAnother", {anotherBulk, {Step::Synchronize}}, rounds});
        cases.push_back({store, "BulkApplyAndSegmentOptions", {{Step::BulkApply}, {Step::SegmentOptions}}, rounds});
        cases.push_back({store, "BulkApplyAndSystemOptions", {{Step::BulkApply}, {Step::SystemOptions}}, rounds});
        cases.push_back({store, "BulkApplySegmentOptionsAndSynchronize",
                         {{Step::SegmentOptions}, {Step::Synchronize}, {Step::BulkApply}}, rounds});
        cases.push_back({store, "ObsoleteRemovalAndDelete", {{Step::ObsoleteRemoval}, {Step::Delete}}, rounds});
        cases.push_back(
            {store, "ObsoleteRemovalAndDeleteOfAnother", {{Step::ObsoleteRemoval, true}, {Step::Delete}}, rounds});
        cases.push_back(
            {store, "ObsoleteRemovalAndDeleteOfTheEntry", {{Step::DeleteSegment}, {Step::ObsoleteRemoval}}, rounds});
        cases.push_back({store, "ObsoleteRemovalAndBothDeletes",
                         {{Step::ObsoleteRemoval}, {Step::Delete}, {Step::DeleteSegment}}, rounds});
        cases.push_back({store, "DeleteAndGroupEdit", {{Step::Delete}, {Step::GroupEdit}}, rounds});
        cases.push_back({store, "DeleteAndAliasEdit", {{Step::Delete}, {Step::AliasEdit}}, rounds});
        cases.push_back({store, "DeleteAndBundleEdit", {{Step::Delete}, {Step::BundleEdit}}, rounds});
        cases.push_back({store, "DeleteAndEditsOfAnother",
                         {{Step::Delete}, {Step::GroupEdit, true}, {Step::BundleEdit, true}}, rounds});
        cases.push_back({store, "DeleteAndTwoEditsOfOneSystem",
                         {{Step::GroupEdit}, {Step::Delete}, {Step::AliasEdit}}, rounds});
        cases.push_back({store, "HostDeleteAndHostOptions", {{Step::DeleteHost}, {Step::HostOptions}}, rounds});
        cases.push_back(
            {store, "HostDeleteAndOptionsOfAnother", {{Step::DeleteHost}, {Step::HostOptions, true}}, rounds});
        cases.push_back({store, "HostDeleteAndPackEditOnIt", {{Step::DeleteHost}, {Step::PackEdit}}, rounds});
        cases.push_back({store, "HostDeleteHostOptionsAndPackEdit",
                         {{Step::HostOptions}, {Step::DeleteHost}, {Step::PackEdit}}, rounds});
        cases.push_back({store, "PackDeleteAndPackEdit", {{Step::DeletePack}, {Step::PackEdit}}, rounds});
        cases.push_back({store, "PackDeleteAndEditOfAnother", {{Step::DeletePack}, {Step::PackEdit, true}}, rounds});
        cases.push_back({store, "HostRenameAndSystemOptions", {{Step::HostRename}, {Step::SystemOptions}}, rounds});
        cases.push_back(
            {store, "HostRenameAndOptionsOfAnother", {{Step::HostRename}, {Step::SystemOptions, true}}, rounds});
    }
    return cases;
}

// What each step acts on: the round's system SYS4 (of PAYROLL, with no changed options of
// its own), host UNIXHOST and pack SALESPATH (on that host), or SYS1 (of SALES), NTHOST and
// PAYROLLPATH.
struct Target {
    const char* system;
    const char* systemText;
    const char* segment;
    const char* host;
    const char* pack;
};
constexpr Target kTheRounds{"SYS4", "Sample system 4", "PAYROLL", "UNIXHOST", "SALESPATH"};
constexpr Target kAnother{"SYS1", "Sample system 1", "SALES", "NTHOST", "PAYROLLPATH"};

const Target& TargetOf(const User& user) { return user.another ? kAnother : kTheRounds; }

enum class Kind { System, Host, Pack };

Kind KindOf(Step step)
{
    switch (step) {
    case Step::DeleteHost:
    case Step::HostOptions:
        return Kind::Host;
    case Step::DeletePack:
    case Step::PackEdit:
        return Kind::Pack;
    default:
        return Kind::System;
    }
}

bool IsDelete(Step step)
{
    return step == Step::Delete || step == Step::DeleteSegment || step == Step::DeleteHost || step == Step::DeletePack;
}

// Changes the same records as another step of the same kind of dialog would.
bool EditsTheSameRecords(Step step, Step other)
{
    const std::set<Step> segmentOptions{Step::SegmentOptions, Step::BulkApply, Step::ObsoleteRemoval};
    return step == other || (segmentOptions.count(step) && segmentOptions.count(other));
}

// A user who leaves the lock-progress box to wait, answers No to the question about changed
// options (where a deleting user meets the others) and Yes to Bulk Apply's and the
// obsolete removal's questions, and notes every other box. A dialog still open after a box
// is cancelled.
class RaceUser : public vqtest::ScriptedUiDriver {
public:
    explicit RaceUser(std::function<void()> arrive) : m_arrive(std::move(arrive))
    {
        WheneverDialog(kLockProgressDialog);
        WheneverDialog(kRemovePromptDialog).Press(IDYES);
    }

    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
            return vqui::UiAction::Wait();
        if (event.kind == vqui::EventKind::MessageBox) {
            if (event.text == ResourceText(IDS_CHECK_CHANGED_OPTIONS)) {
                m_arrive();
                return vqui::UiAction::End(IDNO);
            }
            if (event.text == ResourceText(IDS_APPLY_BULK_UPDATES) || event.text == ResourceText(IDS_MAKE_DEFAULT_OBSOLETE))
                return vqui::UiAction::End(IDYES);
            boxes.push_back(event.text.GetString());
            return vqui::UiAction::End(IDOK);
        }
        if (event.kind == vqui::EventKind::Dialog && IsEditDialog(event.templateId) && !boxes.empty())
            return vqui::UiAction::Press(IDCANCEL);
        return ScriptedUiDriver::NextAction(event);
    }

    // 'S' when no box was shown, 'R' when the only box says the object was deleted or
    // changed by another user, 'F' else.
    char Outcome() const
    {
        if (boxes.empty())
            return 'S';
        const std::string& box = boxes.front();
        const bool refused =
            box.find(kItemDeleted) != std::string::npos || box == ResourceText(IDS_CONTENTS_CHANGED).GetString();
        return boxes.size() == 1 && refused ? 'R' : 'F';
    }

    std::vector<std::string> boxes;

private:
    static bool IsEditDialog(UINT templateId)
    {
        for (UINT edit : {IDD_HOST_SPEC, IDD_SYSTEM_OPTIONS, IDD_OPTIONS, IDD_REPORT_GROUP, IDD_REPORT_ALIAS,
                          IDD_PACK_SPEC, IDD_BUNDLE})
            if (templateId == edit)
                return true;
        return false;
    }

    std::function<void()> m_arrive;
};

struct DialogRaceTest : SysViewTest, ::testing::WithParamInterface<Case> {
    std::string repository;
    std::set<Step> steps;

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        for (const User& user : GetParam().users)
            steps.insert(user.step);
    }

    static std::string Description(std::size_t user) { return "Changed by " + std::to_string(user); }
    static std::string Service(std::size_t user) { return "SVC" + std::to_string(user); }
    static std::string GenerateAs(std::size_t user) { return "MONTHLY" + std::to_string(user + 2); }
    static std::string Address(std::size_t user) { return "10.9.9." + std::to_string(user + 1); }
    static std::string PackPath(std::size_t user) { return "/vq/race/" + std::to_string(user); }

    // Each round starts on a new sample. Bulk Options shows with OLTP enabled; the obsolete
    // removal finds the segment link unused with an own value on the NT page; the
    // synchronisation finds the segment link's revision forgotten, so that it runs in full.
    void PrepareRound(int round)
    {
        if (GetParam().store == Store::Server) {
            repository = NewSharedSample(Store::Server, dir);
        } else {
            repository = dir.File("round" + std::to_string(round) + ".vqr");
            vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription());
        }
        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        link.BeginTransaction();
        for (const Target* target : {&kTheRounds, &kAnother}) {
            const PxVQCurConfigPtr config = link.GetLVQEnterprise()->GetSystem(target->system)->GetCurConfig();
            const PxVQBSSoftLinkPtr segment = config->GetBSSoftLink(target->segment);
            const PxBSegOptionsPtr record(segment->GetOptions(config->GetOptionSet("NTGEN")));
            if (steps.count(Step::BulkApply))
                record->SetEnableOLTP(1);
            if (steps.count(Step::ObsoleteRemoval))
                MakeObsolete(segment, record);
            segment->SetSyncGenRevisionGUID(GUID{});
        }
        link.CommitTransaction();
    }

    // The sample paints the QSR and Tarsk records with the design's colours: without them
    // the NT record holds the link's only own value.
    static void MakeObsolete(const PxVQBSSoftLinkPtr& segment, const PxBSegOptionsPtr& nt)
    {
        PxTypedList<PxOptionsPtr> records;
        segment->GetAllOptions(records);
        for (POSITION pos = records.GetHeadPosition(); pos;) {
            const PxOptionsPtr record = records.GetNext(pos);
            if (const PxTarskBSegOptionsPtr tarsk = record) {
                tarsk->ClearBSFColor();
                tarsk->ClearBSBColor();
            } else if (const PxQSRBSegOptionsPtr qsr = record) {
                qsr->ClearBSFColor();
                qsr->ClearBSBColor();
            }
        }
        PxNTBSegOptionsPtr(nt)->SetLogAct(1);
        segment->SetUpdatedFlag(1);
        segment->SetUnusedMark(1);
    }

    // A few reads after the go, as many as the round's seed says, so that the users' first
    // lock requests come in a different order from round to round.
    void Stagger(int round, std::size_t user)
    {
        std::mt19937 seeded(static_cast<unsigned>(round * 7919 + static_cast<int>(user)));
        for (unsigned reads = seeded() % 4; reads > 0; --reads) {
            PxTypedList<PxVQSystemPtr> systems;
            app.GetLink()->GetLVQEnterprise()->GetListOfSystems(systems);
        }
    }

    // A dialog meets the others once its first change holds what it edits, unless another user
    // edits the same: then both meet before their first change, which one of them waits for.
    bool MeetsBeforeTheFirstChange(std::size_t index) const
    {
        const std::vector<User>& users = GetParam().users;
        for (std::size_t other = 0; other < users.size(); ++other) {
            if (other != index && !IsDelete(users[other].step) && users[other].another == users[index].another &&
                EditsTheSameRecords(users[index].step, users[other].step))
                return true;
        }
        return false;
    }

    // In the user's process: how the user's step went.
    char Play(const User& user, int round, std::size_t index, RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), "ABC", nullptr))
            return 'F';
        bool arrived = false;
        const auto arrive = [&] {
            if (std::exchange(arrived, true))
                return;
            pipes.ArriveAndWait();
            Stagger(round, index);
        };
        RaceUser ui(arrive);
        const bool early = MeetsBeforeTheFirstChange(index);
        const auto meetEarly = [&] {
            if (early)
                arrive();
        };
        const auto meetLate = [&] {
            if (!early)
                arrive();
        };
        const Target& target = TargetOf(user);
        switch (user.step) {
        case Step::Delete:
            OpenFrame();
            Select({target.systemText});
            vqui::user::PressKey(view->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
            break;
        case Step::DeleteSegment:
            OpenFrame();
            Expand(target.systemText);
            Select({SegmentText(target)});
            vqui::user::PressKey(view->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
            break;
        case Step::Synchronize:
            OpenFrame();
            Select({target.systemText});
            arrive();
            VqsSynchronizeConfig(*view);
            break;
        case Step::HostRename: {
            arrive();
            if (!app.PrepareForTransaction(target.segment, 0))
                return 'F';
            const bool renamed = app.Rename("LSEREPORT", "MONTHEND", "MONTHLY", target.segment);
            app.TransactionClosed();
            app.OnHostIdle();
            if (!renamed)
                return 'F';
            break;
        }
        case Step::SystemOptions:
            OpenFrame();
            Select({target.systemText});
            ui.WheneverDialog(IDD_SYSTEM_OPTIONS)
                .Run(meetEarly)
                .Replace(VqsOptionsSystemDlg::IDC_DESCRIPTION, Description(index))
                .Run(meetLate)
                .OK();
            Command(ID_OPTIONS);
            break;
        case Step::SegmentOptions:
            ui.WheneverDialog(IDD_OPTIONS).Run(meetEarly).Click(kLogActivities).Run(meetLate).OK();
            OpenSegmentOptions(target);
            break;
        case Step::BulkApply:
            ui.WheneverDialog(IDD_OPTIONS)
                .Select(kSheetTabs, kBulkPage)
                .Select(kBulkList, 1)
                .Run(meetEarly)
                .Click(kServiceDefault)
                .Replace(kService, Service(index))
                .Run(meetLate)
                .Click(kApplyNow)
                .OK();
            OpenSegmentOptions(target);
            break;
        case Step::ObsoleteRemoval:
            ui.WheneverDialog(IDD_OPTIONS).Run(meetEarly).Click(kDefaults).Run(meetLate).OK();
            OpenSegmentOptions(target);
            break;
        case Step::GroupEdit:
            ui.WheneverDialog(IDD_REPORT_GROUP)
                .Run(meetEarly)
                .Replace(VqsRepGroupDlgBase::IDC_DESCRIPTION, Description(index))
                .Run(meetLate)
                .OK();
            EditGroup(target);
            break;
        case Step::AliasEdit:
            ui.WheneverDialog(IDD_REPORT_ALIAS)
                .Run(meetEarly)
                .Replace(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, GenerateAs(index))
                .Run(meetLate)
                .OK();
            EditAlias(target);
            break;
        case Step::BundleEdit:
            ui.WheneverDialog(IDD_BUNDLE)
                .Run(meetEarly)
                .Replace(VqsBundleDlgBase::IDC_DESCRIPTION, Description(index))
                .Run(meetLate)
                .OK();
            EditBundle(target);
            break;
        case Step::DeleteHost:
            SelectInHostFrame(target.host, nullptr);
            vqui::user::PressKey(Hosts()->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
            break;
        case Step::DeletePack:
            SelectInHostFrame(target.host, target.pack);
            vqui::user::PressKey(Packs()->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
            break;
        case Step::HostOptions:
            SelectInHostFrame(target.host, nullptr);
            ui.WheneverDialog(IDD_HOST_SPEC)
                .Run(meetEarly)
                .Replace(VqsHostSpecDlg::IDC_ADDRESS, Address(index))
                .Run(meetLate)
                .OK();
            Hosts()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
            vqwin::PumpPending();
            break;
        case Step::PackEdit:
            SelectInHostFrame(target.host, target.pack);
            ui.WheneverDialog(IDD_PACK_SPEC)
                .Run(meetEarly)
                .Replace(VqsPackAssociationPagePath::IDC_PATH, PackPath(index))
                .Run(meetLate)
                .OK();
            Packs()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
            vqwin::PumpPending();
            break;
        }
        if (ui.Outcome() == 'F')
            for (const std::string& box : ui.boxes)
                std::fprintf(stderr, "user %zu was told: %s\n", index, box.c_str());
        if (ui.boxes.empty())
            ui.Verify();
        return ::testing::Test::HasFailure() ? 'F' : ui.Outcome();
    }

    // The segment's options in the NT generate set, opened from its row in the directory view.
    void OpenSegmentOptions(const Target& target)
    {
        OpenFrame();
        Expand(target.systemText);
        Select({SegmentText(target)});
        frame->SetCurrentOptionSet(System(target.system)->GetCurConfig()->GetOptionSet("NTGEN"));
        Command(ID_OPTIONS);
    }

    static std::string SegmentText(const Target& target) { return std::string(target.segment) + " business segment"; }

    PxVQBSSoftLinkPtr SegmentLink(const Target& target) const
    {
        return System(target.system)->GetCurConfig()->GetBSSoftLink(target.segment);
    }

    // As the system view opens them.
    void EditGroup(const Target& target)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        if (VqsModelNodeRepGroup* node = model.LockReportGroupNode(bag, SegmentLink(target)->GetReportGroup("MONTHEND")))
            model.EditReportGroup(bag, node);
    }

    void EditAlias(const Target& target)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        const PxVQReportSoftLinkAliasPtr alias = MonthlyAlias(SegmentLink(target)->GetReportGroup("MONTHEND"));
        VqsModelNodeRepAlias* node = model.LockRepAliasNode(bag, alias);
        auto* report =
            dynamic_cast<VqsModelNodeElementLink*>(model.LockElementLinkNode(bag, PxVQSoftLinkPtr(alias->GetSoftLink())));
        if (node && report)
            model.EditReportAlias(bag, node, report);
    }

    void EditBundle(const Target& target)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        if (VqsModelNodeBundle* node = model.LockBundleNode(bag, Bundle(SegmentLink(target), "ORDERS")))
            model.EditBundle(bag, node);
    }

    static PxVQReportSoftLinkAliasPtr MonthlyAlias(const PxVQReportGroupPtr& group)
    {
        PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
        group->GetListOfReportSoftLinkAliases(aliases);
        for (POSITION pos = aliases.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkAliasPtr alias = aliases.GetNext(pos);
            if (alias->GetSoftLink()->GetName() == "MONTHLY")
                return alias;
        }
        return PxVQReportSoftLinkAliasPtr();
    }

    static PxVQBundlePtr Bundle(const PxVQBSSoftLinkPtr& segment, const char* name)
    {
        PxTypedList<PxVQBundlePtr> bundles;
        segment->GetListOfBundles(bundles);
        for (POSITION pos = bundles.GetHeadPosition(); pos;) {
            const PxVQBundlePtr bundle = bundles.GetNext(pos);
            if (bundle->GetName() == name)
                return bundle;
        }
        return PxVQBundlePtr();
    }

    // The host frame with the host's row clicked, and the pack's row too when one is named.
    void SelectInHostFrame(const char* host, const char* pack)
    {
        hostFrame = OpenHostFrame();
        vqwin::PumpPending();
        ClickRow(Hosts(), host);
        if (pack)
            ClickRow(Packs(), pack);
    }

    VqsKeshPackView* Packs() const { return dynamic_cast<VqsKeshPackView*>(hostFrame->GetNextPane(nullptr)); }
    VqsHostView* Hosts() const { return dynamic_cast<VqsHostView*>(hostFrame->GetNextPane(Packs())); }

    static void ClickRow(VqsListView* view, const char* name)
    {
        CListCtrl& list = view->GetListCtrl();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemText(row, 0) == name)
                vqui::user::SelectIndex(view->m_hWnd, row);
        }
        vqwin::PumpPending();
    }

    std::string RunRound(int round)
    {
        const std::vector<User>& users = GetParam().users;
        return racetest::RunRound(
            users.size(),
            [&](std::size_t index, RoundPipes& pipes) { return Play(users[index], round, index, pipes); },
            std::chrono::milliseconds(kLongestRoundMilliseconds));
    }

    VqsHostListFrame* hostFrame = nullptr;
};

// Whether another user of the round deletes what the user's step acts on; a host's Delete
// deletes the pack's association on it.
bool DeletedByAnother(const std::vector<User>& users, std::size_t index)
{
    const User& user = users[index];
    return std::any_of(users.begin(), users.end(), [&](const User& other) {
        const bool ofItsKind = KindOf(other.step) == KindOf(user.step) ||
                               (other.step == Step::DeleteHost && user.step == Step::PackEdit);
        return IsDelete(other.step) && ofItsKind && other.another == user.another;
    });
}

// Whether another user of the round may refuse the user's step: a Delete of its object, or
// another user's change of the same records, which the step is shown instead.
bool MayBeRefused(const std::vector<User>& users, std::size_t index)
{
    for (std::size_t other = 0; other < users.size(); ++other) {
        if (other != index && users[other].another == users[index].another &&
            EditsTheSameRecords(users[index].step, users[other].step))
            return true;
    }
    return DeletedByAnother(users, index);
}

} // namespace

TEST_P(DialogRaceTest, EveryStepEndsStoredWholeOrRefusedAndNothingStaysLocked)
{
    const std::vector<User>& users = GetParam().users;
    for (int round = 1; round <= GetParam().rounds; ++round) {
        PrepareRound(round);
        const std::string outcomes = RunRound(round);
        SCOPED_TRACE("round " + std::to_string(round) + ": " + outcomes);
        ASSERT_EQ(outcomes.find('T'), std::string::npos) << "a step never ended";
        ASSERT_EQ(outcomes.find('F'), std::string::npos);

        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        const PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
        for (std::size_t index = 0; index < users.size(); ++index) {
            SCOPED_TRACE("user " + std::to_string(index));
            const User& user = users[index];
            const Target& target = TargetOf(user);
            if (outcomes[index] == 'R') {
                EXPECT_TRUE(MayBeRefused(users, index)) << "refused with nobody else on its objects";
                continue;
            }
            const PxVQSystemPtr system = enterprise->GetSystem(target.system);
            if (user.step == Step::Delete) {
                EXPECT_FALSE(system) << "the system outlived its Delete";
                continue;
            }
            if (user.step == Step::DeleteSegment) {
                EXPECT_FALSE(system && system->GetCurConfig()->GetBSSoftLink(target.segment)) << "the entry outlived its Delete";
                continue;
            }
            if (user.step == Step::DeleteHost) {
                EXPECT_FALSE(enterprise->GetHostInformation(target.host)) << "the host outlived its Delete";
                continue;
            }
            if (user.step == Step::DeletePack) {
                EXPECT_FALSE(enterprise->GetPackInformation(target.pack)) << "the pack outlived its Delete";
                continue;
            }
            if (DeletedByAnother(users, index))
                continue;
            const PxVQCurConfigPtr config = system->GetCurConfig();
            const PxVQBSSoftLinkPtr segment = config->GetBSSoftLink(target.segment);
            const PxVQOptionSetPtr nt = config->GetOptionSet("NTGEN");
            switch (user.step) {
            case Step::Synchronize: {
                const GUID stored = segment->GetSyncGenRevisionGUID();
                const GUID design =
                    link.GetLSEEnterprise()->GetBusinessSegment(target.segment)->GetSyncGenRevision()->GetGuid();
                EXPECT_EQ(std::memcmp(&stored, &design, sizeof(GUID)), 0) << "the synchronisation stored nothing";
                break;
            }
            case Step::HostRename:
                EXPECT_TRUE(segment->GetElementSoftLink("MONTHEND")) << "the rename stored nothing";
                break;
            case Step::SystemOptions:
                EXPECT_EQ(system->GetDescription(), Description(index).c_str());
                break;
            case Step::SegmentOptions:
                EXPECT_EQ(PxNTBSegOptionsPtr(segment->GetOptions(nt))->GetLogAct(), 1);
                break;
            case Step::BulkApply: {
                PxTypedList<PxVQElementSoftLinkPtr> elements;
                segment->GetListOfElementSoftLinks(elements);
                bool applied = false;
                for (POSITION pos = elements.GetHeadPosition(); pos;) {
                    const PxIspecOptionsPtr options(elements.GetNext(pos)->GetOptions(nt));
                    applied = applied || (options && options->GetService() == Service(index).c_str());
                }
                EXPECT_TRUE(applied) << "Bulk Apply stored nothing";
                break;
            }
            case Step::ObsoleteRemoval:
                EXPECT_FALSE(segment) << "the obsolete segment link stayed";
                break;
            case Step::GroupEdit:
                EXPECT_EQ(segment->GetReportGroup("MONTHEND")->GetDescription(), Description(index).c_str());
                break;
            case Step::AliasEdit:
                EXPECT_EQ(MonthlyAlias(segment->GetReportGroup("MONTHEND"))->GetGenerateAs(),
                          GenerateAs(index).c_str());
                break;
            case Step::BundleEdit:
                EXPECT_EQ(DialogRaceTest::Bundle(segment, "ORDERS")->GetDescription(), Description(index).c_str());
                break;
            case Step::HostOptions:
                EXPECT_EQ(enterprise->GetHostInformation(target.host)->GetAddress(), Address(index).c_str());
                break;
            case Step::PackEdit: {
                PxTypedList<PxVQHostPackDataPtr> entries;
                enterprise->GetPackInformation(target.pack)->GetListOfHostPackData(entries);
                bool stored = false;
                for (POSITION pos = entries.GetHeadPosition(); pos;) {
                    const PxVQHostPackDataPtr entry = entries.GetNext(pos);
                    const CString path = PackPath(index).c_str();
                    stored = stored || (entry->GetHostInformation()->GetName() == target.host &&
                                        (entry->GetPackAssociationNT()->GetPath() == path ||
                                         entry->GetPackAssociationUnix()->GetPath() == path));
                }
                EXPECT_TRUE(stored) << "the pack's path was not stored";
                break;
            }
            default:
                break;
            }
        }
        for (const Target* target : {&kTheRounds, &kAnother}) {
            const PxVQHostInformationPtr host = enterprise->GetHostInformation(target->host);
            EXPECT_FALSE(host && host->IsLocked()) << target->host;
            const PxVQPackInformationPtr pack = enterprise->GetPackInformation(target->pack);
            EXPECT_FALSE(pack && pack->IsLocked()) << target->pack;
            const PxVQSystemPtr system = enterprise->GetSystem(target->system);
            if (!system)
                continue;
            EXPECT_FALSE(system->IsLocked()) << target->system;
            EXPECT_FALSE(system->GetCurConfig()->IsLocked()) << target->system;
            PxTypedList<PxVQBSSoftLinkPtr> segments;
            system->GetCurConfig()->GetListOfBSSoftLinks(segments);
            for (POSITION pos = segments.GetHeadPosition(); pos;)
                EXPECT_FALSE(segments.GetNext(pos)->IsLocked()) << target->system;
        }
        EXPECT_FALSE(enterprise->IsLocked());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogRaceTest, ::testing::ValuesIn(Cases()), StoreCaseName<Case>);
