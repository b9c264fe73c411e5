#include "OptionsTestSupport.h"

#include "options/VqsOptionsReport.h"
#include "options/VqsReportPrinter.h"
#include "proxy/PxTarskReportOptions.h"
#include "win/CPrintDialog.h"
#include "win/DisplayList.h"
#include "win/Window.h"

#include <algorithm>

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

constexpr int kProgressText = 1377;

struct Printed {
    int x;
    int y;
    std::string text;
    int height;
    bool underline;
};

vqwin::Printer NamedPrinter(const char* name, int widthMm, int heightMm, short orientation = DMORIENT_PORTRAIT)
{
    vqwin::Printer printer;
    printer.name = name;
    printer.widthMm = widthMm;
    printer.heightMm = heightMm;
    printer.orientation = orientation;
    return printer;
}

std::vector<Printed> TextsOn(const vqwin::PrintJob& job, std::size_t page)
{
    std::vector<Printed> texts;
    for (const vqwin::DisplayOp& op : job.pages.at(page)->Ops())
        if (op.kind == vqwin::DisplayOp::Kind::Text)
            texts.push_back({op.rect.left, op.rect.top, op.text, op.font.height, op.font.underline});
    return texts;
}

const Printed* Find(const std::vector<Printed>& texts, const std::string& text)
{
    auto found = std::find_if(texts.begin(), texts.end(), [&](const Printed& printed) { return printed.text == text; });
    return found == texts.end() ? nullptr : &*found;
}

bool IsSubsectionHeading(const std::string& text)
{
    return text.size() > 4 && text[0] == '1' && text[1] == '.' && text.find("  ") != std::string::npos &&
           text[2] != ' ';
}

// The printer's progress dialog: the dialog window with the page text; null when none.
HWND ProgressDialog()
{
    for (HWND window = ::FindWindowEx(nullptr, nullptr, "#32770", nullptr); window;
         window = ::FindWindowEx(nullptr, window, "#32770", nullptr))
        if (::GetDlgItem(window, kProgressText))
            return window;
    return nullptr;
}

