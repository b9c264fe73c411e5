// The Finish of the three creating wizards (New System, Add Business Segment, New Generate
// Set) as the user meets a repository failure at its last step: the wizard stays open with
// the error, the repository holds nothing of what the Finish had made so far (system, link,
// host, generate set), the views show none of it, and a second Finish makes everything.
#include "SysViewTestSupport.h"

#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewBSLinkPages.h"
#include "config/VqsNewGenSetPages.h"
#include "config/VqsNewSystemPages.h"
#include "model/VqsModel.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsOptionSetView.h"

#include <set>
#include <sstream>

namespace {

constexpr UINT ID_ADD_BUSINESS_SEGMENT = 32771;
constexpr UINT ID_NEW_SYSTEM = 32785;
constexpr UINT ID_ADD_GENERATE_SET = 32789;
constexpr UINT kLockProgressDialog = 105;
constexpr char kGenSetFailure[] = "Cannot add an Option Set:\nInjected repository failure";

using Script = vqtest::ScriptedUiDriver::WindowScript;

struct CreationFinishTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    // What the user saw while the wizard stayed open after the failed Finish.
    std::string dumpAfterFailure;
    int rowAfterFailure = 0;

    void SetUp() override
    {
        ui.WheneverDialog(kLockProgressDialog);
        SysViewTest::SetUp();
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        SysViewTest::TearDown();
    }

    // Every stored object as text, read without a session.
    std::string Dump() const
    {
        std::ostringstream out;
        PxRepositoryDump::WriteFile(sample.Path(), out);
        return out.str();
    }

    // The lines of one dump that the other lacks, "+ " for those only `after` has.
    static Strings Changes(const std::string& before, const std::string& after)
    {
        std::multiset<std::string> lines;
        std::istringstream in(before);
        for (std::string line; std::getline(in, line);)
            lines.insert(line);
        Strings changes;
        std::istringstream next(after);
        for (std::string line; std::getline(next, line);) {
            const auto found = lines.find(line);
            if (found == lines.end())
                changes.push_back("+ " + line);
            else
                lines.erase(found);
        }
        for (const std::string& line : lines)
            changes.push_back("- " + line);
        return changes;
    }

    // Another user deletes the host, so that the wizards offer to create one of its type.
    void DeleteHost(const char* name) const
    {
        PxVQLink other;
        other.AttachSession(sample.Path().c_str(), "other/dev", nullptr);
        other.BeginTransaction();
        other.GetLVQEnterprise()->GetHostInformation(name)->RecursiveDeleteObject();
        other.CommitTransaction();
    }

    // The first Finish meets the injected failure of the generate set's creation; while the
    // wizard stays on its page, the repository and the tree row named `row` are read; the
    // second Finish goes through.
    void FinishTwice(Script& script, UINT lastPage, const std::string& row)
    {
        script.Finish()
            .OnPage(lastPage)
            .Run([this, row] {
                dumpAfterFailure = Dump();
                rowAfterFailure = RowOf(row);
            })
            .Finish();
        ui.ExpectMessageBox(kGenSetFailure, IDOK);
        PxFaultInjection::Throw("PxVQCurConfig::CreateOptionSet");
    }

    PxVQHostInformationPtr Host(const char* name)
    {
        return app.GetLink()->GetLVQEnterprise()->GetHostInformation(name);
    }
};

} // namespace

