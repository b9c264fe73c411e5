#include "TransactionTestSupport.h"

#include "com/ComGuid.h"
#include "model/VqsTransactionBundle.h"
#include "model/VqsTransactionConfig.h"
#include "model/VqsTransactionEnterprise.h"
#include "model/VqsTransactionGenSet.h"
#include "model/VqsTransactionGroup.h"
#include "model/VqsTransactionHostInfo.h"
#include "model/VqsTransactionObject.h"
#include "model/VqsTransactionSoftLink.h"
#include "model/VqsTransactionSystem.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"

namespace {

using Strings = std::vector<std::string>;

const int kNoLanguages[VqsLanguageSlotCount] = {};
const int kFirstAndThirdLanguage[VqsLanguageSlotCount] = {1, 0, 1};

Strings IspecsOf(const PxVQBundlePtr& bundle)
{
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundle->GetListOfIspecBundleData(entries);
    Strings names;
    for (POSITION position = entries.GetHeadPosition(); position;)
        names.push_back(entries.GetNext(position)->GetIspecInformation()->GetName().GetString());
    return names;
}

PxVQIspecSoftLinkPtr IspecLink(const PxVQBSSoftLinkPtr& link, const char* name)
{
    return PxVQIspecSoftLinkPtr(link->GetElementSoftLink(name));
}

PxBSegOptionsPtr SegmentRecord(const PxVQOptionSetPtr& optionSet, const PxVQBSSoftLinkPtr& link)
{
    return PxBSegOptionsPtr(optionSet->GetOptions(link));
}

} // namespace

