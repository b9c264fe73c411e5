#include "../model/ModelTestSupport.h"
#include "GoTestSupport.h"

#include "go/VqsGoSpecPackAssoc.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "support/ScriptedUiDriver.h"

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr UINT kPackDialog = 240;

struct GoPackAssocTest : ModelTest {
    vqtest::ScriptedUiDriver ui;
    std::unique_ptr<VqsModel> model;
    VqsParseReturn result;
    VqsAPtr<VqsGoSpec> spec;

    GoPackAssocTest() { ui.WheneverDialog(kLockProgressDialog); }

    PxVQGenSetPtr GenSet(const char* name) const
    {
        return PxVQGenSetPtr(System("SYS1")->GetCurConfig()->GetOptionSet(name));
    }

    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }

    // The pack and host the text chooses in the context, as "PACK/HOST", or the message.
    std::string Choose(const char* text, VqsGoContext context)
    {
        CStringList arguments(10);
        spec = VqsGoDispatcher::Instance()->ParseGoText(text, arguments);
        model = std::make_unique<VqsModel>(0);
        EXPECT_TRUE(spec->Filter(result, *model, context, arguments));
        CString message;
        if (result.GetMessage(message))
            return message.GetString();
        auto* packAssoc = dynamic_cast<VqsGoSpecPackAssoc*>(spec.Get());
        return std::string(packAssoc->GetPack()->GetName().GetString()) + "/" +
               packAssoc->GetHost()->GetName().GetString();
    }
};

TEST_F(GoPackAssocTest, WithoutASelectionTheFirstPackAndHostAreChosen)
{
    EXPECT_EQ(Choose("LP", {}), "SALESPATH/NTHOST");
    EXPECT_EQ(Choose("LPK ignored words", {}), "SALESPATH/NTHOST");
}

TEST_F(GoPackAssocTest, TheSelectedGenerateSetsHostIsChosenEvenWhenNoSegmentIsFound)
{
    VqsGoContext context;
    context.m_pGenSet = GenSet("TARSKGEN");
    EXPECT_EQ(Choose("LP", context), "SALESPATH/TARSKHOST");
}

TEST_F(GoPackAssocTest, AGenerateSetWithoutAHostNameTakesTheFirstHostOfItsType)
{
    InRepository([&] { GenSet("QSRGEN")->SetHostName(""); });
    VqsGoContext context;
    context.m_pGenSet = GenSet("QSRGEN");
    EXPECT_EQ(Choose("LP", context), "SALESPATH/QSRHOST");
}

TEST_F(GoPackAssocTest, TheFirstPackTheOptionsNameThatExistsIsChosen)
{
    const PxUnixBSegOptionsPtr options(Segment("SYS1", "SALES")->GetOptions(GenSet("UNIXGEN")));
    InRepository([&] {
        options->SetDefPack("NOSUCHPACK");
        options->SetObjPack("STOCKPATH");
        options->SetReorgPack("SALESPATH");
    });
    VqsGoContext context;
    context.m_pSystem = System("SYS1");
    context.m_pGenSet = GenSet("UNIXGEN");
    EXPECT_EQ(Choose("LP", context), "STOCKPATH/UNIXHOST");
}

TEST_F(GoPackAssocTest, OpeningShowsThePackDialogForTheChosenPack)
{
    ASSERT_EQ(Choose("LP", {}), "SALESPATH/NTHOST");
    ui.ExpectDialog(kPackDialog).Cancel();
    EXPECT_TRUE(result.OpenTarget());
    ui.Verify();
}

TEST_F(GoPackAssocTest, AnEnterpriseWithoutPacksOrHostsSaysSo)
{
    PxTypedList<PxVQPackInformationPtr> packs;
    app.GetEnterprise()->GetListOfPackInformations(packs);
    InRepository([&] {
        for (POSITION pos = packs.GetHeadPosition(); pos;)
            packs.GetNext(pos)->DeleteObject();
    });
    EXPECT_EQ(Choose("LP", {}), "No Packs are found");
}

} // namespace
