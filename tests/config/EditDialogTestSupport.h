// What the edit dialog tests share: the started module with a session on a copy of
// the sample repository, the scripted user, the sample's objects by name, and a second user
// on the same repository.
#pragma once

#include "../shell/ShellTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQSystem.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"

#include <functional>
#include <memory>
#include <string>

namespace edittest {

constexpr UINT kLockProgressDialog = 105;

struct EditDialogTest : ShellTest {
    vqtest::ScriptedUiDriver ui;
    vqtest::SampleRepository sample;

    void SetUp() override;
    void TearDown() override;
    // Names the resource library and opens the session (SetUp does, unless told otherwise).
    void StartSession();

    bool sessionAtStart = true;

    PxVQEnterprisePtr Enterprise() const { return app.GetEnterprise(); }
    PxVQSystemPtr System(const char* name = "SYS1") const { return Enterprise()->GetSystem(name); }
    PxVQCurConfigPtr CurConfig(const char* system = "SYS1") const { return System(system)->GetCurConfig(); }
    PxVQBSSoftLinkPtr SegmentLink(const char* system = "SYS1", const char* segment = "SALES") const;
    PxVQReportGroupPtr Group(const char* name = "MONTHEND", const char* system = "SYS1") const;
    PxVQBundlePtr Bundle(const char* name, const char* system = "SYS1") const;
    // A second user's link on the same repository.
    std::unique_ptr<PxVQLink> OtherUser() const;
    // The other user changes the repository in a committed transaction of its own.
    void AsOtherUser(const std::function<void(PxVQLink&)>& change) const;
    // The text the control of the open dialog with this template shows.
    std::string Text(UINT templateId, int controlId) const;
    HWND Control(UINT templateId, int controlId) const;
};

} // namespace edittest
