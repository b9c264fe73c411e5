#include "win/Printing.h"

#include "win/DeviceContexts.h"
#include "win/DisplayList.h"
#include "win/LastError.h"
#include "win/Mbcs.h"
#include "win/ModalLoop.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <utility>

using vqwin::Printer;
using vqwin::PrintJob;
using vqwin::PrintStep;

namespace {

constexpr DWORD kErrorInvalidLevel = 124;

struct PrinterContext {
    std::string printer;
    short orientation = DMORIENT_PORTRAIT;
    ABORTPROC abortProc = nullptr;
    int job = -1;  // index into the jobs while a document is open
    std::shared_ptr<vqwin::DisplayList> page;
};

Printer RecordingPrinter()
{
    Printer printer;
    printer.name = "Recording Printer";
    return printer;
}

struct Spooler {
    std::mutex mutex;
    std::vector<Printer> printers{RecordingPrinter()};
    std::set<PrintStep> failing;
    std::vector<PrintJob> jobs;
    std::map<HDC, PrinterContext> contexts;
    std::map<HANDLE, std::string> handles;
    std::function<void(std::size_t)> pageEnded;
    std::uintptr_t nextHandle = 0x60000;
    int nextJob = 1;
};

Spooler& TheSpooler()
{
    static auto* spooler = new Spooler;
    return *spooler;
}

bool Failing(PrintStep step)
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    return spooler.failing.count(step) != 0;
}

bool FindPrinter(const std::string& name, Printer& out)
{
    for (const Printer& printer : vqwin::Printers()) {
        if (printer.name == name) {
            out = printer;
            return true;
        }
    }
    return false;
}

void CopyName(char* target, std::size_t size, const std::string& name)
{
    mbcs::CopyToBuffer(name, target, size);
}

HGLOBAL MakeDevMode(const Printer& printer, short orientation)
{
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODE));
    auto* mode = static_cast<DEVMODE*>(GlobalLock(block));
    CopyName(mode->dmDeviceName, sizeof mode->dmDeviceName, printer.name);
    mode->dmSize = sizeof(DEVMODE);
    mode->dmFields = DM_ORIENTATION | DM_PAPERLENGTH | DM_PAPERWIDTH;
    mode->dmOrientation = orientation;
    mode->dmPaperWidth = static_cast<short>(printer.widthMm * 10);
    mode->dmPaperLength = static_cast<short>(printer.heightMm * 10);
    mode->dmCopies = 1;
    GlobalUnlock(block);
    return block;
}

HGLOBAL MakeDevNames(const Printer& printer)
{
    const std::string names = printer.driver + '\0' + printer.name + '\0' + printer.port + '\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVNAMES) + names.size());
    auto* devNames = static_cast<DEVNAMES*>(GlobalLock(block));
    devNames->wDriverOffset = sizeof(DEVNAMES);
    devNames->wDeviceOffset = static_cast<WORD>(devNames->wDriverOffset + printer.driver.size() + 1);
    devNames->wOutputOffset = static_cast<WORD>(devNames->wDeviceOffset + printer.name.size() + 1);
    std::memcpy(reinterpret_cast<char*>(devNames) + sizeof(DEVNAMES), names.data(), names.size());
    GlobalUnlock(block);
    return block;
}

// The device name a DEVNAMES block holds; empty for none.
std::string DeviceNameOf(HGLOBAL devNames)
{
    const SIZE_T size = GlobalSize(devNames);
    const auto* block = static_cast<const char*>(GlobalLock(devNames));
    if (!block || size < sizeof(DEVNAMES))
        return {};
    const WORD offset = reinterpret_cast<const DEVNAMES*>(block)->wDeviceOffset;
    if (offset >= size)
        return {};
    return std::string(block + offset, strnlen(block + offset, size - offset));
}

short OrientationOf(HGLOBAL devMode, const std::string& printer, short fallback)
{
    const auto* mode = static_cast<const DEVMODE*>(GlobalLock(devMode));
    if (!mode || GlobalSize(devMode) < sizeof(DEVMODE) || printer != mode->dmDeviceName ||
        !(mode->dmFields & DM_ORIENTATION))
        return fallback;
    return mode->dmOrientation;
}

