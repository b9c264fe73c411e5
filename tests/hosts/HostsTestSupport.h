// What the host-frame tests share: the started module with a session on a copy of the
// sample repository, the host frame opened over a window of the host as the host opens it,
// its three lists, and the scripted user.
#pragma once

#include "../shell/ListFrameTestSupport.h"
#include "../shell/ShellTestSupport.h"

#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostView.h"
#include "hosts/VqsKeshPackView.h"
#include "hosts/VqsPackAssocView.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQPackInformation.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"

#include <memory>
#include <string>
#include <vector>

namespace hoststest {

constexpr UINT kLockProgressDialog = 105;
constexpr int kHostPane = 0xE901;
constexpr int kPackPane = 0xE900;

struct HostsTest : ShellTest {
    vqtest::ScriptedUiDriver ui;
    vqtest::SampleRepository sample;
    std::unique_ptr<frametest::HostWindow> window;
    VqsHostListFrame* frame = nullptr;

    void SetUp() override;
    void TearDown() override;
    // Names the resource library and opens the session (SetUp does, unless told otherwise).
    void StartSession();

    bool sessionAtStart = true;

    // Opens the host view over a new host window of that size; null when it failed.
    VqsHostListFrame* OpenHostView(int width = 806, int height = 600);
    VqsKeshPackView* Packs() const;
    VqsHostView* Hosts() const;
    VqsPackAssocView* Associations() const;
    // The texts of every row of the list, columns joined by " | ".
    static std::vector<std::string> Rows(VqsListView* view);
    // The row whose first column reads `name`; -1 when none does.
    static int RowOf(VqsListView* view, const std::string& name);
    // The user clicks the row of that name.
    static void Click(VqsListView* view, const std::string& name);
    // Handles what is posted (command-state updates, measuring).
    static void Idle();

    PxVQEnterprisePtr Enterprise() const { return app.GetEnterprise(); }
    PxVQHostInformationPtr Host(const char* name) const { return Enterprise()->GetHostInformation(name); }
    PxVQPackInformationPtr Pack(const char* name) const;
    // A second user's link on the same repository.
    std::unique_ptr<PxVQLink> OtherUser() const;
};

} // namespace hoststest
