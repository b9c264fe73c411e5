// A Delete whose paths another user adds to after it gathered them and before its one lock call
// is granted (the test runs the other user's step at that call, on a repository file and on a
// database of the suite's server): the Delete reads the lists under its locks, finds the
// addition and starts over. An addition the other user locked by hand refuses it with the lock's
// text (the first lock call could not have named it: only the start-again does); one nobody
// holds is locked and goes with the rest. Nothing is left on an object that went: no lock, no
// list member.
#include "SysViewTestSupport.h"

#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsKeshPackView.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "win/Messages.h"
#include "win/UserActions.h"

namespace {

constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT ID_EDIT_DELETE = 57632;

// What the other user adds: under SYS1, which this user deletes, a generate set, or a bundle
// with an Ispec entry (locked by hand, the entry is: a text without a name); under the pack SALESTS, which this user
// deletes, its data on a host it had none on.
enum class Addition { GenerateSet, Bundle, HostPackEntry };

struct AdditionCase {
    Store store;
    Addition addition;
    bool lockedByHand;
    std::string name;
};

struct DeleteAdditionTest : SystemGoneTest<AdditionCase> {
    std::unique_ptr<PxVQLink> otherUser;

    void SetUp() override
    {
        this->StartOn(GetParam().store);
        otherUser = std::make_unique<PxVQLink>();
        otherUser->AttachSession(repository.c_str(), "other/dev", nullptr);
    }

    void TearDown() override
    {
        SystemGoneTest<AdditionCase>::TearDown();
        otherUser.reset();
    }

    bool DeletesThePack() const { return GetParam().addition == Addition::HostPackEntry; }

    // The other user's addition, made in one transaction of its own and locked by hand when
    // the case says so.
    PxVQObjectPtr Add() const
    {
        const PxVQEnterprisePtr enterprise = otherUser->GetLVQEnterprise();
        const PxVQCurConfigPtr config = enterprise->GetSystem("SYS1")->GetCurConfig();
        PxVQObjectPtr added;
        otherUser->BeginTransaction();
        switch (GetParam().addition) {
        case Addition::GenerateSet: {
            const PxVQOptionSetPtr set = config->CreateOptionSet("NEWGEN", 0);
            set->CreateBlankOptions();
            added = set;
            break;
        }
        case Addition::Bundle: {
            const PxVQBSSoftLinkPtr sales = config->GetBSSoftLink("SALES");
            const PxVQBundlePtr bundle = sales->CreateBundle("NEWBUNDLE");
            added = bundle->AddIspecToBundle(PxVQIspecSoftLinkPtr(sales->GetElementSoftLink("ORDER")));
            break;
        }
        case Addition::HostPackEntry:
            added = PxVQHostPackData::Create(enterprise->GetPackInformation("SALESTS"),
                                             enterprise->GetHostInformation("NTHOST"));
            break;
        }
        otherUser->CommitTransaction();
        if (GetParam().lockedByHand && !added->PersistentLock(1).Succeeded())
            throw std::runtime_error("the other user could not lock the addition");
        return added;
    }

    // This user's Delete, from the directory view or the pack list, the changed options not
    // checked; the refusal shown when there is one.
    void Delete(const char* refusal)
    {
        ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
        if (refusal)
            ui.ExpectMessageBox(refusal, IDOK);
        if (!DeletesThePack()) {
            Select({"Sample system 1"});
            vqui::user::PressKey(view->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
            return;
        }
        VqsHostListFrame* hosts = OpenHostFrame();
        auto* packs = dynamic_cast<VqsKeshPackView*>(hosts->GetNextPane(nullptr));
        CListCtrl& list = packs->GetListCtrl();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemText(row, 0).str() == "SALESTS")
                vqui::user::SelectIndex(packs->m_hWnd, row);
        }
        vqwin::PumpPending();
        app.ImplementCommandID(hosts->m_hWnd, ID_EDIT_DELETE);
        vqwin::PumpPending();
    }

    PxVQObjectPtr Deleted() const
    {
        const PxVQEnterprisePtr enterprise = otherUser->GetLVQEnterprise();
        return DeletesThePack() ? PxVQObjectPtr(enterprise->GetPackInformation("SALESTS"))
                                : PxVQObjectPtr(enterprise->GetSystem("SYS1"));
    }

    // Whether the other user's try of a write lock on the object is refused: this user holds it.
    bool LockedByThisUser(const PxVQObjectPtr& object) const
    {
        if (!object->WriteLock(0).Succeeded())
            return true;
        object->UnLock();
        return false;
    }

    // The host-pack entries of NTHOST whose object is gone.
    int GoneMembersOfTheHost() const
    {
        PxTypedList<PxVQHostPackDataPtr> entries;
        otherUser->GetLVQEnterprise()->GetHostInformation("NTHOST")->GetListOfHostPackData(entries);
        int gone = 0;
        for (POSITION pos = entries.GetHeadPosition(); pos;)
            gone += entries.GetNext(pos)->ObjectPresent() ? 0 : 1;
        return gone;
    }
};

std::vector<AdditionCase> AdditionCases()
{
    const struct {
        Addition addition;
        const char* name;
    } additions[] = {{Addition::GenerateSet, "GenerateSet"},
                     {Addition::Bundle, "BundleWithIspecEntry"},
                     {Addition::HostPackEntry, "HostPackEntry"}};
    std::vector<AdditionCase> cases;
    for (Store store : {Store::File, Store::Server}) {
        for (const auto& each : additions) {
            cases.push_back({store, each.addition, true, std::string(each.name) + "LockedByHand"});
            cases.push_back({store, each.addition, false, each.name});
        }
    }
    return cases;
}

const char* LockedText(Addition addition)
{
    switch (addition) {
    case Addition::GenerateSet:
        return "Lock failed:\nother/dev manually locked NEWGEN.\nPlease try again after some time.";
    case Addition::Bundle:
        return "Lock failed:\nother/dev manually locked an object.\nPlease try again after some time.";
    case Addition::HostPackEntry:
        return "Lock failed:\nother/dev manually locked SALESTS association.\nPlease try again after some time.";
    }
    return "";
}

} // namespace

TEST_P(DeleteAdditionTest, AnAdditionMadeBeforeTheLocksAreGrantedIsDeletedOnlyWhenNobodyHoldsIt)
{
    PxVQObjectPtr added;
    bool lockedWhenDeleted = false;
    PxFaultInjection::Run("PxLink::WriteLock", [&] {
        added = Add();
        PxFaultInjection::Run("PxLink::CommitTransaction", [&] { lockedWhenDeleted = LockedByThisUser(added); });
    });

    Delete(GetParam().lockedByHand ? LockedText(GetParam().addition) : nullptr);

    ui.Verify();
    ASSERT_TRUE(added);
    EXPECT_EQ(lockedWhenDeleted, !GetParam().lockedByHand);
    EXPECT_EQ(static_cast<bool>(Deleted()), GetParam().lockedByHand);
    EXPECT_EQ(added->ObjectPresent() != FALSE, GetParam().lockedByHand);
    const PxPersistentLockPtr lock = added->GetPersistentLock();
    EXPECT_EQ(lock && lock->GetManualLockCount() > 0, GetParam().lockedByHand);
    EXPECT_EQ(GoneMembersOfTheHost(), 0);
    EXPECT_TRUE(NothingHeld());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteAdditionTest, ::testing::ValuesIn(AdditionCases()),
                         StoreCaseName<AdditionCase>);