void FillPrinterBlock(PRINTDLG& pd, const Printer& printer, short orientation)
{
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    pd.hDevMode = MakeDevMode(printer, orientation);
    pd.hDevNames = MakeDevNames(printer);
    if (pd.Flags & PD_RETURNDC) {
        const auto* mode = static_cast<const DEVMODE*>(GlobalLock(pd.hDevMode));
        pd.hDC = CreateDC(printer.driver.c_str(), printer.name.c_str(), printer.port.c_str(), mode);
    }
}

std::vector<CString> PrinterNames(const std::vector<Printer>& printers)
{
    std::vector<CString> names;
    for (const Printer& printer : printers)
        names.emplace_back(printer.name.c_str());
    return names;
}

// Level-2 records of the printers, their texts after them.
DWORD PackPrinters(const std::vector<Printer>& printers, BYTE* buffer, DWORD size)
{
    DWORD needed = static_cast<DWORD>(printers.size() * sizeof(PRINTER_INFO_2));
    for (const Printer& printer : printers)
        needed += static_cast<DWORD>(printer.name.size() + printer.driver.size() + printer.port.size() +
                                     printer.location.size() + 4);
    if (!buffer || size < needed)
        return needed;
    auto* infos = reinterpret_cast<PRINTER_INFO_2*>(buffer);
    char* text = reinterpret_cast<char*>(buffer + printers.size() * sizeof(PRINTER_INFO_2));
    auto place = [&text](const std::string& value) {
        char* start = text;
        std::memcpy(text, value.c_str(), value.size() + 1);
        text += value.size() + 1;
        return start;
    };
    for (std::size_t i = 0; i < printers.size(); ++i) {
        infos[i] = PRINTER_INFO_2{};
        infos[i].pPrinterName = place(printers[i].name);
        infos[i].pDriverName = place(printers[i].driver);
        infos[i].pPortName = place(printers[i].port);
        infos[i].pLocation = place(printers[i].location);
    }
    return needed;
}

PrinterContext* FindContext(Spooler& spooler, HDC dc)
{
    auto found = spooler.contexts.find(dc);
    return found == spooler.contexts.end() ? nullptr : &found->second;
}

const char* StateName(PrintJob::State state)
{
    switch (state) {
    case PrintJob::State::Printing: return "printing";
    case PrintJob::State::Ended: return "ended";
    case PrintJob::State::Aborted: return "aborted";
    }
    return "?";
}

} // namespace

