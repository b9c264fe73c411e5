#include "RecoveryTestSupport.h"
#include "ScriptCalls.h"

#include "generate/CAnvilorController.h"
#include "generate/VqsDevMsgKiller.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "vqclient/VqClient.h"
#include "proxy/PxVQOptionSet.h"
#include "vqclient/VqcTesting.h"
#include "win/CButton.h"
#include "win/Clock.h"
#include "win/Messages.h"
#include "win/Sync.h"
#include "win/Window.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// An automation client's sink: each event as "code text".
class RecordingSink : public IDispatch {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++m_count; }
    ULONG Release() override { return --m_count; }
    HRESULT GetIDsOfNames(const char*, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT*) override
    {
        EXPECT_EQ(id, 1);
        EXPECT_EQ(locale, LOCALE_USER_DEFAULT);
        EXPECT_EQ(flags, DISPATCH_METHOD);
        EXPECT_EQ(params->cArgs, 2u);
        events.push_back(std::to_string(params->rgvarg[1].lVal) + " " + params->rgvarg[0].bstrVal.GetString());
        return S_OK;
    }

    Events events;

private:
    ULONG m_count = 0;
};

struct AutomationTest : RecoveryTest {
    vqclock::ManualClock clock;
    vqclock::ScopedClock scopedClock{clock};
    CComObject<CAnvilorController>* controller = nullptr;
    RecordingSink sink;
    DWORD cookie = 0;

    void SetUp() override
    {
        clock.SetSleepMovesClock(true);
        vqclient::Reset();
        vqclient::SetGenerationLog(sample.Path() + ".genlog");
        RecoveryTest::SetUp();
        ASSERT_EQ(CComObject<CAnvilorController>::CreateInstance(&controller), S_OK);
        controller->AddRef();
        ASSERT_EQ(controller->Advise(&sink, &cookie), S_OK);
        SetMandatoryValues("SYS1.NTGEN");
    }

    void TearDown() override
    {
        controller->Release();
        vqclient::SetGenerationLog("");
        RecoveryTest::TearDown();
    }

    // Calls the method by name as a script does, with text arguments.
    HRESULT Call(const char* method, std::vector<const char*> arguments, VARIANT* result = nullptr)
    {
        return CallAsScript(*controller, method, std::move(arguments), result);
    }

    void SetMandatoryValues(const std::string& path)
    {
        ASSERT_EQ(::SetMandatoryValues(*controller, path), S_OK) << LastError();
    }

    static std::string LastError()
    {
        ComErrorInfo info;
        return GetErrorInfo(info) ? info.description.GetString() : "(none)";
    }

    // The first business-segment link of SYS1's configuration: the one scripts generate.
    PxVQBSSoftLinkPtr FirstSegment() const
    {
        PxTypedList<PxVQBSSoftLinkPtr> links;
        System()->GetCurConfig()->GetListOfBSSoftLinks(links);
        return static_cast<const CList<PxVQBSSoftLinkPtr, const PxVQBSSoftLinkPtr&>&>(links).GetHead();
    }

    PxVQGenSetPtr GenSet(const char* name) const
    {
        return PxVQGenSetPtr(System()->GetCurConfig()->GetOptionSet(name));
    }

    // The generate set's options of SYS1's segment, with "allow Quorbit bundles" set as given.
    PxBSegOptionsPtr AllowBundles(const char* genSet, int allow)
    {
        const PxBSegOptionsPtr options(GenSet(genSet)->GetOptions(PxVQSoftLinkPtr(FirstSegment())));
        EXPECT_TRUE(options);
        Link().BeginTransaction();
        options->SetActiveKESHCapable(allow);
        Link().CommitTransaction();
        return options;
    }

    // The design lock record of SALES, which the sample makes shared for "designer/lse".
    void SetSalesDesignLock(const char* holder, int exclusive)
    {
        const PxLSELockedObjectPtr record =
            app.GetLSEEnterprise()->GetLockedObject(app.GetLSEEnterprise()->GetBusinessSegment("SALES"));
        ASSERT_TRUE(record);
        Link().BeginTransaction();
        record->SetAttributeText("usercode", holder);
        record->SetAttributeInt("exclusiveLock", exclusive);
        Link().CommitTransaction();
    }

    void Progress(int code, const char* text)
    {
        ASSERT_EQ(vqclient::PlayProgress(controller->GetGenerateNumber(), code, text), vqclient::Played::Posted);
        vqwin::PumpPending();
    }
};

} // namespace