TEST_F(TransactionTest, LongNamesNameObjectsByTheShortNameAndKeepTheGivenOneAsLongName)
{
    struct Case {
        BOOL allowLongNames;
        const char* name;
        const char* expectedName;
        const char* expectedLongName;
    };
    for (const Case& c : {Case{FALSE, "PLAINNAME", "PLAINNAME", ""},
                          Case{TRUE, "A rather long name", "SHORT", "A rather long name"}}) {
        SCOPED_TRACE(c.name);
        app.SetAllowLongNames(c.allowLongNames);
        CString name(c.name);
        PxVQSystemPtr system;
        PxVQReportGroupPtr group;
        PxVQGenSetPtr genSet;
        {
            VqsTransactionEnterprise enterprise;
            system = enterprise.CreateSystem(name, "SHORT", "a system", "RT1", 0, 0);
            VqsTransactionBSSoftLink bsLink(BSLink("SALES"));
            group = bsLink.CreateReportGroup(name, "SHORT", "a group");
            VqsTransactionCurConfig config(CurConfig());
            genSet = config.CopyOptions(name, "SHORT", "a set", 0, "NTHOST", PxVQGenSetPtr());
        }
        ASSERT_TRUE(VqsTransaction::IsOk());
        EXPECT_EQ(system->GetName(), c.expectedName);
        EXPECT_EQ(system->GetLongName(), c.expectedLongName);
        EXPECT_EQ(group->GetName(), c.expectedName);
        EXPECT_EQ(group->GetLongName(), c.expectedLongName);
        EXPECT_EQ(genSet->GetName(), c.expectedName);
        EXPECT_EQ(genSet->GetLongName(), c.expectedLongName);
        EXPECT_EQ(genSet->GetHostName(), "NTHOST");
        EXPECT_EQ(system->GetSystemVersionNumber(), 1);
        EXPECT_FALSE(system->GetCurConfig()->GetBuildVersionGUID() == GUID{}) << "a new build version GUID";
    }
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(TransactionTest, AHostPortOutsideOneTo65535CreatesNothingAndSaysWhy)
{
    app.SetIniPath(dir.File("vqsys.ini").c_str());
    for (std::int64_t port : {std::int64_t{0}, std::int64_t{65536}, std::int64_t{-21}, std::int64_t{1} << 32}) {
        SCOPED_TRACE(port);
        vqui::ClearTranscript();
        {
            VqsTransactionEnterprise transaction;
            EXPECT_FALSE(transaction.CreateHostInformation("BAD", 1, "10.0.0.9", port, "gen", "pw"));
        }
        EXPECT_FALSE(VqsTransaction::IsOk());
        EXPECT_EQ(Boxes(), Strings{"Cannot create a new Host:\nPlease enter an integer in the range of 1 to 65535."});
        EXPECT_EQ(app.GetDefaultPort(1), 7777u) << "no default port from a refused host";
    }
    EXPECT_FALSE(app.GetEnterprise()->GetHostInformation("BAD"));

    vqui::ClearTranscript();
    {
        VqsTransactionEnterprise transaction;
        PxVQHostInformationPtr host = transaction.CreateHostInformation("QSRHOST", 1, "10.0.0.9", 8080, "gen", "pw");
        ASSERT_TRUE(host);
        EXPECT_EQ(host->GetHostType(), 1);
        EXPECT_EQ(host->GetAddress(), "10.0.0.9");
        EXPECT_EQ(host->GetPortNumber(), 8080);
        EXPECT_EQ(host->GetFtpUserid(), "gen");
        EXPECT_EQ(host->GetFtpPassword(0), "pw");
    }
    EXPECT_TRUE(VqsTransaction::IsOk());
    EXPECT_EQ(app.GetDefaultPort(1), 8080u);
    EXPECT_EQ(Boxes(), Strings{});

    PxVQHostInformationPtr host = app.GetEnterprise()->GetHostInformation("QSRHOST");
    {
        VqsTransactionHostInfo transaction(host);
        transaction.SetHostName("QSR2");
        transaction.SetHostSpec("10.0.0.10", 2121, "gen2", "pw2", 1);
    }
    EXPECT_EQ(host->GetName(), "QSR2");
    EXPECT_EQ(host->GetPortNumber(), 2121);
    EXPECT_EQ(host->GetQsr_kana_Mode(), 1);
    EXPECT_EQ(app.GetDefaultPort(1), 2121u);
}

TEST_F(TransactionTest, ASystemWithoutABuildVersionGuidIsNotCreatedAndTheTransactionFails)
{
    {
        VqsTransactionEnterprise transaction;
        transaction.CreatePackInformation("PACK", 1);
        vqcom::ScopedGuidFailure noGuids;
        EXPECT_FALSE(transaction.CreateSystem("NOGUID", "NOGUID", "", "RT1", 0, 0));
        EXPECT_FALSE(transaction.IsUsable());
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(Committed("NOGUID"));
    EXPECT_FALSE(app.GetEnterprise()->GetPackInformation("PACK")) << "the whole transaction is aborted";
    EXPECT_EQ(Boxes(), Strings{"Cannot create a system: network card address is not available."});
}

TEST_F(TransactionTest, AResetVersionStartsAgainOnlyWhenTheRuntimeVersionChanges)
{
    struct Case {
        const char* runtime;
        int resetVersion;
        int expectedVersion;
    };
    for (const Case& c : {Case{"RT1", 1, 7}, Case{"RT2", 0, 7}, Case{"rt1", 1, 1}, Case{"RT2", 1, 1}}) {
        SCOPED_TRACE(c.runtime);
        PxVQSystemPtr system = System("SYS1");
        {
            VqsTransactionSystem transaction(system);
            system->SetRuntimeVersionIdentifier("RT1");
            system->SetSystemVersionNumber(7);
        }
        {
            VqsTransactionSystem transaction(system);
            transaction.SetSystemSpec("SYS1", "SYS1", "changed", c.runtime, "RT1", 1, c.resetVersion);
        }
        EXPECT_EQ(system->GetSystemVersionNumber(), c.expectedVersion);
        EXPECT_EQ(system->GetRuntimeVersionIdentifier(), c.runtime);
        EXPECT_EQ(system->GetResetReportCount(), 1);
        EXPECT_EQ(system->GetDescription(), "changed");
    }
    {
        VqsTransactionSystem none{PxVQSystemPtr()};
        none.SetSystemSpec("X", "X", "", "RT", "RT", 0, 0);
        EXPECT_TRUE(none.IsUsable()) << "no system: nothing happens";
    }
}

TEST_F(TransactionTest, ABundleKeepsEverySettingAndTakesTheIspecsThatHaveAnInputOrInquiryUsage)
{
    PxVQBundlePtr all;
    PxVQBundlePtr empty;
    {
        VqsTransactionBSSoftLink sales(BSLink("SALES"));
        all = sales.CreateBundle("ALL", "every Ispec", "com.x.View", 1, 1, 1, kFirstAndThirdLanguage, 1,
                                 "com.x.Glg", 1, 1);
        VqsTransactionBSSoftLink bare(BSLink("EMPTY", "SYS3"));
        empty = bare.CreateBundle("NONE", "no Ispecs", "com.y.View", 1, 1, 1, kFirstAndThirdLanguage, 1,
                                  "com.y.Glg", 1, 1);
    }
    ASSERT_TRUE(VqsTransaction::IsOk());
    EXPECT_EQ(IspecsOf(all), (Strings{"CUSTOMER", "ORDERS", "LOOKUP", "EVENT", "BROKEN"}));
    EXPECT_EQ(IspecsOf(empty), Strings{});
    for (const PxVQBundlePtr& bundle : {all, empty}) {
        SCOPED_TRACE(bundle->GetName().GetString());
        EXPECT_EQ(bundle->GetContainsAllIspecs(), 1);
        EXPECT_EQ(bundle->GetGenerateViews(), 1);
        EXPECT_EQ(bundle->GetUserDefinedClass(), 1);
        EXPECT_EQ(bundle->GetGettersAndSetters(), 1);
        EXPECT_EQ(bundle->GetGenerateCGLGinterface(), 1);
        EXPECT_EQ(bundle->GetUserDefinedCGLGClass(), 1);
        EXPECT_FALSE(bundle->GetJavaClass().IsEmpty());
        EXPECT_FALSE(bundle->GetJavaClassCGLG().IsEmpty());
        EXPECT_EQ(bundle->GetLanguageSelection(1), 1);
        EXPECT_EQ(bundle->GetLanguageSelection(2), 0);
        EXPECT_EQ(bundle->GetLanguageSelection(3), 1);
    }
}

TEST_F(TransactionTest, RenamingABundleRenamesItInTheBundlesToGenerateOfTheOptionSets)
{
    PxVQBSSoftLinkPtr sales = BSLink("SALES");
    PxVQCurConfigPtr config = CurConfig();
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    PxVQOptionSetPtr nt = config->GetOptionSet("NTGEN");
    PxVQOptionSetPtr qsr = config->GetOptionSet("QSRGEN");
    PxVQBundlePtr bundle;
    {
        VqsTransactionBSSoftLink transaction(sales);
        bundle = transaction.CreateBundle("WEB", "", "", 0, 0, 0, kNoLanguages, 0, "", 0, 0);
        SegmentRecord(nt, sales)->SetBundlestoGenerate("WEB,OTHER,");
        SegmentRecord(qsr, sales)->SetBundlestoGenerate("OTHER,WEB");
    }
    {
        VqsTransactionBundle transaction(bundle, sales);
        PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
        ispecs.AddTail(IspecLink(sales, "LOOKUP"));
        EXPECT_TRUE(transaction.SetBundleSpec(1, "SHOP", "renamed", "com.Shop", 1, 1, 1, kFirstAndThirdLanguage,
                                              ispecs, optionSets, 1, "com.ShopGlg", 1, 0));
    }
    ASSERT_TRUE(VqsTransaction::IsOk());
    EXPECT_EQ(bundle->GetName(), "SHOP");
    EXPECT_EQ(SegmentRecord(nt, sales)->GetBundlestoGenerate(), "SHOP,OTHER,");
    EXPECT_EQ(SegmentRecord(qsr, sales)->GetBundlestoGenerate(), "OTHER,SHOP,") << "the last name is kept";
    EXPECT_EQ(IspecsOf(bundle), Strings{"LOOKUP"}) << "Ispecs join when the bundle comes to contain all";
    EXPECT_EQ(bundle->GetContainsAllIspecs(), 1);
    EXPECT_EQ(bundle->GetJavaClassCGLG(), "com.ShopGlg");
    EXPECT_EQ(bundle->GetUserDefinedCGLGClass(), 0);
    EXPECT_EQ(bundle->GetLanguageSelection(3), 1);
}

TEST_F(TransactionTest, TheBundlesToGenerateRewriteReplacesWholeNamesOnly)
{
    struct Case {
        const char* before;
        const char* after;
    };
    for (const Case& c : {Case{"X,Y,", "Z,Y,"}, Case{"x,X,XX,", "x,Z,XX,"}, Case{"Y,X", "Y,Z,"},
                          Case{"A,,X,", "A,,Z,"}, Case{"", ""}, Case{"X,X,", "Z,Z,"}}) {
        EXPECT_EQ(VqsRenameInBundleList(c.before, "X", "Z"), c.after) << c.before;
    }
}

TEST_F(TransactionTest, TheIspecsOfABundleChangeInOneStep)
{
    PxVQBSSoftLinkPtr sales = BSLink("SALES");
    PxVQBundlePtr bundle;
    {
        VqsTransactionBSSoftLink transaction(sales);
        bundle = transaction.CreateBundle("SOME", "", "", 0, 0, 0, kNoLanguages, 0, "", 0, 0);
    }
    {
        VqsTransactionBundle transaction(bundle, sales);
        EXPECT_TRUE(transaction.AddIspecToBundle(IspecLink(sales, "CUSTOMER")));
        transaction.AddIspecToBundle(IspecLink(sales, "ORDERS"));
        transaction.AddIspecToBundle(IspecLink(sales, "EVENT"));
        transaction.RemoveIspecFromBundle(IspecLink(sales, "EVENT"));
    }
    EXPECT_EQ(IspecsOf(bundle), (Strings{"CUSTOMER", "ORDERS"}));
    {
        VqsTransactionBundle transaction(bundle, sales);
        PxTypedList<PxVQIspecSoftLinkPtr> removed;
        PxTypedList<PxVQIspecSoftLinkPtr> added;
        removed.AddTail(IspecLink(sales, "CUSTOMER"));
        added.AddTail(IspecLink(sales, "LOOKUP"));
        transaction.UpdateIspecBundle(removed, added);
    }
    ASSERT_TRUE(VqsTransaction::IsOk());
    EXPECT_EQ(IspecsOf(bundle), (Strings{"ORDERS", "LOOKUP"}));

    PxFaultInjection::Throw("PxVQBundle::AddIspecsToBundle", "The bundle is damaged.");
    {
        VqsTransactionBundle transaction(bundle, sales);
        PxTypedList<PxVQIspecSoftLinkPtr> removed;
        removed.AddTail(IspecLink(sales, "ORDERS"));
        transaction.UpdateIspecBundle(removed, PxTypedList<PxVQIspecSoftLinkPtr>());
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_EQ(IspecsOf(bundle), (Strings{"ORDERS", "LOOKUP"})) << "the removal is aborted too";
    EXPECT_EQ(Boxes(), Strings{"Cannot update Quorbit Bundle:\nThe bundle is damaged."});
}

TEST_F(TransactionTest, DeletingAnObjectThatIsAlreadyGoneCountsAsDone)
{
    PxVQSystemPtr system = System("SYS2");
    {
        VqsTransactionObject transaction(system);
        EXPECT_EQ(transaction.DeleteObject(), 1);
        EXPECT_EQ(transaction.DeleteObject(), 1);
    }
    EXPECT_TRUE(VqsTransaction::IsOk());
    EXPECT_FALSE(Committed("SYS2"));

    PxFaultInjection::Throw("PxVQObject::DeleteObject", "The object is locked.");
    {
        VqsTransactionObject transaction(System("SYS1"));
        EXPECT_EQ(transaction.DeleteObject(), 0);
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_TRUE(Committed("SYS1"));
    EXPECT_EQ(Boxes(), Strings{"Cannot delete an object:\nThe object is locked."});
}

TEST_F(TransactionTest, AGenerateSetCopiesTheOptionsOfItsSourceOrFailsWhenTheyDoNotMatch)
{
    PxVQBSSoftLinkPtr sales = BSLink("SALES");
    PxVQGenSetPtr source(CurConfig()->GetOptionSet("NTGEN"));
    {
        VqsTransactionGenSet transaction(source);
        transaction.SetGenSetSpec("NTGEN", "NTGEN", "the source", "NTHOST");
        SegmentRecord(source, sales)->SetBundlestoGenerate("WEB,");
    }
    PxVQGenSetPtr copy;
    {
        VqsTransactionCurConfig transaction(CurConfig());
        copy = transaction.CopyOptions("COPY", "COPY", "a copy", 0, "", source);
    }
    ASSERT_TRUE(VqsTransaction::IsOk());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetHostName(), "NTHOST") << "the source's host when none is given";
    EXPECT_EQ(copy->GetDescription(), "a copy");
    EXPECT_EQ(SegmentRecord(copy, sales)->GetBundlestoGenerate(), "WEB,");

    PxVQGenSetPtr foreign(CurConfig("SYS2")->GetOptionSet("TARSKGEN"));
    {
        VqsTransactionCurConfig transaction(CurConfig());
        EXPECT_FALSE(transaction.CopyOptions("MISMATCH", "MISMATCH", "", 2, "", foreign));
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(CurConfig()->GetOptionSet("MISMATCH")) << "aborted";
    EXPECT_EQ(Boxes(), Strings{"Incompatible generate set"});
}

TEST_F(TransactionTest, AFailedUpdateNamesTheKindOfTheObject)
{
    PxVQReportSoftLinkAliasPtr alias;
    {
        VqsTransactionBSSoftLink sales(BSLink("SALES"));
        VqsTransactionGroup group(sales.CreateReportGroup("MONTHEND", "MONTHEND", ""));
        EXPECT_FALSE(group.CreateReportAlias(PxVQReportSoftLinkPtr(), "X")) << "no report: failed";
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    {
        VqsTransactionBSSoftLink sales(BSLink("SALES"));
        VqsTransactionGroup group(sales.CreateReportGroup("MONTHEND", "MONTHEND", ""));
        alias = group.CreateReportAlias(PxVQReportSoftLinkPtr(BSLink("SALES")->GetElementSoftLink("MONTHLY")), "M1");
        group.SetReportGroupSpec("MONTHEND", "MONTHEND", "at the end of the month");
    }
    ASSERT_TRUE(VqsTransaction::IsOk());
    EXPECT_EQ(alias->GetGenerateAs(), "M1");

    PxFaultInjection::Throw("PxVQReportSoftLinkAlias::SetGenerateAs", "The entry is locked.");
    {
        VqsTransactionRepAlias transaction(alias);
        transaction.SetReportAliasGenerateAs("M2");
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_EQ(alias->GetGenerateAs(), "M1");
    EXPECT_EQ(Boxes(), Strings{"Cannot update Report entry in the Report Group:\nThe entry is locked."});
}
