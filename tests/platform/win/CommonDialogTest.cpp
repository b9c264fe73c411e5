#include "DialogTestSupport.h"

#include "win/CDC.h"
#include "win/CFileDialog.h"
#include "win/CPrintDialog.h"
#include "win/DisplayList.h"
#include "win/LastError.h"

#include "support/ScriptedUiDriver.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>

using vqui::EventKind;

namespace {

struct CommonDialogTest : DialogTest {
    ~CommonDialogTest() override
    {
        vqwin::SetPrinters(installed);
        vqwin::ClearPrintFailures();
        vqwin::ClearPrintJobs();
    }
    static vqwin::Printer Named(const char* name, int widthMm, int heightMm, short orientation = DMORIENT_PORTRAIT)
    {
        vqwin::Printer printer;
        printer.name = name;
        printer.widthMm = widthMm;
        printer.heightMm = heightMm;
        printer.orientation = orientation;
        printer.location = std::string("Room of ") + name;
        return printer;
    }

    const std::vector<vqwin::Printer> installed = vqwin::Printers();
    vqtest::TempDir files;
};

} // namespace

TEST_F(CommonDialogTest, FileOpenTakesTheChosenPathWithTheDefaultExtension)
{
    const std::string batch = files.Write("run.bat", "echo\n");
    CFileDialog dialog(TRUE, "bat", nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       "Batch Files|*.bat||");
    vqtest::ScriptedUiDriver ui;
    ui.ExpectCommonDialog(EventKind::FileOpen, files.File("run"));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), batch.c_str());
    EXPECT_EQ(dialog.GetFileName(), "run.bat");
    EXPECT_EQ(dialog.GetFileExt(), "bat");
    const vqui::UiEvent seen = ui.Seen().front();
    EXPECT_EQ(seen.caption, "Open");
    EXPECT_EQ(seen.filter, "Batch Files|*.bat|");
    EXPECT_EQ(LastTranscriptLine(), "file open \"Open\" -> OK: " + batch);
}

TEST_F(CommonDialogTest, AFileThatMustExistAndDoesNotIsRefusedAndAskedAgain)
{
    const std::string batch = files.Write("run.bat", "echo\n");
    char buffer[MAX_PATH] = "";
    OPENFILENAME ofn{};
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.lpstrTitle = "Batch file";
    ofn.Flags = OFN_FILEMUSTEXIST;
    std::vector<std::string> failures = FailuresOf([&] {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectCommonDialog(EventKind::FileOpen, files.File("missing.bat"))
            .ExpectCommonDialog(EventKind::FileOpen, batch);
        EXPECT_TRUE(GetOpenFileName(&ofn));
    });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_THAT(failures[0], ::testing::HasSubstr("missing.bat does not exist"));
    EXPECT_STREQ(buffer, batch.c_str());
}

TEST_F(CommonDialogTest, APathLongerThanTheBufferFailsAndCancelIsNoError)
{
    char buffer[8] = "";
    OPENFILENAME ofn{};
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectCommonDialog(EventKind::FileSave, "/tmp/a-long-name.txt");
        EXPECT_FALSE(GetSaveFileName(&ofn));
        EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
        ui.ExpectCommonDialogCancelled(EventKind::FileSave);
        EXPECT_FALSE(GetSaveFileName(&ofn));
        EXPECT_EQ(CommDlgExtendedError(), 0u);
    }
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(LastTranscriptLine(), "file save \"Save As\" -> Cancel (no driver)");
}

TEST_F(CommonDialogTest, TheFolderDialogAnswersAnExistingFolderFreedByTheShellAllocator)
{
    char name[MAX_PATH] = "";
    BROWSEINFO info{};
    info.pszDisplayName = name;
    info.lpszTitle = "Output directory";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectCommonDialog(EventKind::FolderBrowse, files.Path());
    LPITEMIDLIST folder = SHBrowseForFolder(&info);
    ASSERT_NE(folder, nullptr);
    char path[MAX_PATH] = "";
    EXPECT_TRUE(SHGetPathFromIDList(folder, path));
    EXPECT_EQ(std::string(path), files.Path());
    EXPECT_EQ(std::string(name), files.Path().substr(files.Path().rfind('/') + 1));
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    malloc->Free(folder);
    malloc->Release();

    ui.ExpectCommonDialogCancelled(EventKind::FolderBrowse);
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
}