TEST_F(AutomationTest, AScriptGeneratesTheSystemAndHearsOfItsProgressUntilItEnds)
{
    ASSERT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), S_OK) << LastError();
    vqwin::PumpPending();
    EXPECT_EQ(controller->GetGenerateNumber(), 1u);
    EXPECT_FALSE(controller->IsResponderSuspended());
    const std::vector<std::string> requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("generation 1: kind 2 genset \"NTGEN\" host \"NTHOST\" segment ", 0), 0u) << requests[0];
    EXPECT_EQ(requests[0].substr(requests[0].size() - 10), "scripted 1");

    EXPECT_EQ(Call("SendGenerateText", {"GO ON"}), S_OK);
    EXPECT_EQ(Call("SendGenerateSignal", {}), S_OK);
    Progress(2, "paused");
    EXPECT_TRUE(controller->IsResponderSuspended());
    EXPECT_EQ(controller->GetGenerateNumber(), 1u) << "code 2 keeps the generation";
    Progress(3, "done");
    EXPECT_EQ(controller->GetGenerateNumber(), 0u) << "code 3 ends it";
    EXPECT_EQ(sink.events, (Events{"0 Started Generate Client", "2 paused", "3 done"}));
    EXPECT_EQ(Call("SendGenerateText", {"late"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1012: Invalid method context");
}

TEST_F(AutomationTest, TextsAndSignalsTheStoppedGenerationCannotTakeAreFailuresAndTheObjectStaysHeld)
{
    ASSERT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), S_OK) << LastError();
    ASSERT_TRUE(vqclient::Interrupt(controller->GetGenerateNumber(), 3));
    EXPECT_EQ(Call("SendGenerateText", {"GO ON"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1012: Invalid method context");
    EXPECT_EQ(Call("SendGenerateSignal", {}), E_FAIL);
    EXPECT_EQ(LastError(), "E1012: Invalid method context");
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL) << "the stopped generation's number is still held";
    EXPECT_EQ(LastError(), "E1012: Invalid method context");
    std::ifstream log(sample.Path() + ".genlog");
    std::string line;
    while (std::getline(log, line))
        EXPECT_NE(line.rfind("message ", 0), 0u) << line;
}

TEST_F(AutomationTest, ADeployDateIsEitherLeftUnsetOrAWellFormedDate)
{
    EXPECT_EQ(Call("SetProperty", {"SYS1.NTGEN.Generate.DeployDateTime", "31/12/2026"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1004: Invalid Date value : SYS1.NTGEN.Generate.DeployDateTime");
    ASSERT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), S_OK) << LastError();
    EXPECT_EQ(vqclient::Requests().size(), 1u);
}

TEST_F(AutomationTest, ASecondStartWhileAGenerationRunsIsRefusedAndTheResponderStaysAtWork)
{
    ASSERT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), S_OK) << LastError();
    SetMandatoryValues("SYS2.NTGEN");
    EXPECT_EQ(Call("GenerateSystem", {"SYS2.NTGEN"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1012: Invalid method context");
    EXPECT_EQ(vqclient::Requests().size(), 1u);
    EXPECT_FALSE(controller->IsResponderSuspended());
}

TEST_F(AutomationTest, PreparationFailuresNameTheirCauseAndLeaveTheResponderPaused)
{
    const struct {
        std::vector<const char*> arguments;
        const char* method;
        std::string error;
    } cases[] = {
        {{"SYS1"}, "GenerateSystem", "E1007: Invalid system name "},
        {{"SYS9.NTGEN"}, "GenerateSystem", "E1007: Invalid system name "},
        {{"SYS1.NOSET"}, "GenerateSystem", "E1005: Invalid Generate Set name "},
        {{"SYS1.NTGEN", "NOREPORT"}, "GenerateReports", "E1018: Invalid Element Names:NOREPORT,"},
        {{"SYS1.NTGEN", "NOGROUP"}, "GenerateReportGroups", "E1018: Invalid Element Names:NOGROUP,"},
        {{"SYS1.NTGEN", "NOBUNDLE"}, "GenerateBundle", "E1015: Invalid Bundle Name:NOBUNDLE"},
        {{"SYS1.NTGEN"}, "InstallGenerate", "E1016: Cannot Install System / Reports. Construct info not found."},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(Call(each.method, each.arguments), E_FAIL) << each.method << " " << each.arguments[0];
        EXPECT_EQ(LastError(), each.error) << each.method << " " << each.arguments[0];
        EXPECT_TRUE(controller->IsResponderSuspended()) << each.method;
    }
    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(AutomationTest, AGenerateSetWithoutAKnownHostIsRefusedWithItsName)
{
    Link().BeginTransaction();
    PxVQGenSetPtr(System()->GetCurConfig()->GetOptionSet("NTGEN"))->SetHostName("NOHOST");
    Link().CommitTransaction();
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1017: Genset has no target host specified:NTGEN");
}

TEST_F(AutomationTest, AStartTheClientRefusesIsAFailureThatKeepsNoGeneration)
{
    vqclient::FailNextStart();
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL);
    EXPECT_EQ(controller->GetGenerateNumber(), 0u);
    EXPECT_TRUE(controller->IsResponderSuspended());
    EXPECT_FALSE(System()->GetCurConfig()->GetOptionSet("NTGEN")->IsLocked());
}

// The start's future-update locks are granted and a read after them fails (its connection
// lost): a failure, and another user can take the generate set for write.
TEST_F(AutomationTest, AStartWhoseReadFailsAfterItsLocksIsAFailureThatHoldsNothing)
{
    PxFaultInjection::Run("PxLink::FutureUpdateLock", [] {
        PxFaultInjection::Throw("PxVQGenSet::GetHostName", "The connection to the server was lost.");
    });
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL);
    PxFaultInjection::Reset();
    EXPECT_EQ(controller->GetGenerateNumber(), 0u);
    auto other = OtherUser("XYZ/dev");
    const PxVQObjectPtr seenByOther(other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    EXPECT_TRUE(seenByOther->WriteLock(0).Succeeded());
}

TEST_F(AutomationTest, PropertiesAreSetReadAndListedByPath)
{
    VARIANT list;
    ASSERT_EQ(Call("GetPropertyList", {"SYS1.NTGEN"}, &list), S_OK) << LastError();
    ASSERT_EQ(list.vt, VT_ARRAY | VT_VARIANT);
    ASSERT_FALSE(list.array.empty());
    const std::string path = std::string("SYS1.NTGEN.") + list.array[0].bstrVal.GetString();
    VARIANT value;
    ASSERT_EQ(Call("GetProperty", {path.c_str()}, &value), S_OK) << LastError();
    EXPECT_EQ(value.vt, VT_BSTR);
    EXPECT_EQ(Call("GetProperty", {"SYS1"}, &value), E_FAIL);
    EXPECT_EQ(value.vt, VT_BSTR);
    EXPECT_EQ(value.bstrVal, "");
}

TEST_F(AutomationTest, TheResponderAnswersAMessageBoxWithCancelAndReportsItsTextCut)
{
    CWnd box;
    ASSERT_TRUE(box.CreateEx(0, nullptr, "Wrenfield Message", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    const std::string text(150, 'x');
    CreateWindowEx(0, "Static", text.c_str(), WS_CHILD, 0, 0, 10, 10, box.m_hWnd, nullptr, nullptr, nullptr);
    CreateWindowEx(0, "Button", "OK", WS_CHILD, 0, 0, 10, 10, box.m_hWnd, nullptr, nullptr, nullptr);
    CreateWindowEx(0, "Button", "Cancel", WS_CHILD, 0, 0, 10, 10, box.m_hWnd, nullptr, nullptr, nullptr);

    VqsDevMsgKiller* responder = controller->GetResponder();
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(responder->m_nThreadID));
    vqwin::PumpPending();
    EXPECT_TRUE(sink.events.empty()) << "a paused responder answers nothing";

    responder->Resume();
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(responder->m_nThreadID));
    vqwin::PumpPending();
    EXPECT_EQ(sink.events, (Events{"0 ***** Wrenfield Message *****", "0 " + text.substr(0, 99),
                                   "0 Auto Responded:Cancel"}));
    responder->Pause();
    box.DestroyWindow();
}

TEST_F(AutomationTest, ABundleIsGeneratedWithTheIspecsItHoldsAndItsDifferencesAreWritten)
{
    AllowBundles("NTGEN", 1);
    ASSERT_EQ(Call("GenerateBundle", {"SYS1.NTGEN", "ORDERS"}), S_OK) << LastError();
    const std::vector<std::string> requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("kind 9 genset \"NTGEN\" host \"NTHOST\""), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("elements 2 bundle \"ORDERS\""), std::string::npos) << requests[0];

    const PxVQBSSoftLinkPtr segment = FirstSegment();
    PxTypedList<PxVQBundlePtr> bundles;
    segment->GetListOfBundles(bundles);
    const CList<PxVQBundlePtr, const PxVQBundlePtr&>& bundleList = bundles;
    PxVQBundlePtr bundle;
    for (POSITION pos = bundleList.GetHeadPosition(); pos;) {
        const PxVQBundlePtr& each = bundleList.GetNext(pos);
        if (each->GetName() == "ORDERS")
            bundle = each;
    }
    CString file;
    ASSERT_TRUE(ReportOnBundleDifferences(app.GetLSEEnterprise()->GetBusinessSegment(segment->GetName()),
                                          dir.Path().c_str(), "ORD", "Orders", bundle, file));
    std::ifstream written(file.GetString());
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(written, line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"bundle ORDERS package ORD application Orders", "ORDER in step",
                                               "CUSTOMER in step"}));
}

TEST_F(AutomationTest, ReportsAreAskedForByNameAndUnderTheNameToGenerateThemAs)
{
    ASSERT_EQ(Call("GenerateReports", {"SYS1.NTGEN", "MONTHLY,DAILY AS DAILY2"}), S_OK) << LastError();
    const std::vector<std::string> requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("kind 1 genset \"NTGEN\""), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("reports \"MONTHLY\" \"DAILY\" as \"DAILY2\" scripted 1"), std::string::npos)
        << requests[0];
    EXPECT_TRUE(sink.events.empty()) << "no start event for reports";
}

