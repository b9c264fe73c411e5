// The base of the module's dialog boxes (all but property pages): the option-control
// connector, resize rules applied on every WM_SIZE, pop-up help for controls, and Enter on
// an open-dialog button clicking that button.
#pragma once

#include "shell/VqsDialogCtrlConnector.h"
#include "win/CDialog.h"

class VqsDialog : public CDialog {
public:
    // One control's rule for following the dialog's size. A derived dialog keeps its rules
    // and lists them in GetResizeSpecs; a rule that reads another control comes after that
    // control's own rule.
    class ResizeSpec : public CObject {
    public:
        explicit ResizeSpec(UINT id) : m_nID(id) {}
        // Once per opening, with the size of the dialog's window rectangle.
        virtual void Init(CWnd* dialog, const SIZE* windowSize) = 0;
        // Changes `rect` (the control's rectangle now) for the size change `delta`; FALSE
        // leaves the control alone.
        virtual BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) = 0;
        // The rectangle of control `id` (0: the rule's own) in the dialog's client
        // coordinates, a combo box's dropped-down one; null, `rect` untouched, without it.
        CWnd* GetCtrlRect(CWnd* dialog, RECT* rect, UINT id = 0) const;
        void Resize(CWnd* dialog, const SIZE* delta);

        UINT m_nID;
    };

    // Stretches to the right with the dialog.
    class ResizeSpecRightEdge : public ResizeSpec {
    public:
        using ResizeSpec::ResizeSpec;
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;
    };

    // Moves down with the dialog's bottom.
    class ResizeSpecAtBottom : public ResizeSpec {
    public:
        using ResizeSpec::ResizeSpec;
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;
    };

    // Moves with the bottom right corner.
    class ResizeSpecAtCorner : public ResizeSpec {
    public:
        using ResizeSpec::ResizeSpec;
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;
    };

    // Moves down and stretches to the right, keeping its right edge's distance to the left
    // edge of a partner when it has one.
    class ResizeSpecAtBottomRightEdge : public ResizeSpec {
    public:
        ResizeSpecAtBottomRightEdge(UINT id, UINT partner) : ResizeSpec(id), m_nPartner(partner) {}
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;

        UINT m_nPartner;
        int m_nGap = 0;
    };

    // Stretches down and right; its top keeps its distance to control `top` (0: itself) and
    // its right edge to the left edge of control `right` when there is one.
    class ResizeSpecDowntoBottomRightEdge : public ResizeSpec {
    public:
        ResizeSpecDowntoBottomRightEdge(UINT id, UINT top, UINT right) : ResizeSpec(id), m_nTop(top), m_nRight(right) {}
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;

        UINT m_nTop;
        UINT m_nRight;
        int m_nRightGap = 0;
        int m_nTopGap = 0;
    };

    // Stretches right and down, its bottom keeping its distance to the top of control `bottom`.
    class ResizeSpecDowntoCtrlRightEdge : public ResizeSpec {
    public:
        ResizeSpecDowntoCtrlRightEdge(UINT id, UINT bottom) : ResizeSpec(id), m_nBottom(bottom) {}
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;

        UINT m_nBottom;
        int m_nGap = 0;
    };

    // Keeps its offset from control `anchor`.
    class ResizeSpecAtCtrl : public ResizeSpec {
    public:
        ResizeSpecAtCtrl(UINT id, UINT anchor) : ResizeSpec(id), m_nAnchor(anchor) {}
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;

        UINT m_nAnchor;
        int m_nOffsetX = 0;
        int m_nOffsetY = 0;
    };

    // A divider between two stretching lists: its left edge keeps its share of the width,
    // its top its distance from the bottom, but never below a / (a + b) of the height.
    class ResizeSpecAtBottomProportionalPos : public ResizeSpec {
    public:
        ResizeSpecAtBottomProportionalPos(UINT id, int a, int b) : ResizeSpec(id), m_nA(a), m_nB(b) {}
        void Init(CWnd* dialog, const SIZE* windowSize) override;
        BOOL Apply(RECT* rect, CWnd* dialog, const SIZE* delta) override;

        int m_nInitialWidth = 0;
        int m_nInitialLeft = 0;
        int m_nBottomDistance = 0;
        int m_nA;
        int m_nB;
    };

    VqsDialog(UINT templateId, CWnd* parent);
    ~VqsDialog() override;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The dialog's rules: their number, and the array of them through `specs`. None here.
    virtual UINT GetResizeSpecs(ResizeSpec*** specs);

protected:
    void OnSize(UINT type, int cx, int cy);
    BOOL OnHelpInfo(HELPINFO* info);
    DECLARE_MESSAGE_MAP()

    VqsDialogCtrlConnector m_connector;
    int m_bLongNames;
    BOOL m_bSized = FALSE;
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
};
