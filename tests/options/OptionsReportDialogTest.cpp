#include "OptionsTestSupport.h"

#include "options/VqsOptionsReport.h"
#include "win/CPrintDialog.h"
#include "win/Window.h"

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;
using Choice = VqsOptionsReport::Choice;

constexpr UINT kReportDialog = 111;
constexpr int kSetup = 1004;
constexpr int kByType = 1744;

vqwin::Printer NamedPrinter(const char* name, const char* location, const char* port = "FILE:")
{
    vqwin::Printer printer;
    printer.name = name;
    printer.location = location;
    printer.port = port;
    return printer;
}

struct OptionsReportDialogTest : OptionsTest {
    PRINTDLG block{};
    int sortChoice = 0;

    void SetUp() override
    {
        OptionsTest::SetUp();
        vqwin::ClearPrintJobs();
    }

    void TearDown() override
    {
        vqwin::ClearPrintFailures();
        vqwin::SetPrinters({NamedPrinter("Recording Printer", "")});
        OptionsTest::TearDown();
    }

    // The block of a printer, as an earlier report left it.
    static PRINTDLG BlockOf(const vqwin::Printer& printer, std::vector<vqwin::Printer> installed)
    {
        vqwin::SetPrinters({printer});
        CPrintDialog defaults(TRUE);
        EXPECT_TRUE(defaults.GetDefaults());
        vqwin::SetPrinters(std::move(installed));
        return defaults.m_pd;
    }

    static std::string Shown(int id)
    {
        char text[128] = "";
        for (HWND window = ::FindWindowEx(nullptr, nullptr, "#32770", nullptr); window;
             window = ::FindWindowEx(nullptr, window, "#32770", nullptr))
            if (::GetDlgItem(window, kSetup))
                ::GetWindowText(::GetDlgItem(window, id), text, sizeof text);
        return text;
    }
};

std::string DeviceName(const PRINTDLG& block)
{
    CPrintDialog reader(TRUE);
    reader.m_pd = block;
    return reader.GetDeviceName().str();
}

} // namespace

TEST_F(OptionsReportDialogTest, APrinterSinceRemovedFallsBackToTheDefaultAndSetupChoosesAnother)
{
    const vqwin::Printer office = NamedPrinter("Office", "Room 4");
    const vqwin::Printer basement = NamedPrinter("Basement", "", "LPT1:");
    block = BlockOf(NamedPrinter("Removed", "Attic"), {office, basement});
    Strings shown;
    ui.ExpectDialog(kReportDialog)
        .Run([&] { shown = {Shown(1734), Shown(1735), Shown(1736)}; })
        .Click(kSetup)
        .Run([&] { shown.push_back(Shown(1734) + " at " + Shown(1736)); })
        .Click(kByType)
        .OK();
    ui.ExpectCommonDialog(vqui::EventKind::PrintSetup, "Basement");

    EXPECT_EQ(VqsOptionsReport::ChooseReport(nullptr, block, sortChoice), Choice::Print);

    EXPECT_EQ(shown, (Strings{"Office", "vqprint", "Room 4", "Basement at LPT1:"}));
    EXPECT_EQ(DeviceName(block), "Basement");
    EXPECT_EQ(sortChoice, 1);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionsReportDialogTest, CancelInThePrinterSetupKeepsTheEarlierPrinter)
{
    block = BlockOf(NamedPrinter("Basement", ""), {NamedPrinter("Office", ""), NamedPrinter("Basement", "")});
    ui.ExpectDialog(kReportDialog).Click(kSetup).OK();
    ui.ExpectCommonDialogCancelled(vqui::EventKind::PrintSetup);

    EXPECT_EQ(VqsOptionsReport::ChooseReport(nullptr, block, sortChoice), Choice::Print);

    EXPECT_EQ(DeviceName(block), "Basement");
    EXPECT_EQ(sortChoice, 0);
}

TEST_F(OptionsReportDialogTest, WithNoPrinterTheDialogSaysSoAndNothingIsPrinted)
{
    vqwin::SetPrinters({});
    Strings shown;
    ui.ExpectDialog(kReportDialog).Run([&] { shown = {Shown(1734), Shown(1735), Shown(1736)}; }).OK();
    ui.ExpectMessageBoxId(61782, IDOK);
    ui.ExpectMessageBoxId(61766, IDOK);

    EXPECT_EQ(VqsOptionsReport::ChooseReport(nullptr, block, sortChoice), Choice::NoPrinter);

    EXPECT_EQ(shown, (Strings{"", "", ""}));
    EXPECT_EQ(block.hDevNames, nullptr);
}

TEST_F(OptionsReportDialogTest, ASetupThatFailsForgetsThePrinterAndNothingIsPrinted)
{
    block = BlockOf(NamedPrinter("Office", ""), {NamedPrinter("Office", "")});
    vqwin::FailPrintStep(vqwin::PrintStep::PrintDialog);
    ui.ExpectDialog(kReportDialog).Click(kSetup).OK();
    ui.ExpectMessageBoxId(61762, IDOK);
    ui.ExpectMessageBoxId(61766, IDOK);

    EXPECT_EQ(VqsOptionsReport::ChooseReport(nullptr, block, sortChoice), Choice::NoPrinter);

    EXPECT_EQ(block.hDevNames, nullptr);
}

TEST_F(OptionsReportDialogTest, CancelPrintsNothingAndIsNoError)
{
    vqwin::SetPrinters({});
    ui.ExpectDialog(kReportDialog).Cancel();
    ui.ExpectMessageBoxId(61782, IDOK);

    EXPECT_EQ(VqsOptionsReport::ChooseReport(nullptr, block, sortChoice), Choice::Cancelled);

    EXPECT_EQ(MessageBoxes(), Strings{"There is no printer available"});
    EXPECT_TRUE(vqwin::PrintJobs().empty());
}
