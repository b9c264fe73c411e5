#include "OptionsTestSupport.h"

#include "options/VqsOptionsGenericSheets.h"
#include "options/VqsOptionsGlobalLogic.h"
#include "options/VqsSheetRegister.h"
#include "shell/VqsExceptionData.h"

#include <memory>

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

class LaterTarskSheet : public VqsOptionsSheetTemplate<PxTarskGLGOptions, PxTarskGLGOptionsPtr> {
public:
    using VqsOptionsSheetTemplate::VqsOptionsSheetTemplate;
    UINT GetHelpContextId() override { return 1; }
};

VqsOptionsSheet* BrokenFactory(VqsSoftLinkOptionsDlg*, const PxOptionsPtr&, UINT)
{
    throw VqsExceptionData("Broken factory", __FILE__, __LINE__);
}

struct SheetRegisterTest : OptionsTest {
    std::unique_ptr<VqsOptionsSheet> Create(const char* element, const char* optionSet)
    {
        const PxOptionsPtr options =
            element ? Element("SYS1", "SALES", element)->GetOptions(OptionSet(optionSet)) : PxOptionsPtr();
        return std::unique_ptr<VqsOptionsSheet>(VqsSheetRegister::CreateSheet(nullptr, options, 0));
    }
};

} // namespace

TEST_F(SheetRegisterTest, TheGlobalLogicSheetsAreRegisteredAtStartAndChosenByTheRecordsPlatform)
{
    EXPECT_EQ(VqsSheetRegister::Count(), 24);
    EXPECT_TRUE(dynamic_cast<VqsOptions_GL_Tarsk_Sheet*>(Create("STARTUP", "TARSKGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_GL_QSR_Sheet*>(Create("STARTUP", "QSRGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_GL_NT_Sheet*>(Create("STARTUP", "NTGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_GL_Unix_Sheet*>(Create("STARTUP", "UNIXGEN").get()));
    EXPECT_EQ(Create("STARTUP", "UNIXGEN")->GetHelpContextId(), 826U);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(SheetRegisterTest, NoRecordGivesNoSheetAndARecordNobodyTakesSaysSo)
{
    EXPECT_EQ(Create(nullptr, nullptr), nullptr);
    EXPECT_EQ(MessageBoxes(), Strings{});
    VqsSheetRegister::FreeFactories();
    ui.ExpectMessageBoxId(61500, IDOK);
    EXPECT_EQ(Create("MONTHLY", "NTGEN"), nullptr);
}

TEST_F(SheetRegisterTest, RecordsWithoutASheetOfTheirPlatformGetThePlatformNeutralSheet)
{
    UsePlatformNeutralSheets();
    EXPECT_TRUE(dynamic_cast<VqsOptions_Report_Generic_Sheet*>(Create("MONTHLY", "TARSKGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_Profile_Generic_Sheet*>(Create("CUSTBYNAME", "TARSKGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_Ispec_Generic_Sheet*>(Create("ORDER", "TARSKGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_GL_NT_Sheet*>(Create("STARTUP", "NTGEN").get()));
}

TEST_F(SheetRegisterTest, TheFactoryRegisteredLastIsTriedFirst)
{
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<LaterTarskSheet, PxTarskGLGOptionsPtr>);
    EXPECT_TRUE(dynamic_cast<LaterTarskSheet*>(Create("STARTUP", "TARSKGEN").get()));
    EXPECT_TRUE(dynamic_cast<VqsOptions_GL_NT_Sheet*>(Create("STARTUP", "NTGEN").get()));
}

TEST_F(SheetRegisterTest, AFailingFactoryStopsTheSearchWithItsReason)
{
    VqsSheetRegister::AddFactory(&BrokenFactory);
    ui.ExpectMessageBox("Cannot create the options dialog:\nBroken factory", IDOK);
    EXPECT_EQ(Create("STARTUP", "TARSKGEN"), nullptr);
}

// The module registers a sheet for the options of components and events only: a record of
// an Ispec that is neither (another tool may have stored one) has none, on every platform.
TEST_F(SheetRegisterTest, TheOptionsOfAnIspecThatIsNeitherAComponentNorAnEventAreNotSupported)
{
    const struct {
        const char* optionSet;
        const char* recordClass;
    } cases[] = {{"NTGEN", "PxNTIspecOptions"},
                 {"UNIXGEN", "PxUnixIspecOptions"},
                 {"TARSKGEN", "PxTarskIspecOptions"},
                 {"QSRGEN", "PxQSRIspecOptions"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.recordClass);
        PxOptionsPtr record;
        Commit(*app.GetLink(), [&] { record = OptionSet(c.optionSet)->CreateMember("options", c.recordClass); });
        ASSERT_TRUE(record);
        ui.ExpectMessageBoxId(61500, IDOK);
        EXPECT_EQ(std::unique_ptr<VqsOptionsSheet>(VqsSheetRegister::CreateSheet(nullptr, record, 0)), nullptr);
        EXPECT_TRUE(Create("ENQUIRY", c.optionSet));
        ui.Verify();
    }
}
