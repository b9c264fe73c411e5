#include "ModelTestSupport.h"

#include "model/VqsModel.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "support/ScriptedUiDriver.h"

#include <set>

namespace {

struct GenSetCreationTest : ModelTest {
    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }

    PxVQCurConfigPtr Config() const { return System("SYS1")->GetCurConfig(); }
    PxVQGenSetPtr GenSet(const char* name) const { return PxVQGenSetPtr(Config()->GetOptionSet(name)); }

    // A replacement of the segment's initial NT path pack.
    VqsBSPackReplacement InitialPathReplacement(const char* segment, const char* newPack) const
    {
        return VqsBSPackReplacement{Segment("SYS1", segment), VQPackPath, 1,
                                    PxNTBSegOptions::GetInitialPackName(segment, VQPackPath), newPack};
    }
};

} // namespace

TEST_F(GenSetCreationTest, ANewGenerateSetCopiesTheOptionsOfItsSourceForEverySegment)
{
    VqsModel model;
    const PxVQGenSetPtr created =
        model.CreateGenSet(Config(), "NT Second", "NTSECOND", "for tests", VQHostNT, "NTHOST", nullptr, GenSet("NTGEN"));
    ASSERT_TRUE(created);
    EXPECT_TRUE(GenSet("NTSECOND"));
    for (const char* segment : {"SALES", "PAYROLL", "STOCK"})
        EXPECT_TRUE(Segment("SYS1", segment)->GetOptions(PxVQOptionSetPtr(created))) << segment;
    EXPECT_TRUE(Element("SYS1", "SALES", "MONTHLY")->GetOptions(PxVQOptionSetPtr(created)));
}

TEST_F(GenSetCreationTest, TheReplacementPacksOfANewGenerateSetAreCreatedWhereTheEnterpriseLacksThem)
{
    VqsBSPackReplacementList replacements(10);
    replacements.AddTail(InitialPathReplacement("SALES", "SALES_NEWPATH"));
    VqsModel model;
    ASSERT_TRUE(model.CreateGenSet(Config(), "NT Second", "NTSECOND", "", VQHostNT, "NTHOST", &replacements,
                                   PxVQGenSetPtr()));
    const PxVQPackInformationPtr pack = app.GetEnterprise()->GetPackInformation("SALES_NEWPATH");
    ASSERT_TRUE(pack);
    EXPECT_EQ(pack->GetPackType(), VQPackPath);
}

TEST_F(GenSetCreationTest, AReplacementNamingAPackOfAnotherTypeLeavesNoGenerateSet)
{
    VqsBSPackReplacementList replacements(10);
    replacements.AddTail(InitialPathReplacement("SALES", "SALESFG"));
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot add an Option Set:\nPack SALESFG does not match its previous definition of a "
                        "Tablespace/Filegroup.",
                        IDOK);
    VqsModel model;
    EXPECT_FALSE(model.CreateGenSet(Config(), "NT Second", "NTSECOND", "", VQHostNT, "NTHOST", &replacements,
                                    PxVQGenSetPtr()));
    ui.Verify();
    EXPECT_FALSE(GenSet("NTSECOND"));
}

TEST_F(GenSetCreationTest, ANewSegmentLinkGetsALinkForEveryElementWithItsOwnGlobalLogicNumber)
{
    InRepository([&] { Segment("SYS1", "SALES")->RecursiveDeleteObject(); });
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    VqsGSetPackReplacementList replacements(10);
    VqsModel model;
    const PxVQBSSoftLinkPtr link = model.ApplyGenSetPackReplacements(PxVQConfigPtr(Config()), design, replacements);
    ASSERT_TRUE(link);
    for (const char* element : {"EVENT", "CUSTOMER", "ORDER", "MONTHLY", "DAILY", "STARTUP", "CALCTAX"})
        EXPECT_TRUE(Element("SYS1", "SALES", element)) << element;
    EXPECT_FALSE(Element("SYS1", "SALES", "INITDB"));
    std::set<int> ids{PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "STARTUP"))->GetGLGUniqueID(),
                      PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "CALCTAX"))->GetGLGUniqueID()};
    EXPECT_EQ(ids, (std::set<int>{1, 2}));
    EXPECT_TRUE(link->GetOptions(PxVQOptionSetPtr(GenSet("NTGEN"))));
}
