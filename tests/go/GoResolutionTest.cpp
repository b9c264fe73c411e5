#include "../model/ModelTestSupport.h"
#include "GoTestSupport.h"

#include "go/VqsGoSpecPackAssoc.h"
#include "library/VqsExports.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScriptedUiDriver.h"

using namespace gotest;

namespace {

constexpr UINT kOptionsDialog = 144;
constexpr UINT kLockProgressDialog = 105;

// How a GO text came out: the filter step's answer and message, or the link and generate
// set it resolved.
struct Outcome {
    BOOL filtered = FALSE;
    std::string message = {};
    std::string link = {};
    std::string genSet = {};
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o)
{
    return out << "{" << o.filtered << ", \"" << o.message << "\", " << o.link << ", " << o.genSet << "}";
}

template <class Spec>
bool TargetOf(VqsGoSpec* spec, Outcome& outcome)
{
    auto* typed = dynamic_cast<Spec*>(spec);
    if (!typed)
        return false;
    const auto& top = typed->GetTop();
    if constexpr (requires { top.m_pElementLink; })
        outcome.link = top.m_pElementLink ? top.m_pElementLink->GetName().GetString() : "";
    else
        outcome.link = top.m_pBSLink ? top.m_pBSLink->GetName().GetString() : "";
    outcome.genSet = top.m_pGenSet ? top.m_pGenSet->GetName().GetString() : "";
    return true;
}

struct GoResolutionTest : ModelTest {
    vqtest::ScriptedUiDriver ui;

    GoResolutionTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        ModelTest::SetUp();
        app.SetAllowLongNames(FALSE);
        gotest::RecordSheetRequests();
    }

    VqsGoContext InSystem(const char* system) const
    {
        VqsGoContext context;
        context.m_pSystem = System(system);
        return context;
    }

    PxVQGenSetPtr GenSet(const char* system, const char* name) const
    {
        return PxVQGenSetPtr(System(system)->GetCurConfig()->GetOptionSet(name));
    }

    // Parses and filters the text as the host does, without opening anything.
    static Outcome Resolve(const char* text, VqsGoContext context)
    {
        CStringList arguments(10);
        VqsAPtr<VqsGoSpec> spec = VqsGoDispatcher::Instance()->ParseGoText(text, arguments);
        EXPECT_TRUE(spec) << text;
        if (!spec)
            return {};
        VqsModel model(0);
        VqsParseReturn result;
        Outcome outcome;
        outcome.filtered = spec->Filter(result, model, context, arguments);
        CString message;
        if (result.GetMessage(message)) {
            outcome.message = message.GetString();
            return outcome;
        }
        if (outcome.filtered && !result.GetSpec())
            return outcome;
        TargetOf<VqsGoSpecBSOpt>(spec.Get(), outcome) || TargetOf<VqsGoSpecHostTypeBSOpt>(spec.Get(), outcome) ||
            TargetOf<VqsGoSpecElementOpt>(spec.Get(), outcome) ||
            TargetOf<VqsGoSpecHostTypeElementOpt>(spec.Get(), outcome);
        return outcome;
    }
};

