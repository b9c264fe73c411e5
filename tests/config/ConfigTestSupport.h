// What the wizard tests share: the started module with a session on a copy of the sample
// repository, the host's answers to business-segment locks, a second user, and the New
// System wizard over a model of the enterprise, run as the directory view's command runs it.
#pragma once

#include "../shell/ShellTestSupport.h"

#include "config/VqsNewSystemSheet.h"
#include "model/VqsModel.h"
#include "proxy/PxVQLink.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"

#include <memory>
#include <string>
#include <vector>

namespace configtest {

constexpr UINT kLockProgressDialog = 105;

struct WizardTest : ShellTest {
    vqtest::ScriptedUiDriver ui;
    vqtest::SampleRepository sample;
    std::unique_ptr<VqsModel> model;
    std::unique_ptr<VqsNewSystemSheet> sheet;
    INT_PTR result = 0;

    void SetUp() override;
    void TearDown() override;

    // Builds the model and the wizard over its enterprise and runs it; the sheet stays for
    // the test to read until EndWizard.
    INT_PTR RunNewSystemWizard();
    // Destroys the sheet (giving its locks back) and the model.
    void EndWizard();

    // What the host was asked and told about business-segment locks, in order.
    static std::vector<std::string> HostLockCalls();
    // Whether the host lets the next business-segment lock be taken.
    static void HostAnswers(int answer);

    // A second user's link on the same repository.
    std::unique_ptr<PxVQLink> OtherUser() const;
    // Whether our session holds a lock the other user sees on the enterprise or on a pack.
    bool EnterpriseLockedForOthers() const;
    bool AnyPackLockedForOthers() const;
    // Changes the kind of a pack, as another user would.
    void SetPackType(const char* pack, int type) const;
    // A fingerprint of what the enterprise holds: systems, hosts and packs by name.
    std::vector<std::string> Contents() const;
    // The text of a control of the wizard's current page.
    std::string TextOf(int id) const;
    DWORD WizardButtons() const;
    CWnd* Control(int id) const;
    // The id of the control with the focus; 0 when none has it.
    static int FocusId();
    // Adds a pack of that kind, as another user would.
    void AddPack(const char* name, int type) const;
    // Sets a number of a design business segment ("targetHostQsr", "japaneseSupport", ...).
    void SetSegmentNumber(const char* segment, const char* property, int value) const;
    // Deletes the enterprise's host of that name, as another user would.
    void DeleteHost(const char* name) const;
};

} // namespace configtest