TEST_F(AutomationTest, ABundleIsGeneratedWithTheApplicationPackageDirectoryAndBatchFileOfTheSegmentsOptions)
{
    const PxBSegOptionsPtr options = AllowBundles("NTGEN", 1);
    ASSERT_TRUE(options);
    Link().BeginTransaction();
    options->SetApplicationName("Orders");
    options->SetPackagePrefix("com.sample");
    options->SetOutputDirectory("/vq/out");
    options->SetBatchFiletoRun("/vq/after.sh");
    Link().CommitTransaction();

    ASSERT_EQ(Call("GenerateBundle", {"SYS1.NTGEN", "ORDERS"}), S_OK) << LastError();
    const std::vector<std::string> requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("bundle \"ORDERS\" application \"Orders\" package \"com.sample\" output \"/vq/out\" "
                               "batch \"/vq/after.sh\" log \"\""),
              std::string::npos)
        << requests[0];
}

// As the view's Generate Bundle refuses it: a set whose options do not allow bundles.
TEST_F(AutomationTest, ABundleOfASetThatDoesNotAllowBundlesIsRefused)
{
    AllowBundles("NTGEN", 0);
    EXPECT_EQ(Call("GenerateBundle", {"SYS1.NTGEN", "WEBALL"}), E_FAIL);
    EXPECT_EQ(LastError(), "Option Set does not allow generation of Quorbit Bundles.");
    EXPECT_TRUE(controller->IsResponderSuspended());
    EXPECT_TRUE(vqclient::Requests().empty());
}

