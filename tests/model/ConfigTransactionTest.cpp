#include "TransactionTestSupport.h"

#include "model/VqsTransactionConfig.h"
#include "model/VqsTransactionEnterprise.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"

#include <cstring>

namespace {

using Strings = std::vector<std::string>;

// A system of its own with a QSR and a Tarsk generate set, so that new soft links get
// records of both.
struct ConfigTransactionTest : TransactionTest {
    PxVQCurConfigPtr config;
    PxVQOptionSetPtr qsr;
    PxVQOptionSetPtr tarsk;

    void SetUp() override
    {
        TransactionTest::SetUp();
        {
            VqsTransactionEnterprise enterprise;
            config = enterprise.CreateSystem("NEW", "NEW", "", "RT1", 0, 0)->GetCurConfig();
            VqsTransactionCurConfig transaction(config);
            qsr = transaction.CopyOptions("QSRSET", "QSRSET", "", 1, "QSRHOST", PxVQGenSetPtr());
            tarsk = transaction.CopyOptions("TARSKSET", "TARSKSET", "", 2, "TARSKHOST", PxVQGenSetPtr());
        }
        ASSERT_TRUE(VqsTransaction::IsOk());
    }

    PxVQBSSoftLinkPtr TakeSegment(const char* name)
    {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        return transaction.CreateBSLink(Segment(name));
    }

    PxVQElementSoftLinkPtr AddElement(VqsTransactionConfig& transaction, const PxVQBSSoftLinkPtr& link,
                                      const char* name, WORD globalLogicId = 0)
    {
        CStringList primaryProfiles;
        CollectBusinessSegmentIspecs(Segment("SALES"), primaryProfiles);
        return transaction.AddElementSoftLink(link, Element("SALES", name), primaryProfiles, globalLogicId);
    }
};

std::vector<BYTE> GuidsOf(std::initializer_list<PxLSERevisionIdPtr> revisions)
{
    std::vector<BYTE> bytes;
    for (const PxLSERevisionIdPtr& revision : revisions) {
        GUID guid = revision->GetGuid();
        const BYTE* first = reinterpret_cast<const BYTE*>(&guid);
        bytes.insert(bytes.end(), first, first + sizeof guid);
    }
    return bytes;
}

PxQSRIspecOptionsPtr QsrRecord(const PxVQOptionSetPtr& set, const PxVQElementSoftLinkPtr& link)
{
    return PxQSRIspecOptionsPtr(set->GetOptions(link));
}

} // namespace