TEST_F(CommonDialogTest, PrintSetupChoosesAPrinterAndAnOrientation)
{
    vqwin::SetPrinters({Named("Alpha", 210, 297), Named("Beta", 216, 279, DMORIENT_LANDSCAPE)});
    CPrintDialog setup(TRUE);
    ASSERT_TRUE(setup.GetDefaults());
    EXPECT_EQ(setup.GetDeviceName(), "Alpha");
    EXPECT_EQ(setup.GetDriverName(), "vqprint");
    EXPECT_EQ(setup.GetDevMode()->dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(setup.GetPrinterDC(), nullptr);

    setup.m_pd.Flags &= ~PD_RETURNDEFAULT;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectCommonDialog(EventKind::PrintSetup, "Beta", DMORIENT_PORTRAIT)
        .ExpectCommonDialog(EventKind::PrintSetup, "");
    ASSERT_EQ(setup.DoModal(), IDOK);
    EXPECT_EQ(setup.GetDeviceName(), "Beta");
    EXPECT_EQ(setup.GetDevMode()->dmOrientation, DMORIENT_PORTRAIT);
    const vqui::UiEvent shown = ui.Seen().front();
    EXPECT_EQ(shown.text, "Alpha");
    EXPECT_EQ(shown.choices, (std::vector<CString>{"Alpha", "Beta"}));
    ASSERT_EQ(setup.DoModal(), IDOK);  // OK keeps the printer and its orientation
    EXPECT_EQ(setup.GetDeviceName(), "Beta");
    EXPECT_EQ(setup.GetDevMode()->dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(LastTranscriptLine(), "print setup \"Print Setup\" -> OK: Beta");
}

TEST_F(CommonDialogTest, WithoutPrintersThereIsNoDefaultAndNoDialog)
{
    vqwin::SetPrinters({});
    CPrintDialog setup(TRUE);
    EXPECT_FALSE(setup.GetDefaults());
    EXPECT_EQ(CommDlgExtendedError(), PDERR_NODEFAULTPRN);
    vqtest::ScriptedUiDriver ui;
    EXPECT_EQ(setup.DoModal(), IDCANCEL);
    EXPECT_TRUE(ui.Seen().empty());
}

TEST_F(CommonDialogTest, PrintersAreListedAndDescribed)
{
    vqwin::SetPrinters({Named("Alpha", 210, 297), Named("Beta", 216, 279)});
    DWORD needed = 0;
    DWORD count = 0;
    EXPECT_FALSE(EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count));
    ASSERT_EQ(count, 2u);
    const auto* infos = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());
    EXPECT_STREQ(infos[1].pPrinterName, "Beta");
    EXPECT_STREQ(infos[1].pLocation, "Room of Beta");

    HANDLE printer = nullptr;
    char name[] = "Beta";
    ASSERT_TRUE(OpenPrinter(name, &printer, nullptr));
    std::vector<BYTE> one(512);
    ASSERT_TRUE(GetPrinter(printer, 2, one.data(), static_cast<DWORD>(one.size()), &needed));
    EXPECT_STREQ(reinterpret_cast<const PRINTER_INFO_2*>(one.data())->pPortName, "FILE:");
    EXPECT_TRUE(ClosePrinter(printer));
    char unknown[] = "Gamma";
    EXPECT_FALSE(OpenPrinter(unknown, &printer, nullptr));
}

TEST_F(CommonDialogTest, APrintJobIsAListOfRecordedPagesInLogicalUnits)
{
    CPrintDialog setup(TRUE);
    ASSERT_TRUE(setup.GetDefaults());
    CDC dc;
    ASSERT_TRUE(dc.Attach(setup.CreatePrinterDC()));
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 210);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 2480);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
    ASSERT_GT(dc.StartDoc("Report"), 0);
    ASSERT_GT(dc.StartPage(), 0);
    EXPECT_EQ(dc.SetMapMode(MM_TWIPS), MM_TEXT);
    CPoint corner(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&corner);
    EXPECT_EQ(corner, CPoint(11904, -16833));
    dc.TextOut(720, -720, "OPTIONS REPORT");
    ASSERT_GT(dc.EndPage(), 0);
    ASSERT_GT(dc.StartPage(), 0);
    dc.MoveTo(720, -900);
    dc.LineTo(11184, -900);
    ASSERT_GT(dc.EndPage(), 0);
    ASSERT_GT(dc.EndDoc(), 0);
    dc.DeleteDC();

    const auto jobs = vqwin::PrintJobs();
    ASSERT_EQ(jobs.size(), 1u);
    const std::string text = vqwin::Describe(jobs[0]);
    EXPECT_THAT(text, ::testing::StartsWith("print job " + std::to_string(jobs[0].id) +
                                            " \"Report\" on Recording Printer (portrait), 2 page(s), ended\npage 1\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("text (720,-720) \"OPTIONS REPORT\""));
    EXPECT_THAT(text, ::testing::HasSubstr("page 2\n  line (720,-900)-(11184,-900)"));
}

TEST_F(CommonDialogTest, ALandscapePageTurnsTheMeasuresAndAnAbortProcedureStopsTheJob)
{
    vqwin::SetPrinters({Named("Alpha", 210, 297, DMORIENT_LANDSCAPE)});
    CPrintDialog setup(TRUE);
    ASSERT_TRUE(setup.GetDefaults());
    CDC dc;
    ASSERT_TRUE(dc.Attach(setup.CreatePrinterDC()));
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 297);
    EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 210);
    dc.SetAbortProc([](HDC, int) -> BOOL { return FALSE; });
    ASSERT_GT(dc.StartDoc("Report"), 0);
    ASSERT_GT(dc.StartPage(), 0);
    EXPECT_EQ(dc.EndPage(), SP_APPABORT);
    EXPECT_EQ(vqwin::PrintJobs().back().state, vqwin::PrintJob::State::Aborted);
    EXPECT_EQ(dc.EndDoc(), SP_ERROR);

    vqwin::FailPrintStep(vqwin::PrintStep::StartDoc);
    EXPECT_EQ(dc.StartDoc("Report"), SP_ERROR);
    vqwin::FailPrintStep(vqwin::PrintStep::CreateDC);
    EXPECT_EQ(setup.CreatePrinterDC(), nullptr);
}
