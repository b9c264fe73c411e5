// Lays out and prints the options report on a printer: a title block on the first page,
// numbered section and sub-section headings, tables whose cells wrap inside their columns,
// a running page header and footer, and page breaks that repeat the current headings.
// Draws in twips (y grows upwards, so every line is at a negative y). While it prints, the
// progress dialog shows the page and lets the user stop.
//
// Every print operation answers TRUE to go on and FALSE when printing must stop: a page
// could not be ended or started, the user cancelled, or a page header failed.
#pragma once

#include "options/VqsReportNodes.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/Printing.h"

#include <array>
#include <memory>

class CPrDialog;
class CPrintDialog;

class VqsReportPrinter {
public:
    VqsReportPrinter();
    ~VqsReportPrinter();
    VqsReportPrinter(const VqsReportPrinter&) = delete;
    VqsReportPrinter& operator=(const VqsReportPrinter&) = delete;

    // Opens the document and its first page on the printer of `block` (the default printer,
    // written back into it, when it names none). Set-up failures clear the block so that the
    // next report starts from the default printer.
    BOOL StartPrinting(PRINTDLG* block);
    BOOL PrintTitleBlock(const CString& systemName, const CString& businessSegmentName, const CString& hostType,
                         const CString& optionSetName);
    BOOL PrintSectionHeading(const CString& text, const CString& number);
    BOOL PrintSubsectionHeading(const CString& text, const CString& number);
    // The x-position of each column of a table into `positions` (one per heading).
    void MeasureText(const VqsReportCells& headings, int* positions);
    // One line of cells at the column positions (the column headings).
    BOOL PrintLine(const VqsReportCells& cells, const int* positions);
    // One line of text at the group indent; after a page break the headings are repeated
    // (a section heading without positions, the sub-section and its columns with them).
    BOOL PrintGroup(const VqsReportCells& headings, const int* positions, const CString& text);
    // One table row, each cell wrapped inside its column.
    BOOL PrintWrappedText(const VqsReportCells& headings, const int* positions, const VqsReportCells& cells);
    // Ends the last page and the document; aborts the document when a page failed.
    void EndPrinting();

private:
    enum Font { SectionFont, SubsectionFont, ColumnHeadingFont, TextFont, TitleFont, FooterFont, FontCount };

    BOOL SetUpPrinter(PRINTDLG* block);
    BOOL OpenDocument();
    void MeasurePage(short orientation);
    void CreateFonts();
    void Select(Font font);
    int LineY(int line) const { return -(m_nMargin + line * m_nLineHeight); }
    void Rule(int y);
    BOOL GoOn() const;
    // A page break: the footer, then the next page; FALSE (aborted) when either page failed.
    BOOL NextPage();
    BOOL NextPageWithHeader();
    BOOL PrintPageHeader();
    void PrintPageFooter();
    BOOL RepeatSubsection(const VqsReportCells& headings, const int* positions);
    // Leaves in `text` the part that fits in `room` and puts the rest in `rest`.
    BOOL SplitToFit(CString& text, CString& rest, int room);
    static BOOL AbortProc(HDC dc, int code);

    int m_bAborted = 0;
    // Set once the document was started: only then are there a page, a footer and a dialog.
    bool m_bDocumentStarted = false;
    std::unique_ptr<CPrintDialog> m_pPrintSetup;
    CDC m_dc;
    int m_nLine = 0;
    int m_nPage = 1;
    std::array<CFont, FontCount> m_fonts;
    CFont* m_pPreviousFont = nullptr;
    int m_nPreviousMapMode = 8;
    int m_nLineHeight = 202;
    std::unique_ptr<CPrDialog> m_pProgress;
    int m_nMargin = 720;
    float m_fScale = 1.0F;
    int m_nLinesPerPage = 60;
    int m_nPageWidth = 11540;
    CString m_strSubsectionText;
    CString m_strSubsectionNumber;
};