// A staged generation of another set is not this set's to install, nor is its construct
// information.
TEST_F(AutomationTest, AScriptInstallsOnlyAStagedGenerationOfTheSetItNames)
{
    const char* const noInstall = "E1016: Cannot Install System / Reports. Construct info not found.";
    AddSession({.genSet = "UNIXGEN", .type = 2, .state = 10});
    const PxVQRecoveryInfoPtr staged = AddSession({.genSet = "NTGEN", .type = 5, .state = 10});
    AddSession({.genSet = "UNIXGEN", .type = 8, .state = 10});
    AddSession({.genSet = "NTGEN", .type = 8, .state = 3});
    EXPECT_EQ(Call("InstallGenerate", {"SYS1.NTGEN"}), E_FAIL);
    EXPECT_EQ(LastError(), noInstall);
    EXPECT_TRUE(vqclient::Requests().empty());

    const PxVQRecoveryInfoPtr construct = AddSession({.genSet = "NTGEN", .type = 8, .state = 10});
    ASSERT_EQ(Call("InstallGenerate", {"SYS1.NTGEN"}), S_OK) << LastError();
    const std::vector<std::string> requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find(std::string("kind 10 genset \"NTGEN\" host \"NTHOST\"")), std::string::npos)
        << requests[0];
    const std::string handles = std::string(" recovery ") + staged->GetHandle().GetDisplayString(0).GetString() +
                                " second " + construct->GetHandle().GetDisplayString(0).GetString();
    EXPECT_NE(requests[0].find(handles), std::string::npos) << requests[0];
}

