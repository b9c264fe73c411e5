// Printers and printing without a spooler. The printers are a list the tests (or the host)
// set; printing draws into recording printer device contexts, and a print job is a list of
// recorded pages (display lists) that can be written out as text. The print and print
// setup dialogs are answered by the UI driver: it chooses a printer and an orientation.
#pragma once

#include "win/CommonDialogs.h"
#include "win/GlobalMemory.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vqwin {
class DisplayList;
}

// Device modes.
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;

struct DEVMODE {
    char dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;  // tenths of a millimetre
    short dmPaperWidth;
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
};
using LPDEVMODE = DEVMODE*;

// Followed by the driver, device and port names; the offsets count characters from the start.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
using LPDEVNAMES = DEVNAMES*;

// PRINTDLG flags.
constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_NOWARNING = 0x00000080;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNIC = 0x00000200;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_SHOWHELP = 0x00000800;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

struct PRINTDLG {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
};
using LPPRINTDLG = PRINTDLG*;

// The print or print setup dialog (PD_PRINTSETUP), or with PD_RETURNDEFAULT the default
// printer without asking. Fills hDevMode and hDevNames (freeing those it had), and hDC with
// PD_RETURNDC. FALSE on Cancel or failure (CommDlgExtendedError: PDERR_NODEFAULTPRN when
// there is no printer).
BOOL PrintDlg(LPPRINTDLG pd);

// Printers.
constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x00000004;

struct PRINTER_INFO_2 {
    LPSTR pServerName;
    LPSTR pPrinterName;
    LPSTR pShareName;
    LPSTR pPortName;
    LPSTR pDriverName;
    LPSTR pComment;
    LPSTR pLocation;
    LPDEVMODE pDevMode;
    DWORD Attributes;
    DWORD Status;
};

// Level 2 only. A buffer too small for all of them: FALSE, ERROR_INSUFFICIENT_BUFFER and
// the size needed.
BOOL EnumPrinters(DWORD flags, LPSTR name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned);
BOOL OpenPrinter(LPSTR name, HANDLE* printer, void* defaults);
BOOL GetPrinter(HANDLE printer, DWORD level, BYTE* buffer, DWORD size, DWORD* needed);
BOOL ClosePrinter(HANDLE printer);

// A printer device context of the named device; null when there is no such printer.
HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode);

// Documents and pages on a printer device context.
constexpr int SP_ERROR = -1;
constexpr int SP_APPABORT = -2;
using ABORTPROC = BOOL (*)(HDC, int);

struct DOCINFO {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;
    LPCSTR lpszDatatype;
    DWORD fwType;
};

// The job's id (above 0), or SP_ERROR.
int StartDoc(HDC dc, const DOCINFO* info);
int StartPage(HDC dc);
// Ends the page; the abort procedure is asked whether to go on (SP_APPABORT when not,
// which aborts the job).
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int SetAbortProc(HDC dc, ABORTPROC proc);

namespace vqwin {

struct Printer {
    std::string name;
    std::string driver = "vqprint";
    std::string port = "FILE:";
    std::string location;
    int widthMm = 210;
    int heightMm = 297;
    int dpi = 300;
    short orientation = DMORIENT_PORTRAIT;
};

// The installed printers; the first is the default. At start one A4 printer named
// "Recording Printer".
void SetPrinters(std::vector<Printer> printers);
std::vector<Printer> Printers();

// Steps that can be made to fail, for tests of what the module does then.
enum class PrintStep { PrintDialog, EnumPrinters, GetPrinter, CreateDC, StartDoc, StartPage, EndPage };
void FailPrintStep(PrintStep step, bool fail = true);
void ClearPrintFailures();

// Called on the printing thread each time a page has been ended, with the number of pages
// the job has then, before the abort procedure is asked: what a person does while the
// spooler works (a test presses Cancel of a progress dialog there). Empty: nothing.
void SetPageEndedHook(std::function<void(std::size_t pages)> hook);

struct PrintJob {
    enum class State { Printing, Ended, Aborted };
    int id = 0;
    std::string printer;
    std::string document;
    short orientation = DMORIENT_PORTRAIT;
    State state = State::Printing;
    std::vector<std::shared_ptr<DisplayList>> pages;
};

// Every job since the start or the last clear, in order.
std::vector<PrintJob> PrintJobs();
void ClearPrintJobs();
// The job as text: a heading line, then each page's heading and one line per drawing.
std::string Describe(const PrintJob& job);

} // namespace vqwin
