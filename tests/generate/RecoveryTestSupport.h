// What the recovery dialog tests share: the started module with a session of user
// "ABC/dev" on a copy of the sample repository, the scripted user, and recovery sessions
// of system SYS1 made to order.
#pragma once

#include "../shell/ShellTestSupport.h"

#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RecoverySession {
    const char* genSet = "NTGEN";
    const char* user = "ABC/dev";
    int type = 2;
    int state = 3;
    int completeness = 0;
    int flag = 0;
    int staged = 0;
    std::int64_t date = 1700000000;
    std::vector<const char*> files = {"REPORT1"};
    std::vector<const char*> structures = {};
};

struct RecoveryTest : ShellTest {
    vqtest::SampleRepository sample;
    vqtest::ScriptedUiDriver ui;

    void SetUp() override;
    void TearDown() override;

    PxVQLink& Link() const { return *app.GetLink(); }
    PxVQSystemPtr System() const;
    PxVQRecoveryInfoPtr AddSession(const RecoverySession& session);
    int CountOfSessions() const { return System()->CountOfRecoveryInfos(); }
    // A second user's link on the same repository, without a retry callback.
    std::unique_ptr<PxVQLink> OtherUser(const char* userCode = "XYZ") const;
    // The session as the other link sees it.
    static PxVQRecoveryInfoPtr SeenBy(PxVQLink& link, const PxVQRecoveryInfoPtr& session);
};

// ABC's generation of NTGEN of SYS1 stopped while it held the set: an interrupted recovery
// session of it and the set's hold, made by a link of its own on the repository.
void InterruptGenerationOfNtGen(const std::string& repository);
// A generation hold on the session's generate set, placed through `genSet` (the set as its
// placer's link sees it) and named in the session's record, as a generation leaves them.
void PlaceHoldNamedBy(const PxVQRecoveryInfoPtr& session, const PxVQOptionSetPtr& genSet);

// Another user (XYZ/dev) asks for a manual Lock of SYS1's NTGEN at each call of the operation
// in this process, from the next one on, as long as this lives; a Lock granted is lifted at
// once. How often it asked, and how often it was granted.
class LockOfNtGenAtEachCall {
public:
    LockOfNtGenAtEachCall(const std::string& repository, std::string operation);
    ~LockOfNtGenAtEachCall();
    LockOfNtGenAtEachCall(const LockOfNtGenAtEachCall&) = delete;
    LockOfNtGenAtEachCall& operator=(const LockOfNtGenAtEachCall&) = delete;

    int asked = 0;
    int granted = 0;

private:
    void Arm();

    PxVQLink m_other;
    std::string m_operation;
};

