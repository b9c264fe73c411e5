#include "proxy/PxTypedList.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxPersistentLock.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "support/SampleRepository.h"
#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"
#include "win/UiDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// How often the progress display was taken down, and how many boxes had been shown then.
int g_hidden = 0;
std::size_t g_boxesWhenHidden = 0;

class LockTargetTest : public ::testing::Test {
protected:
    LockTargetTest() : m_link(std::make_unique<PxVQLink>())
    {
        m_link->AttachSession(m_sample.Path().c_str(), "tester/dev", nullptr);
        PxVQSystemPtr system = m_link->GetLVQEnterprise()->GetSystem("SYS1");
        m_system = PxVQObjectPtr(system);
        PxVQCurConfigPtr config = system->GetCurConfig();
        PxTypedList<PxVQOptionSetPtr> optionSets;
        config->GetListOfOptionSets(optionSets);
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        config->GetListOfBSSoftLinks(segments);
        m_optionSet = optionSets.GetHead();
        m_segment = segments.GetHead();
        m_options = PxVQObjectPtr(PxVQOptionsPtr(m_optionSet->GetOptions(PxVQSoftLinkPtr(m_segment))));
        g_hidden = 0;
        VqsSetHideLockProgressHook([] {
            ++g_hidden;
            g_boxesWhenHidden = vqui::Transcript().size();
        });
    }
    ~LockTargetTest() override { VqsSetHideLockProgressHook(nullptr); }

    std::string Name(const PxObjectPtr& object, const char* property) const
    {
        return object->GetStringProperty(property).GetString();
    }

    VqsSysApp m_app;
    vqtest::ScopedResourceLibrary m_library;
    vqtest::SampleRepository m_sample;
    std::unique_ptr<PxVQLink> m_link;
    PxVQObjectPtr m_system;
    PxVQOptionSetPtr m_optionSet;
    PxVQBSSoftLinkPtr m_segment;
    PxVQObjectPtr m_options;
};

} // namespace

TEST_F(LockTargetTest, AnObjectLockedByAnotherUserIsNamedAfterTheProgressIsTakenDown)
{
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot lock SYS1 as it is currently locked by another user.\nPlease try again after some time.",
                        IDOK, "Wrenfield Error");
    VqsDescribeLockTarget(PxLockErrorInfo(3, m_system));
    ui.Verify();
    EXPECT_EQ(g_hidden, 1);
    EXPECT_EQ(vqui::Transcript().size(), g_boxesWhenHidden + 1) << "the display goes before the box shows";

    ui.ExpectMessageBox("Lock failed:\nan object is currently locked by another user.\nPlease try again after some time.",
                        IDOK);
    VqsDescribeLockTarget(PxLockErrorInfo(5, PxVQObjectPtr()));
    ui.Verify();
}

TEST_F(LockTargetTest, AManualLockOnOptionsNamesTheSoftLinkTheOptionSetAndTheUser)
{
    PxLockErrorInfo error = PxLockErrorInfo(7, m_options);
    error.SetPersistentLock(PxPersistentLockPtr(new PxPersistentLock("USR1", 0, 2, 2)));
    const std::string options = "options for " + Name(PxObjectPtr(m_segment), "name") + " in option set " +
                                Name(PxObjectPtr(m_optionSet), "name");
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Lock failed:\nUSR1 manually locked " + options + ".\nPlease try again after some time.", IDOK);
    VqsDescribeLockTarget(error);
    ui.Verify();
}

TEST_F(LockTargetTest, APersistentLockWithoutUserOrCountTellsWhoHoldsIt)
{
    vqtest::ScriptedUiDriver ui;
    PxLockErrorInfo generate = PxLockErrorInfo(7, m_system);
    generate.SetPersistentLock(PxPersistentLockPtr(new PxPersistentLock("GEN", 0, 1, 0)));
    ui.ExpectMessageBox("Lock failed:\nGenerate process for user GEN persistently locked SYS1.\nPlease try again after "
                        "some time.",
                        IDOK);
    VqsDescribeLockTarget(generate);
    ui.ExpectMessageBox("Lock failed:\nan object is persistently locked by another user.\nPlease try again after some "
                        "time.",
                        IDOK);
    VqsDescribeLockTarget(PxLockErrorInfo(7, PxVQObjectPtr()));
    ui.Verify();
}

TEST_F(LockTargetTest, LongNamesAreUsedWhenTheSessionAllowsThem)
{
    m_app.SetAllowLongNames(TRUE);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot lock " + Name(PxObjectPtr(m_system), "longName") +
                            " as it is currently locked by another user.\nPlease try again after some time.",
                        IDOK);
    VqsDescribeLockTarget(PxLockErrorInfo(4, m_system));
    ui.Verify();
}

TEST_F(LockTargetTest, GrantedGivenUpAndUnknownCodesSayNothing)
{
    vqtest::ScriptedUiDriver ui;
    for (int code : {0, 1, 8})
        VqsDescribeLockTarget(PxLockErrorInfo(code, m_system));
    ui.Verify();
    EXPECT_EQ(g_hidden, 0);
}