TEST_F(CreationFinishTest, NewSystemStoresTheSystemItsLinkHostAndGenerateSetAllAtOnceOrNone)
{
    using GS = VqsSysGSPage;
    using Target = VqsSysGSHostPage;
    using HostPage = VqsSysHostPage;
    using Ftp = VqsSysHostFTPPage;
    DeleteHost("UNIXHOST");
    OpenFrame();
    Select({"Sample enterprise"});
    Script& script =
        ThroughNewUnixHost<Target, HostPage, Ftp>(NewSystemToGenSetPage(ui).Type(GS::IDC_NAME, "Nightly").Next());
    FinishTwice(script, Ftp::IDD, "ORDERS");
    const std::string before = Dump();

    Command(ID_NEW_SYSTEM);

    ui.Verify();
    EXPECT_EQ(Changes(before, dumpAfterFailure), Strings{}) << "no system, link, host or generate set is left";
    EXPECT_EQ(rowAfterFailure, -1);
    ASSERT_TRUE(System("ORDERS"));
    const PxVQCurConfigPtr config = System("ORDERS")->GetCurConfig();
    EXPECT_EQ(config->CountOfBSSoftLinks(), 1);
    const PxVQGenSetPtr genSet(config->GetOptionSet("NIGHTLY"));
    ASSERT_TRUE(genSet);
    EXPECT_EQ(genSet->GetHostName(), "UXNEW");
    EXPECT_TRUE(Host("UXNEW"));
    EXPECT_EQ(view->GetSelectedItem(), Item("ORDERS"));
}

TEST_F(CreationFinishTest, AddBusinessSegmentStoresTheLinkHostAndGenerateSetAllAtOnceOrNone)
{
    using Gen = VqsBSGenPage;
    using GS = VqsBSGSPage;
    using Target = VqsBSGSHostPage;
    using HostPage = VqsBSHostPage;
    using Ftp = VqsBSHostFTPPage;
    {
        VqsModel model;
        PxVQSystemPtr created;
        ASSERT_TRUE(model.CreateSystem(created, "New system", "NEWSYS", "No links yet", "RT9", 0, 0));
    }
    DeleteHost("UNIXHOST");
    OpenFrame();
    Select({"New system"});
    Script& script = ThroughNewUnixHost<Target, HostPage, Ftp>(
        ui.ExpectWizard().OnPage(Gen::IDD).Next().OnPage(GS::IDD).Type(GS::IDC_NAME, "Nightly").Next());
    FinishTwice(script, Ftp::IDD, "SALES business segment");
    const std::string before = Dump();

    Command(ID_ADD_BUSINESS_SEGMENT);

    ui.Verify();
    EXPECT_EQ(Changes(before, dumpAfterFailure), Strings{}) << "no link, host or generate set is left";
    EXPECT_EQ(rowAfterFailure, -1);
    const PxVQCurConfigPtr config = System("NEWSYS")->GetCurConfig();
    EXPECT_EQ(config->CountOfBSSoftLinks(), 1);
    const PxVQGenSetPtr genSet(config->GetOptionSet("NIGHTLY"));
    ASSERT_TRUE(genSet);
    EXPECT_EQ(genSet->GetHostName(), "UXNEW");
    EXPECT_TRUE(Host("UXNEW"));
}

TEST_F(CreationFinishTest, NewGenerateSetStoresTheHostAndTheSetAllAtOnceOrNone)
{
    using Opt = VqsGenSetOptPage;
    using Type = VqsGenSetTypePage;
    using HostPage = VqsGenSetHostPage;
    using Ftp = VqsGenSetHostFTPPage;
    DeleteHost("QSRHOST");
    OpenFrame();
    Expand("Sample system 1");
    Select({"SALES business segment"});
    Script& script = ui.ExpectWizard()
                         .OnPage(Opt::IDD)
                         .Type(Opt::IDC_NAME, "Weekly")
                         .Next()
                         .OnPage(Type::IDD)
                         .Click(Type::IDC_QSR)
                         .Next()
                         .OnPage(HostPage::IDD)
                         .Type(HostPage::IDC_NAME, "QSRNEW")
                         .Type(HostPage::IDC_ADDRESS, "qsr.example")
                         .Next()
                         .OnPage(Ftp::IDD);
    FinishTwice(script, Ftp::IDD, "WEEKLY");
    const std::string before = Dump();

    frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
    vqwin::PumpPending();

    ui.Verify();
    EXPECT_EQ(Changes(before, dumpAfterFailure), Strings{}) << "no host or generate set is left";
    const PxVQGenSetPtr genSet(System("SYS1")->GetCurConfig()->GetOptionSet("WEEKLY"));
    ASSERT_TRUE(genSet);
    EXPECT_EQ(genSet->GetHostName(), "QSRNEW");
    EXPECT_TRUE(Host("QSRNEW"));
}