TEST_F(ConfigTransactionTest, ABusinessSegmentLinkTakesTheSegmentsDataFromTheDesign)
{
    PxVQBSSoftLinkPtr link = TakeSegment("SALES");
    ASSERT_TRUE(VqsTransaction::IsOk());
    PxLSEBusinessSegmentPtr sales = Segment("SALES");
    EXPECT_EQ(link->GetName(), "SALES");
    EXPECT_EQ(link->GetLongName(), "Sales and orders");
    EXPECT_EQ(link->GetDescription(), "Selling");
    EXPECT_EQ(link->GetRefTime(), sales->GetCreatedTimeStamp());
    EXPECT_EQ(link->GetGuidBlob(), GuidsOf({sales->GetRevision(), sales->GetGSDRevision(), sales->GetAllElementsRevision()}));
    EXPECT_EQ(link->GetSysUseROC(), 1);

    Strings languages;
    for (int slot = 1; slot <= 15; ++slot)
        languages.push_back(link->GetLanguage(slot).GetString());
    EXPECT_EQ(languages, (Strings{"ENGLISH", "", "FRENCH", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(link->GetPrimaryLanguageSlot(), 3);

    Strings subsystems;
    for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A", "B", "C", "LSS"})
        subsystems.push_back(link->GetSubsystemName(code).GetString());
    EXPECT_EQ(subsystems, (Strings{"PRIMARY", "", "", "BILLING", "", "", "", "", "", "", "QUERY", "", "ROC", ""}));

    PxVQBSSoftLinkPtr plain = TakeSegment("PLAIN");
    EXPECT_EQ(plain->GetLanguage(15), "GERMAN");
    EXPECT_EQ(plain->GetPrimaryLanguageSlot(), -1) << "no language is the primary one";
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(ConfigTransactionTest, SegmentColoursAreMappedToOptionColoursOfThePainterRecords)
{
    const int expected[] = {0, 1, 4, 5, 3, 7, 2, 6};
    {
        VqsTransaction transaction;
        PxLSEBuilder builder(Link());
        for (int colour = 1; colour <= 8; ++colour) {
            CString name;
            name.Format("COL%d", colour);
            PxLSEBusinessSegmentPtr segment = builder.AddBusinessSegment(name);
            builder.SetNumber(segment, "foregroundColor", colour);
            builder.SetNumber(segment, "backgroundColor", 9 - colour);
            for (const char* which : {"Revision", "GSDRevision", "AllElementsRevision"})
                builder.AddRevision(segment, which, GUID{static_cast<DWORD>(colour), 1, 2, {}});
        }
    }
    for (int colour = 1; colour <= 8; ++colour) {
        SCOPED_TRACE(colour);
        CString name;
        name.Format("COL%d", colour);
        PxVQBSSoftLinkPtr link = TakeSegment(name);
        PxQSRBSegOptionsPtr qsrRecord(qsr->GetOptions(link));
        PxTarskBSegOptionsPtr tarskRecord(tarsk->GetOptions(link));
        EXPECT_EQ(qsrRecord->GetBSFColor(), expected[colour - 1]);
        EXPECT_EQ(qsrRecord->GetBSBColor(), expected[8 - colour]);
        EXPECT_EQ(tarskRecord->GetBSFColor(), expected[colour - 1]);
        EXPECT_EQ(tarskRecord->GetBSBColor(), expected[8 - colour]);
    }
    EXPECT_TRUE(VqsTransaction::IsOk());
}

TEST_F(ConfigTransactionTest, ASegmentWithoutItsRevisionsGetsNoLink)
{
    struct Case {
        const char* segment;
        const char* message;
    };
    for (const Case& c :
         {Case{"NOREV", "Internal error:\ncan not store data in the entry for Business Segment NOREV:\n"
                        "no revision information is stored in the specification."},
          Case{"NOGSD", "Internal error:\ncan not store data in the entry for Business Segment NOGSD:\n"
                        "no GSD revision information is stored in the specification."}}) {
        vqui::ClearTranscript();
        TakeSegment(c.segment);
        EXPECT_FALSE(VqsTransaction::IsOk());
        EXPECT_FALSE(config->GetBSSoftLink(c.segment)) << "aborted";
        EXPECT_EQ(Boxes(), Strings{c.message});
    }
}

TEST_F(ConfigTransactionTest, IspecLinksTakeUsageTypeColoursAndSubsystemFromTheDesign)
{
    PxVQBSSoftLinkPtr link = TakeSegment("SALES");
    struct Case {
        const char* name;
        int usage;
        int type;
        int foreground;
    };
    const Case cases[] = {{"CUSTOMER", 4, 2, 1}, {"ORDERS", 2, 0, 3}, {"PRINTOUT", 3, 3, 1},
                          {"LOOKUP", 1, 5, 1}};
    {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            PxVQIspecSoftLinkPtr ispec(AddElement(transaction, link, c.name));
            ASSERT_TRUE(ispec);
            EXPECT_EQ(ispec->GetIspecUsage(), c.usage);
            EXPECT_EQ(ispec->GetIspecType(), c.type);
            EXPECT_EQ(ispec->GetUnusedMark(), 0);
            EXPECT_EQ(ispec->GetGuidBlob().size(), 6 * sizeof(GUID)) << "element, four parts and teach revision";
            EXPECT_EQ(QsrRecord(qsr, ispec)->GetFColor(), c.foreground);
            EXPECT_EQ(QsrRecord(qsr, ispec)->GetBColor(), 2) << "the segment's background";
        }
    }
    ASSERT_TRUE(VqsTransaction::IsOk());

    PxVQElementSoftLinkPtr customer = link->GetElementSoftLink("CUSTOMER");
    for (const auto& [stored, kept] : {std::pair{"7", "1"}, std::pair{"4", "4"}, std::pair{"A", "A"}}) {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        QsrRecord(qsr, customer)->SetSubsystemNum(stored);
        transaction.SetElementLinkData(Element("SALES", "CUSTOMER"), customer, CStringList());
        EXPECT_EQ(QsrRecord(qsr, customer)->GetSubsystemNum(), kept) << stored;
    }
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(ConfigTransactionTest, AnEventNamedEventMayLackItsRevisionsAndOtherElementsMayNot)
{
    PxVQBSSoftLinkPtr link = TakeSegment("SALES");
    PxVQElementSoftLinkPtr event;
    {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        event = AddElement(transaction, link, "EVENT");
        EXPECT_TRUE(transaction.IsUsable());
    }
    ASSERT_TRUE(VqsTransaction::IsOk());
    ASSERT_TRUE(event);
    EXPECT_TRUE(event->GetGuidBlob().empty());
    EXPECT_EQ(logLines, Strings{"WARNING VqsTransactionConfig::SetElementLinkData: No revisions for Event EVENT; "
                                "GRAPH=N CHAR=N DATA=N DB=N TEACH=N"});
    EXPECT_EQ(Boxes(), Strings{});

    logLines.clear();
    {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        EXPECT_FALSE(AddElement(transaction, link, "BROKEN"));
        EXPECT_FALSE(transaction.IsUsable());
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(link->GetElementSoftLink("BROKEN"));
    EXPECT_EQ(logLines, Strings{"ERROR VqsTransactionConfig::SetElementLinkData: No revisions for Component BROKEN; "
                                "GRAPH=Y CHAR=Y DATA=Y DB=N"});
    EXPECT_EQ(Boxes(), Strings{"Internal error:\ncan not store data in the entry for Component BROKEN:\n"
                               "no revision information is stored in the specification."});
}

TEST_F(ConfigTransactionTest, ProfileReportAndGlobalLogicLinksTakeTheirOwnData)
{
    PxVQBSSoftLinkPtr link = TakeSegment("SALES");
    {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        PxVQProfileSoftLinkPtr byName(AddElement(transaction, link, "CUSTBYNAME"));
        EXPECT_EQ(byName->GetOrdinateName(), "CUSTOMER") << "the first relation marked O";
        EXPECT_EQ(byName->GetOrdinateLongName(), "Customer master");
        EXPECT_EQ(byName->GetOverEvent(), 0);
        EXPECT_EQ(byName->GetPrimary(), 1);
        EXPECT_EQ(byName->GetAutoMaint(), 1);
        EXPECT_EQ(byName->GetDuplicatesAllowed(), 1);

        PxVQProfileSoftLinkPtr byDate(AddElement(transaction, link, "ORDBYDATE"));
        EXPECT_EQ(byDate->GetOverEvent(), 1);
        EXPECT_EQ(byDate->GetOrdinateName(), "");
        EXPECT_EQ(byDate->GetPrimary(), 1);

        PxVQProfileSoftLinkPtr loose(AddElement(transaction, link, "LOOSE"));
        EXPECT_EQ(loose->GetOrdinateName(), "");
        EXPECT_EQ(loose->GetPrimary(), 0);

        PxVQProfileSoftLinkPtr automatic = transaction.AddProfileSoftLink(
            link, PxLSEProfilePtr(Element("SALES", "CUSTBYNAME")), PxVQIspecSoftLinkPtr(AddElement(transaction, link, "CUSTOMER")));
        EXPECT_EQ(automatic->GetPrimary(), 0) << "an automatic profile is never primary";
        EXPECT_EQ(automatic->GetOrdinateName(), "CUSTBYNAME");
        EXPECT_EQ(automatic->GetComponent()->GetName(), "CUSTOMER");

        PxVQReportSoftLinkPtr report(AddElement(transaction, link, "MONTHLY"));
        EXPECT_EQ(report->GetFastLoad(), 1);
        EXPECT_EQ(report->GetGenToAllLang(), 1);
        EXPECT_EQ(report->GetReportVersionNumber(), 1);
        EXPECT_EQ(Element("SALES", "MONTHLY")->GetRevision()->GetUpdated(), 0);
    }
    EXPECT_TRUE(VqsTransaction::IsOk());
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(ConfigTransactionTest, AGlobalLogicIdIsUsedOnceAndZeroGivesNoLink)
{
    PxVQBSSoftLinkPtr link = TakeSegment("SALES");
    CStringList none;
    WORD id = 0;
    {
        VqsTransactionConfig transaction{PxVQConfigPtr(config)};
        EXPECT_FALSE(transaction.AddElementSoftLink(link, Element("SALES", "CALC"), none, id));
        EXPECT_TRUE(transaction.IsUsable());
        id = 7;
        PxVQGlobalLogicSoftLinkPtr logic(transaction.AddElementSoftLink(link, Element("SALES", "CALC"), none, id));
        ASSERT_TRUE(logic);
        EXPECT_EQ(logic->GetGLGUniqueID(), 7);
        EXPECT_EQ(id, 0) << "used";
        EXPECT_EQ(logic->GetPerformable(), 1);
        EXPECT_EQ(logic->GetParameters(), "A,B");
    }
    EXPECT_EQ(Boxes(), Strings{"There are 65535 Global Logics encontered. Cannot create options for another one."});
}
