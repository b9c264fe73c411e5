#include "RecoveryTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQOptionSet.h"

#include <gtest/gtest.h>

#include <utility>

void RecoveryTest::SetUp()
{
    ShellTest::SetUp();
    ui.WheneverDialog(105);
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC/dev", nullptr));
}

void RecoveryTest::TearDown()
{
    app.CloseSession();
    ui.Verify();
}

PxVQSystemPtr RecoveryTest::System() const { return app.GetEnterprise()->GetSystem("SYS1"); }

PxVQRecoveryInfoPtr RecoveryTest::AddSession(const RecoverySession& spec)
{
    Link().BeginTransaction();
    PxVQRecoveryInfoPtr session = System()->CreateRecoveryInfo(System()->GetCurConfig()->GetOptionSet(spec.genSet));
    session->setGenerateType(spec.type);
    session->SetCurrentState(spec.state);
    session->SetUserId(spec.user);
    session->SetStateCompleteness(spec.completeness);
    session->SetGenerationFlag(spec.flag);
    session->setStagedInstall(spec.staged);
    session->setGenerateDate(spec.date);
    for (const char* file : spec.files)
        session->CreateRecoveryFileInfo(file);
    for (const char* structure : spec.structures)
        session->CreateRecoveryDBStruct(structure);
    Link().CommitTransaction();
    return session;
}

PxVQRecoveryInfoPtr RecoveryTest::SeenBy(PxVQLink& link, const PxVQRecoveryInfoPtr& session)
{
    return link.GetLVQEnterprise()->GetSystem("SYS1")->GetRecoveryInfo(session->GetHandle());
}

std::unique_ptr<PxVQLink> RecoveryTest::OtherUser(const char* userCode) const
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(sample.Path().c_str(), userCode, nullptr);
    return link;
}

void InterruptGenerationOfNtGen(const std::string& repository)
{
    PxVQLink link;
    link.AttachSession(repository.c_str(), "ABC", nullptr);
    const PxVQSystemPtr system = link.GetLVQEnterprise()->GetSystem("SYS1");
    const PxVQOptionSetPtr genSet = system->GetCurConfig()->GetOptionSet("NTGEN");
    link.BeginTransaction();
    const PxVQRecoveryInfoPtr session = system->CreateRecoveryInfo(genSet);
    session->setGenerateType(2);
    session->SetCurrentState(3);
    session->SetUserId("ABC");
    session->SetGenerationFlag(2);
    link.CommitTransaction();
    PlaceHoldNamedBy(session, genSet);
}

void PlaceHoldNamedBy(const PxVQRecoveryInfoPtr& session, const PxVQOptionSetPtr& genSet)
{
    ASSERT_TRUE(genSet->PersistentLock(0).Succeeded());
    PxLink* link = session->GetLink();
    link->BeginTransaction();
    session->SetHoldId(genSet->GetPersistentLock()->GetHoldId());
    link->CommitTransaction();
}

LockOfNtGenAtEachCall::LockOfNtGenAtEachCall(const std::string& repository, std::string operation)
    : m_operation(std::move(operation))
{
    m_other.AttachSession(repository.c_str(), "XYZ/dev", nullptr);
    Arm();
}

LockOfNtGenAtEachCall::~LockOfNtGenAtEachCall() { PxFaultInjection::Reset(); }

void LockOfNtGenAtEachCall::Arm()
{
    PxFaultInjection::Run(m_operation.c_str(), [this] {
        ++asked;
        const PxVQOptionSetPtr set = m_other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
        if (set->PersistentLock(1).Succeeded()) {
            ++granted;
            set->RemovePersistentLock(1, 1);
        }
        Arm();
    });
}