// The user presses Cancel of the progress dialog (the click waits in its queue).
void PressCancelOfProgress()
{
    HWND progress = ProgressDialog();
    ASSERT_NE(progress, nullptr);
    ::PostMessage(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

std::string ProgressText()
{
    HWND progress = ProgressDialog();
    char text[64] = "";
    if (progress)
        ::GetWindowText(::GetDlgItem(progress, kProgressText), text, sizeof text);
    return text;
}

struct ReportPrintTest : OptionsTest {
    void SetUp() override
    {
        OptionsTest::SetUp();
        vqwin::ClearPrintJobs();
        vqwin::SetPrinters({NamedPrinter("Recording Printer", 210, 297)});
        app.SetAllowLongNames(FALSE);
    }

    void TearDown() override
    {
        vqwin::SetPageEndedHook({});
        vqwin::ClearPrintFailures();
        vqwin::SetPrinters({NamedPrinter("Recording Printer", 210, 297)});
        OptionsTest::TearDown();
    }

    PxVQSoftLinkPtr Link(const char* name) const
    {
        if (std::string(name) == "SALES")
            return Segment("SYS1", "SALES");
        return NamedIn<PxVQElementSoftLinkPtr>(
            name, [&](auto& list) { Segment("SYS1", "SALES")->GetListOfElementSoftLinks(list); });
    }

    // The report of the links in the option set, printed on the printer of `block`; the job.
    vqwin::PrintJob Print(std::initializer_list<const char*> links, const char* optionSet, PRINTDLG& block)
    {
        std::vector<PxVQSoftLinkPtr> softLinks;
        for (const char* name : links)
            softLinks.push_back(Link(name));
        VqsOptionsReport report(softLinks, OptionSet(optionSet));
        EXPECT_TRUE(report.BuildNodes(0));
        report.PrintPages(block, {"SYS1", "SALES", optionSet, "OS Tarsk"});
        const std::vector<vqwin::PrintJob> jobs = vqwin::PrintJobs();
        return jobs.empty() ? vqwin::PrintJob{} : jobs.back();
    }

    vqwin::PrintJob Print(std::initializer_list<const char*> links, const char* optionSet)
    {
        PRINTDLG block{};
        return Print(links, optionSet, block);
    }
};

} // namespace

TEST_F(ReportPrintTest, APageNarrowerThan285MillimetresScalesTheMarginAndTheFonts)
{
    struct Case {
        vqwin::Printer printer;
        int margin;
        int titleHeight;
        int sectionHeight;
        int footerHeight;
    };
    const Case cases[] = {
        {NamedPrinter("A4", 210, 297), 530, 294, 147, 110},
        {NamedPrinter("A4 across", 210, 297, DMORIENT_LANDSCAPE), 530, 294, 147, 110},
        {NamedPrinter("Wide", 300, 420), 720, 400, 200, 150},
    };
    for (const Case& test : cases) {
        vqwin::SetPrinters({test.printer});
        const vqwin::PrintJob job = Print({"MONTHLY"}, "TARSKGEN");
        ASSERT_EQ(job.state, vqwin::PrintJob::State::Ended) << test.printer.name;
        const std::vector<Printed> page = TextsOn(job, 0);

        const Printed* label = Find(page, "System Name:");
        const Printed* value = Find(page, "SYS1");
        const Printed* title = Find(page, "OPTIONS REPORT");
        const Printed* section = Find(page, "1.  MONTHLY - Report Options");
        const Printed* footer = Find(page, "  Page 1");
        ASSERT_TRUE(label && value && title && section && footer) << test.printer.name;
        EXPECT_EQ(label->x, test.margin) << test.printer.name;
        EXPECT_EQ(value->x, static_cast<int>(test.margin * 4.1)) << test.printer.name;
        EXPECT_EQ(title->height, test.titleHeight) << test.printer.name;
        EXPECT_EQ(section->height, test.sectionHeight) << test.printer.name;
        EXPECT_TRUE(section->underline) << test.printer.name;
        EXPECT_EQ(section->x, test.margin) << test.printer.name;
        EXPECT_EQ(footer->height, test.footerHeight) << test.printer.name;
        EXPECT_LT(section->y, 0) << test.printer.name;
    }
}

TEST_F(ReportPrintTest, ALongReportBreaksPagesRepeatingTheHeadingsAndNumbersEveryPage)
{
    Strings progress;
    vqwin::SetPageEndedHook([&](std::size_t) { progress.push_back(ProgressText()); });

    const vqwin::PrintJob job = Print({"SALES"}, "TARSKGEN");

    ASSERT_EQ(job.state, vqwin::PrintJob::State::Ended);
    EXPECT_EQ(job.document, "Report");
    ASSERT_GT(job.pages.size(), 2U);
    bool repeated = false;
    std::string lastSubsection;
    for (std::size_t page = 0; page < job.pages.size(); ++page) {
        const std::vector<Printed> texts = TextsOn(job, page);
        const std::string number = std::to_string(page + 1);
        EXPECT_NE(Find(texts, "  Page " + number), nullptr) << "page " << number;
        if (page + 1 < job.pages.size()) {
            EXPECT_EQ(progress.at(page), "Printing Page # " + number);
        }
        if (page > 0) {
            ASSERT_GE(texts.size(), 4U);
            EXPECT_EQ(texts[0].text, "OPTIONS REPORT") << "page " << number;
            EXPECT_TRUE(IsSubsectionHeading(texts[1].text)) << texts[1].text;
            EXPECT_EQ(texts[2].text, "OPTION");
            EXPECT_EQ(texts[3].text, "VALUE");
            repeated = repeated || texts[1].text == lastSubsection;
        }
        for (const Printed& text : texts)
            if (IsSubsectionHeading(text.text))
                lastSubsection = text.text;
    }
    EXPECT_TRUE(repeated);
}

TEST_F(ReportPrintTest, ALongValueWrapsInsideItsColumnAtWordsAndAWordTooWideIsCutWithoutSpaces)
{
    std::string phrase;
    for (int word = 1; word <= 30; ++word)
        phrase += (word > 1 ? " word" : "word") + std::string(word < 10 ? "0" : "") + std::to_string(word);
    const std::string wide(200, 'Y');
    Commit(*app.GetLink(), [&] {
        Options<PxTarskReportOptionsPtr>("MONTHLY", "TARSKGEN")->SetFastLoadDefaultFile(wide.c_str());
        Options<PxTarskReportOptionsPtr>("DAILY", "TARSKGEN")->SetFastLoadDefaultFile(phrase.c_str());
    });

    const vqwin::PrintJob job = Print({"DAILY", "MONTHLY"}, "TARSKGEN");

    std::vector<Printed> texts;
    for (std::size_t page = 0; page < job.pages.size(); ++page)
        for (const Printed& text : TextsOn(job, page))
            texts.push_back(text);

    Strings valueLines;
    for (const Printed& text : texts)
        if (text.x == 8 * 530 && (text.text.rfind("word", 0) == 0 || text.text.rfind("Y", 0) == 0))
            valueLines.push_back(text.text);
    EXPECT_EQ(valueLines, (Strings{phrase.substr(0, 90), phrase.substr(91, 90), phrase.substr(182),
                                   std::string(96, 'Y'), std::string(96, 'Y'), std::string(8, 'Y')}));
}

TEST_F(ReportPrintTest, ACellWhoseColumnIsBeyondTheMarginPrintsACharacterALineAndEnds)
{
    PRINTDLG block{};
    VqsReportPrinter printer;
    ASSERT_TRUE(printer.StartPrinting(&block));
    const VqsReportCells headings{"NAME", "KIND", "LAST"};
    int positions[3] = {};
    printer.MeasureText(headings, positions);
    positions[2] = 20000;
    EXPECT_TRUE(printer.PrintWrappedText(headings, positions, {"A", "Disk", "XYZ"}));
    printer.EndPrinting();

    const vqwin::PrintJob job = vqwin::PrintJobs().back();
    Strings last;
    for (const Printed& text : TextsOn(job, 0))
        if (text.x == 20000)
            last.push_back(text.text);
    EXPECT_EQ(last, (Strings{"X", "Y", "Z"}));
}

TEST_F(ReportPrintTest, CancelAfterTheFirstPageEndsTheDocumentWithWhatWasPrinted)
{
    vqwin::SetPageEndedHook([](std::size_t pages) {
        if (pages == 1)
            PressCancelOfProgress();
    });

    const vqwin::PrintJob job = Print({"SALES"}, "TARSKGEN");

    EXPECT_EQ(job.state, vqwin::PrintJob::State::Ended);
    ASSERT_EQ(job.pages.size(), 2U);
    Strings second;
    for (const Printed& text : TextsOn(job, 1))
        second.push_back(text.text);
    ASSERT_EQ(second.size(), 4U);
    EXPECT_EQ(second[0], "OPTIONS REPORT");
    EXPECT_EQ(second[3], "  Page 2");
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(ReportPrintTest, FailuresOfThePrinterAreReportedAndTheSetUpFailuresForgetThePrinter)
{
    struct Case {
        const char* name;
        std::vector<vqwin::Printer> printers;
        bool defaultBlock;
        std::vector<vqwin::PrintStep> failing;
        UINT message;  // 0: none
        bool blockKept;
        std::size_t jobs;
        vqwin::PrintJob::State state;
    };
    const vqwin::Printer printer = NamedPrinter("Recording Printer", 210, 297);
    const Case cases[] = {
        {"no printer", {}, false, {}, 61763, false, 0, {}},
        {"no device context", {printer}, true, {vqwin::PrintStep::CreateDC}, 61764, false, 0, {}},
        {"document refused", {printer}, true, {vqwin::PrintStep::StartDoc}, 61765, true, 0, {}},
        {"first page refused", {printer}, true, {vqwin::PrintStep::StartPage}, 61765, true, 1,
         vqwin::PrintJob::State::Aborted},
        {"page not ended", {printer}, true, {vqwin::PrintStep::EndPage}, 0, true, 1, vqwin::PrintJob::State::Aborted},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        vqwin::ClearPrintJobs();
        vqwin::ClearPrintFailures();
        vqwin::SetPrinters(test.printers);
        PRINTDLG block{};
        if (test.defaultBlock) {
            CPrintDialog defaults(TRUE);
            ASSERT_TRUE(defaults.GetDefaults());
            block = defaults.m_pd;
        }
        for (vqwin::PrintStep step : test.failing)
            vqwin::FailPrintStep(step);
        if (test.message)
            ui.ExpectMessageBoxId(test.message, IDOK);

        Print({"SALES"}, "TARSKGEN", block);

        ui.Verify();
        EXPECT_EQ(block.hDevNames != nullptr, test.blockKept);
        const std::vector<vqwin::PrintJob> jobs = vqwin::PrintJobs();
        ASSERT_EQ(jobs.size(), test.jobs);
        if (!jobs.empty()) {
            EXPECT_EQ(jobs[0].state, test.state);
        }
        EXPECT_EQ(ProgressDialog(), nullptr);
    }
}
TEST_F(ReportPrintTest, AReportOnTheDefaultPrinterReadsAsTitleBlockNumberedSectionsTablesAndFooter)
{
    PRINTDLG block{};
    const vqwin::PrintJob job = Print({"DAILY"}, "NTGEN", block);

    CPrintDialog written(TRUE);
    written.m_pd = block;
    EXPECT_EQ(written.GetDeviceName(), "Recording Printer");
    ASSERT_EQ(job.pages.size(), 1U);
    Strings texts;
    for (const Printed& text : TextsOn(job, 0))
        texts.push_back(text.text);
    ASSERT_EQ(texts.size(), 26U);
    texts.erase(texts.end() - 3, texts.end() - 1);  // the time and the product
    EXPECT_EQ(texts, (Strings{"OPTIONS REPORT", "System Name:", "SYS1", "Business Segment Name:", "SALES",
                              "Option Set Name:", "NTGEN", "Host Type:", "OS Tarsk", "1.  DAILY - Report Options",
                              "1.1  Extract File Options", "NAME", "KIND", "No extract files", "1.2  Report Options",
                              "OPTION", "VALUE", "AsName", "ExtractPack", "SALESPATH", "Language", "OLTPClient", "0",
                              "  Page 1"}));
}