BOOL PrintDlg(LPPRINTDLG pd)
{
    vqwin::detail::SetCommonDialogError(0);
    if (!pd || Failing(PrintStep::PrintDialog)) {
        vqwin::detail::SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    const std::vector<Printer> printers = vqwin::Printers();
    if (printers.empty()) {
        vqwin::detail::SetCommonDialogError(PDERR_NODEFAULTPRN);
        return FALSE;
    }
    if (pd->Flags & PD_RETURNDEFAULT) {
        if (pd->hDevMode || pd->hDevNames) {
            vqwin::detail::SetCommonDialogError(CDERR_INITIALIZATION);
            return FALSE;
        }
        FillPrinterBlock(*pd, printers.front(), printers.front().orientation);
        return TRUE;
    }
    Printer current = printers.front();
    FindPrinter(DeviceNameOf(pd->hDevNames), current);
    const short orientation = OrientationOf(pd->hDevMode, current.name, current.orientation);

    vqui::UiEvent event;
    event.kind = (pd->Flags & PD_PRINTSETUP) ? vqui::EventKind::PrintSetup : vqui::EventKind::Print;
    event.caption = (pd->Flags & PD_PRINTSETUP) ? "Print Setup" : "Print";
    event.text = current.name.c_str();
    event.flags = pd->Flags;
    event.choices = PrinterNames(printers);
    const vqui::CommonDialogAnswer answer = vqui::AskCommonDialog(event, [](vqui::UiAction& action) {
        Printer chosen;
        if (!FindPrinter(action.text.str(), chosen))
            return "there is no printer " + action.text.str();
        if (action.option < 0 || action.option > DMORIENT_LANDSCAPE)
            return std::string("an orientation is 1 (portrait) or 2 (landscape)");
        return std::string();
    });
    if (answer.result != IDOK)
        return FALSE;
    Printer chosen;
    if (!FindPrinter(answer.text.str(), chosen)) {
        vqwin::detail::SetCommonDialogError(PDERR_PRINTERNOTFOUND);
        return FALSE;
    }
    const short keep = chosen.name == current.name ? orientation : chosen.orientation;
    FillPrinterBlock(*pd, chosen, answer.option ? static_cast<short>(answer.option) : keep);
    return TRUE;
}

BOOL EnumPrinters(DWORD, LPSTR, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned)
{
    if (returned)
        *returned = 0;
    if (Failing(PrintStep::EnumPrinters)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (level != 2) {
        SetLastError(kErrorInvalidLevel);
        return FALSE;
    }
    const std::vector<Printer> printers = vqwin::Printers();
    const DWORD wanted = PackPrinters(printers, buffer, size);
    if (needed)
        *needed = wanted;
    if (!buffer || size < wanted) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (returned)
        *returned = static_cast<DWORD>(printers.size());
    return TRUE;
}

BOOL OpenPrinter(LPSTR name, HANDLE* printer, void*)
{
    Printer found;
    if (!name || !printer || !FindPrinter(name, found)) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    *printer = reinterpret_cast<HANDLE>(spooler.nextHandle++);
    spooler.handles[*printer] = found.name;
    return TRUE;
}

BOOL GetPrinter(HANDLE printer, DWORD level, BYTE* buffer, DWORD size, DWORD* needed)
{
    if (Failing(PrintStep::GetPrinter)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string name;
    {
        Spooler& spooler = TheSpooler();
        std::lock_guard lock(spooler.mutex);
        auto found = spooler.handles.find(printer);
        if (found == spooler.handles.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        name = found->second;
    }
    Printer found;
    if (level != 2 || !FindPrinter(name, found)) {
        SetLastError(level != 2 ? kErrorInvalidLevel : ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    const DWORD wanted = PackPrinters({found}, buffer, size);
    if (needed)
        *needed = wanted;
    if (!buffer || size < wanted) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}

BOOL ClosePrinter(HANDLE printer)
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    return spooler.handles.erase(printer) != 0;
}

HDC CreateDC(LPCSTR, LPCSTR device, LPCSTR, const DEVMODE* mode)
{
    Printer printer;
    if (!device || Failing(PrintStep::CreateDC) || !FindPrinter(device, printer))
        return nullptr;
    const short orientation =
        mode && (mode->dmFields & DM_ORIENTATION) ? mode->dmOrientation : printer.orientation;
    CSize millimetres(printer.widthMm, printer.heightMm);
    if (orientation == DMORIENT_LANDSCAPE)
        millimetres = CSize(printer.heightMm, printer.widthMm);
    vqwin::detail::DeviceCaps caps;
    caps.millimetres = millimetres;
    caps.pixels = CSize(millimetres.cx * printer.dpi * 10 / 254, millimetres.cy * printer.dpi * 10 / 254);
    caps.dpiX = caps.dpiY = printer.dpi;
    HDC dc = vqwin::detail::CreateDeviceContext(caps);
    vqwin::detail::SetDrawingTarget(dc, nullptr);
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    spooler.contexts[dc] = PrinterContext{printer.name, orientation, nullptr, -1, nullptr};
    return dc;
}

int StartDoc(HDC dc, const DOCINFO* info)
{
    if (Failing(PrintStep::StartDoc))
        return SP_ERROR;
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    PrinterContext* context = FindContext(spooler, dc);
    if (!context || context->job >= 0)
        return SP_ERROR;
    PrintJob job;
    job.id = spooler.nextJob++;
    job.printer = context->printer;
    job.document = info && info->lpszDocName ? info->lpszDocName : "";
    job.orientation = context->orientation;
    context->job = static_cast<int>(spooler.jobs.size());
    spooler.jobs.push_back(std::move(job));
    return spooler.jobs.back().id;
}

int StartPage(HDC dc)
{
    if (Failing(PrintStep::StartPage))
        return SP_ERROR;
    std::shared_ptr<vqwin::DisplayList> page;
    {
        Spooler& spooler = TheSpooler();
        std::lock_guard lock(spooler.mutex);
        PrinterContext* context = FindContext(spooler, dc);
        if (!context || context->job < 0 || context->page)
            return SP_ERROR;
        page = context->page = std::make_shared<vqwin::DisplayList>();
    }
    vqwin::detail::SetDrawingTarget(dc, page);
    return 1;
}

int EndPage(HDC dc)
{
    if (Failing(PrintStep::EndPage))
        return SP_ERROR;
    ABORTPROC abortProc = nullptr;
    std::function<void(std::size_t)> pageEnded;
    std::size_t pages = 0;
    {
        Spooler& spooler = TheSpooler();
        std::lock_guard lock(spooler.mutex);
        PrinterContext* context = FindContext(spooler, dc);
        if (!context || !context->page)
            return SP_ERROR;
        PrintJob& job = spooler.jobs[static_cast<std::size_t>(context->job)];
        job.pages.push_back(std::exchange(context->page, nullptr));
        pages = job.pages.size();
        abortProc = context->abortProc;
        pageEnded = spooler.pageEnded;
    }
    vqwin::detail::SetDrawingTarget(dc, nullptr);
    if (pageEnded)
        pageEnded(pages);
    if (abortProc && !abortProc(dc, 0)) {
        AbortDoc(dc);
        return SP_APPABORT;
    }
    return 1;
}

namespace {

int CloseDocument(HDC dc, PrintJob::State state)
{
    {
        Spooler& spooler = TheSpooler();
        std::lock_guard lock(spooler.mutex);
        PrinterContext* context = FindContext(spooler, dc);
        if (!context || context->job < 0)
            return SP_ERROR;
        PrintJob& job = spooler.jobs[static_cast<std::size_t>(context->job)];
        if (context->page && state == PrintJob::State::Ended)
            job.pages.push_back(context->page);
        job.state = state;
        context->page = nullptr;
        context->job = -1;
    }
    vqwin::detail::SetDrawingTarget(dc, nullptr);
    return 1;
}

} // namespace

int EndDoc(HDC dc) { return CloseDocument(dc, PrintJob::State::Ended); }

int AbortDoc(HDC dc) { return CloseDocument(dc, PrintJob::State::Aborted); }

int SetAbortProc(HDC dc, ABORTPROC proc)
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    PrinterContext* context = FindContext(spooler, dc);
    if (!context)
        return SP_ERROR;
    context->abortProc = proc;
    return 1;
}

namespace vqwin {

void SetPrinters(std::vector<Printer> printers)
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    spooler.printers = std::move(printers);
}

std::vector<Printer> Printers()
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    return spooler.printers;
}

void SetPageEndedHook(std::function<void(std::size_t pages)> hook)
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    spooler.pageEnded = std::move(hook);
}

void FailPrintStep(PrintStep step, bool fail)
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    if (fail)
        spooler.failing.insert(step);
    else
        spooler.failing.erase(step);
}

void ClearPrintFailures()
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    spooler.failing.clear();
}

std::vector<PrintJob> PrintJobs()
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    return spooler.jobs;
}

void ClearPrintJobs()
{
    Spooler& spooler = TheSpooler();
    std::lock_guard lock(spooler.mutex);
    spooler.jobs.clear();
    for (auto& [dc, context] : spooler.contexts) {
        context.job = -1;
        context.page = nullptr;
    }
}

std::string Describe(const PrintJob& job)
{
    std::string text = "print job " + std::to_string(job.id) + " \"" + job.document + "\" on " + job.printer +
                       (job.orientation == DMORIENT_LANDSCAPE ? " (landscape), " : " (portrait), ") +
                       std::to_string(job.pages.size()) + " page(s), " + StateName(job.state) + "\n";
    for (std::size_t i = 0; i < job.pages.size(); ++i) {
        text += "page " + std::to_string(i + 1) + "\n";
        for (const DisplayOp& op : job.pages[i]->Ops())
            text += "  " + DisplayList::Describe(op) + "\n";
    }
    return text;
}

} // namespace vqwin