TEST_F(GoResolutionTest, TextsInASystemResolveToALinkAndGenerateSetOrSayWhyNot)
{
    const struct {
        const char* text;
        Outcome outcome;
    } cases[] = {
        {"EOP", {TRUE, "", "SALES", "NTGEN"}},
        {"GO unixgen", {TRUE, "", "SALES", "UNIXGEN"}},
        {"AU", {TRUE, "", "SALES", "QSRGEN"}},
        {"PK \"TARSKGEN\"", {TRUE, "", "SALES", "TARSKGEN"}},
        {"AU NTGEN", {TRUE, "Generate Set NTGEN is a Windows Generate Set."}},
        {"EOP NOSUCH", {TRUE, "Cannot find Generate Set NOSUCH."}},
        {"EO CUSTOMER", {TRUE, "", "CUSTOMER", "NTGEN"}},
        {"EO monthly QSRGEN", {TRUE, "", "MONTHLY", "QSRGEN"}},
        {"EX MONTHLY", {TRUE, "", "MONTHLY", "NTGEN"}},
        {"FL MONTHLY", {TRUE, "", "MONTHLY", "TARSKGEN"}},
        {"FL MONTHLY NTGEN", {TRUE, "Generate Set NTGEN is a Windows Generate Set."}},
        {"OD CUSTBYNAME", {TRUE, "", "CUSTBYNAME", "QSRGEN"}},
        {"EO NOSUCH", {TRUE, "Cannot find NOSUCH element."}},
        {"EX CUSTOMER", {TRUE, "CUSTOMER is not a Report"}},
        {"OL MONTHLY", {TRUE, "MONTHLY is not a Component"}},
        {"OD MONTHLY", {TRUE, "MONTHLY is neither a Profile, nor a Component"}},
        {"EO", {TRUE, "Cannot find the target element."}},
        {"EO \"\" NTGEN", {TRUE, "Cannot find the target element."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Resolve(c.text, InSystem("SYS1")), c.outcome);
    }
    EXPECT_TRUE(Boxes().empty());
}

// With long names shown, a text names a generate set as the option-set list shows it: by
// its long name, or by its name when it has none (the sample's sets have none).
TEST_F(GoResolutionTest, WithLongNamesAGenerateSetIsNamedAsTheListShowsIt)
{
    app.SetAllowLongNames(TRUE);
    EXPECT_EQ(Resolve("GO UNIXGEN", InSystem("SYS1")), (Outcome{TRUE, "", "SALES", "UNIXGEN"}));
    EXPECT_EQ(Resolve("EO \"CUSTOMER of SALES\" QSRGEN", InSystem("SYS1")),
              (Outcome{TRUE, "", "CUSTOMER", "QSRGEN"}));
    app.GetLink()->BeginTransaction();
    GenSet("SYS1", "UNIXGEN")->SetLongName("Nightly Unix build");
    app.GetLink()->CommitTransaction();
    EXPECT_EQ(Resolve("GO \"Nightly Unix build\"", InSystem("SYS1")), (Outcome{TRUE, "", "SALES", "UNIXGEN"}));
    EXPECT_EQ(Resolve("GO UNIXGEN", InSystem("SYS1")), (Outcome{TRUE, "Cannot find Generate Set UNIXGEN."}));
}

TEST_F(GoResolutionTest, TheSelectionDecidesWhatTheTextLeavesOpen)
{
    VqsGoContext context = InSystem("SYS2");
    context.m_pElementLink = Element("SYS2", "STOCK", "DAILY");
    context.m_pGenSet = GenSet("SYS2", "UNIXGEN");
    EXPECT_EQ(Resolve("EO", context), (Outcome{TRUE, "", "DAILY", "UNIXGEN"}));
    // The generate set's name leads to the configuration's first valid link, which is not
    // the selected element's.
    EXPECT_EQ(Resolve("EX \"\" TARSKGEN", context), (Outcome{TRUE, "Cannot find the target element."}));
    context.m_pElementLink = Element("SYS2", "SALES", "DAILY");
    EXPECT_EQ(Resolve("EX \"\" TARSKGEN", context), (Outcome{TRUE, "", "DAILY", "TARSKGEN"}));
    context.m_pElementLink = Element("SYS2", "STOCK", "DAILY");
    EXPECT_EQ(Resolve("OL", context), (Outcome{TRUE, "DAILY is not a Component"}));
    // The selected generate set of another configuration is passed over.
    context.m_pGenSet = GenSet("SYS1", "UNIXGEN");
    EXPECT_EQ(Resolve("EOP", context), (Outcome{TRUE, "", "SALES", "NTGEN"}));

    VqsGoContext nothing;
    EXPECT_EQ(Resolve("EOP", nothing), (Outcome{TRUE, "Cannot find the target system."}));
}

TEST_F(GoResolutionTest, ASegmentInTwoSystemsIsAmbiguousUnlessAnElementIsSelected)
{
    VqsGoContext context;
    context.m_pBusinessSegment = app.GetLSEEnterprise()->GetBusinessSegment("PAYROLL");
    EXPECT_EQ(Resolve("EOP", context),
              (Outcome{TRUE, "More than one system contains PAYROLL entry.\nPlease open System Directory to navigate "
                             "with this command."}));
    context.m_pElementLink = Element("SYS2", "PAYROLL", "ORDER");
    EXPECT_EQ(Resolve("EO ORDER QSRGEN", context), (Outcome{TRUE, "", "ORDER", "QSRGEN"}));
}

TEST_F(GoResolutionTest, AConfigurationWithoutTheGenerateSetsTheCommandNeedsSaysSo)
{
    for (const char* name : {"QSRGEN", "NTGEN"})
        DeleteAsOtherUser([name](PxVQEnterprise& enterprise) {
            return enterprise.GetSystem("SYS1")->GetCurConfig()->GetOptionSet(name);
        });
    EXPECT_EQ(Resolve("AU", InSystem("SYS1")), (Outcome{TRUE, "Cannot find QSR Generate Sets."}));
    EXPECT_EQ(Resolve("OD CUSTBYNAME", InSystem("SYS1")), (Outcome{TRUE, "Cannot find QSR Generate Sets."}));
    EXPECT_EQ(Resolve("EOP", InSystem("SYS1")), (Outcome{TRUE, "", "SALES", "TARSKGEN"}));
    for (const char* name : {"TARSKGEN", "UNIXGEN"})
        DeleteAsOtherUser([name](PxVQEnterprise& enterprise) {
            return enterprise.GetSystem("SYS1")->GetCurConfig()->GetOptionSet(name);
        });
    EXPECT_EQ(Resolve("EOP", InSystem("SYS1")), (Outcome{TRUE, "Cannot find any Generate Sets."}));
}

TEST_F(GoResolutionTest, TheFirstValidLinkOfTheConfigurationIsTaken)
{
    app.GetLink()->BeginTransaction();
    Segment("SYS1", "SALES")->SetUnusedMark(1);
    app.GetLink()->CommitTransaction();
    EXPECT_EQ(Resolve("EOP", InSystem("SYS1")), (Outcome{TRUE, "", "PAYROLL", "NTGEN"}));
}

TEST_F(GoResolutionTest, OpeningShowsTheOptionsDialogAtTheCommandsPage)
{
    const struct {
        const char* text;
        const char* element;
        const char* optionSet;
        UINT page;
    } cases[] = {
        {"EOP UNIXGEN", nullptr, "UNIXGEN", 0}, {"GO", nullptr, "NTGEN", 2},
        {"RD", nullptr, "QSRGEN", 8},            {"OD EVENT", nullptr, "QSRGEN", 7},
        {"OD CUSTBYNAME", "CUSTBYNAME", "QSRGEN", 1}, {"EX DAILY", "DAILY", "NTGEN", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SheetRequests().clear();
        CStringList arguments(10);
        VqsAPtr<VqsGoSpec> spec = VqsGoDispatcher::Instance()->ParseGoText(c.text, arguments);
        VqsGoContext context = InSystem("SYS1");
        VqsModel model(0);
        VqsParseReturn result;
        ASSERT_TRUE(spec->Filter(result, model, context, arguments));
        ui.ExpectDialog(kOptionsDialog).Cancel();
        EXPECT_TRUE(result.OpenTarget());
        ui.Verify();
        const PxVQSoftLinkPtr link = c.element ? PxVQSoftLinkPtr(Element("SYS1", "SALES", c.element))
                                               : PxVQSoftLinkPtr(Segment("SYS1", "SALES"));
        ExpectRequest(link, GenSet("SYS1", c.optionSet), c.page);
    }
}

TEST_F(GoResolutionTest, AnOpenedComponentShowsItsSecondPage)
{
    CStringList arguments(10);
    VqsAPtr<VqsGoSpec> spec = VqsGoDispatcher::Instance()->ParseGoText("OD", arguments);
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
    VqsGoContext context = InSystem("SYS1");
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        PxVQElementSoftLinkPtr link = links.GetNext(pos);
        CString message;
        if (link->GetElementType() == VQSoftLinkIspec && VqsGoIsComponent(link, message, nullptr))
            context.m_pElementLink = link;
    }
    ASSERT_TRUE(context.m_pElementLink);
    VqsModel model(0);
    VqsParseReturn result;
    ASSERT_TRUE(spec->Filter(result, model, context, arguments));
    ui.ExpectDialog(kOptionsDialog).Cancel();
    EXPECT_TRUE(result.OpenTarget());
    ExpectRequest(context.m_pElementLink, GenSet("SYS1", "QSRGEN"), 2);
}

TEST_F(GoResolutionTest, ARepositoryFailureIsShownWithThePassesContextAndNothingMoreHappens)
{
    const struct {
        const char* text;
        const char* operation;
        const char* box;
    } cases[] = {
        {"EX", "PxVQReportSoftLink::GetElementType", "Cannot access entries for elements in the Business Segment"},
        {"AU NTGEN", "PxVQOptionSet::GetHostType", "Cannot access Option Sets"},
        {"AU", "PxVQSoftLink::IsObsolete", "Cannot access Business Segment entries"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        VqsGoContext context = InSystem("SYS1");
        context.m_pElementLink = Element("SYS1", "SALES", "DAILY");
        PxFaultInjection::Throw(c.operation, "Injected repository failure", 0, 1000);
        ui.ExpectMessageBox(std::string(c.box) + ":\nInjected repository failure", IDOK);
        EXPECT_EQ(Resolve(c.text, context), Outcome{});
        PxFaultInjection::Reset();
        ui.Verify();
    }
}

TEST_F(GoResolutionTest, AFilterStepThatFailsSilentlyLeavesNothingToOpen)
{
    VqsParseReturn empty;
    EXPECT_FALSE(empty.OpenTarget());
    VqsGoContext context = InSystem("SYS1");
    DeleteAsOtherUser([](PxVQEnterprise& enterprise) { return enterprise.GetSystem("SYS1"); });
    CStringList arguments(10);
    VqsAPtr<VqsGoSpec> spec = VqsGoDispatcher::Instance()->ParseGoText("EOP", arguments);
    VqsModel model(0);
    VqsParseReturn result;
    EXPECT_FALSE(spec->Filter(result, model, context, arguments));
    CString message;
    EXPECT_FALSE(result.GetMessage(message)) << message.GetString();
    EXPECT_FALSE(result.OpenTarget());
}

TEST_F(GoResolutionTest, TheHostsTextOfNoCommandReturnsZeroWithoutAWindowOrARead)
{
    PxTesting::ResetListReads();
    vqui::ClearTranscript();
    char text[] = "XYZ";
    EXPECT_EQ(VqsImplementGO(text, "SALES"), 0);
    char empty[] = "  ";
    EXPECT_EQ(VqsImplementGO(empty, nullptr), 0);
    EXPECT_TRUE(vqui::Transcript().empty());
    EXPECT_EQ(PxTesting::ListReads(), 0);
}

TEST_F(GoResolutionTest, TheHostIsToldWhyATextCannotBeFollowed)
{
    ui.ExpectMessageBox("Cannot find the target system.", IDOK, "Wrenfield Message");
    char text[] = "EOP";
    EXPECT_EQ(VqsImplementGO(text, nullptr), 1);
    ui.ExpectMessageBox("More than one system contains SALES entry.\nPlease open System Directory to navigate with "
                        "this command.",
                        IDOK);
    EXPECT_EQ(VqsImplementGO(text, "SALES"), 1);
    ui.Verify();
}

// The sample with one system for each segment: every segment is in one system.
struct GoFromHostTest : ShellTest {
    vqtest::SampleRepository sample{vqrepo::SampleScale{1, 3, 0}};
    vqtest::ScriptedUiDriver ui;

    GoFromHostTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(app.SetResourceModule("vqsysres"));
        ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
        app.SetAllowLongNames(FALSE);
        gotest::RecordSheetRequests();
    }
    void TearDown() override { app.CloseSession(); }
};

TEST_F(GoFromHostTest, TheHostsTextOpensTheOptionsOfTheNamedElementInTheNamedGenerateSet)
{
    ui.ExpectDialog(kOptionsDialog).Cancel();
    char text[] = "EO CUSTOMER UNIXGEN";
    EXPECT_EQ(VqsImplementGO(text, "STOCK"), 1);
    ui.Verify();
    PxVQSystemPtr system = app.GetEnterprise()->GetSystem("SYS3");
    ExpectRequest(system->GetCurConfig()->GetBSSoftLink("STOCK")->GetElementSoftLink("CUSTOMER"),
                  system->GetCurConfig()->GetOptionSet("UNIXGEN"), 0);
}

TEST_F(GoFromHostTest, AResolvedTextWhoseOptionsCannotBeReadAsksForTheSystemDirectory)
{
    PxFaultInjection::Throw("PxVQSoftLink::GetOptions", "Injected repository failure", 0, 1000);
    ui.ExpectMessageBox("Cannot access some data:\nInjected repository failure", IDOK, "Wrenfield Error");
    ui.ExpectMessageBox("Please open System Directory to navigate with this command.", IDOK);
    char text[] = "EOP NTGEN";
    EXPECT_EQ(VqsImplementGO(text, "SALES"), 1);
    PxFaultInjection::Reset();
    ui.Verify();
}

} // namespace