// A second pass that finds the segment held by another user stops the generation it follows.
TEST_F(AutomationTest, ASynchronisationThatFailsAfterTheStartIsAFailureAndPausesTheResponder)
{
    SetSalesDesignLock("OTHER/ws1", 1);
    ui.ExpectMessageBox("Cannot lock SALES as it is currently locked by another user.\nPlease try again after some "
                        "time.",
                        IDOK);
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1014: Unable to start generate. Elements Locked.");
    EXPECT_EQ(controller->GetGenerateNumber(), 0u);
    EXPECT_TRUE(controller->IsResponderSuspended());
    std::ifstream log(sample.Path() + ".genlog");
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(log, line))
        lines.push_back(line.substr(0, 20));
    EXPECT_EQ(lines, (std::vector<std::string>{"generation 1: kind 2", "cancel 1: Syncronisa"}));
    vqwin::PumpPending();
    EXPECT_EQ(sink.events, (Events{"0 Started Generate Client"}));
}

TEST_F(AutomationTest, IgnoringLocksASharedDesignLockOfAnotherUserHoldsNothing)
{
    ASSERT_EQ(Call("SetProperty", {"SYS1.NTGEN.Generate.IgnoreLocks", "TRUE"}), S_OK) << LastError();
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), S_OK) << LastError();
    EXPECT_EQ(controller->GetGenerateNumber(), 1u);
}

TEST_F(AutomationTest, AScriptedGenerationTakesOverTheUsersOwnInterruptedGenerationsLockButNotAnothers)
{
    const PxVQRecoveryInfoPtr interrupted = AddSession({});
    auto other = OtherUser("XYZ/dev");
    const PxVQOptionSetPtr seenByOther = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
    ASSERT_TRUE(seenByOther->PersistentLock(0).Succeeded());
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL);
    EXPECT_EQ(LastError(), "E1014: Unable to start generate. Elements Locked.");
    EXPECT_TRUE(vqclient::Requests().empty());
    ASSERT_TRUE(seenByOther->RemovePersistentLock(0, 1).Succeeded());

    PlaceHoldNamedBy(interrupted, PxVQOptionSetPtr(GenSet("NTGEN")));
    {
        LockOfNtGenAtEachCall another(sample.Path(), "PxLink::FutureUpdateLock");
        ASSERT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), S_OK) << LastError();
        EXPECT_GT(another.asked, 0);
        EXPECT_EQ(another.granted, 0) << "another user's Lock got between the two generations";
    }
    const PxPersistentLockPtr lock = GenSet("NTGEN")->GetPersistentLock();
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->GetUserCode(), "ABC/dev");
    EXPECT_EQ(lock->GetLockCount(), 1) << "the fresh generation holds the lock in the interrupted one's place";
}

// A script's generation that took the user's interrupted generation's lock over is cancelled
// when its second pass finds the segment held by another user: it gives the lock back to the
// interrupted session, which names it still.
TEST_F(AutomationTest, AScriptedGenerationCancelledAfterItsStartGivesTheLockItTookOverBack)
{
    const PxVQRecoveryInfoPtr interrupted = AddSession({});
    PlaceHoldNamedBy(interrupted, PxVQOptionSetPtr(GenSet("NTGEN")));
    const std::int64_t hold = interrupted->GetHoldId();
    SetSalesDesignLock("OTHER/ws1", 1);
    ui.ExpectMessageBox("Cannot lock SALES as it is currently locked by another user.\nPlease try again after some "
                        "time.",
                        IDOK);
    EXPECT_EQ(Call("GenerateSystem", {"SYS1.NTGEN"}), E_FAIL);
    ASSERT_EQ(vqclient::Requests().size(), 1u);

    const PxPersistentLockPtr lock = GenSet("NTGEN")->GetPersistentLock();
    ASSERT_TRUE(lock) << "the cancel lifted the lock it took over";
    EXPECT_EQ(lock->GetHoldId(), hold);
    EXPECT_TRUE(interrupted->CarriesHoldOf(lock));
}
