// The link between a dialog or property page and the option-control binders it declares:
// the window's data exchange, commands and read-only switch reach every binder through it,
// in the order the binders were constructed.
#pragma once

#include "win/Collections.h"
#include "win/Object.h"

class CDataExchange;
class CWnd;
class VqsOptCtrl;

class VqsDialogCtrlConnector : public CObject {
public:
    // Strict mode (the checks of a final OK or Apply) lasts as long as one of these lives.
    class StrictControl : public CObject {
    public:
        explicit StrictControl(VqsDialogCtrlConnector* connector);
        StrictControl(const StrictControl& other);
        StrictControl& operator=(const StrictControl&) = delete;
        ~StrictControl() override;

    private:
        VqsDialogCtrlConnector* m_pConnector;
    };

    explicit VqsDialogCtrlConnector(CWnd* owner);
    // Only the list goes: the binders are members of the owner.
    ~VqsDialogCtrlConnector() override;
    VqsDialogCtrlConnector(const VqsDialogCtrlConnector&) = delete;
    VqsDialogCtrlConnector& operator=(const VqsDialogCtrlConnector&) = delete;

    CWnd* GetOwner() const { return m_pOwner; }
    StrictControl MakeStrict();
    BOOL IsStrict() const { return m_nStrictCount > 0; }

    void DoDataExchange(CDataExchange* pDX);
    void OnCommand(UINT id, int code);
    void SetReadOnly();

private:
    friend class VqsOptCtrl;
    void Add(VqsOptCtrl* control);

    CWnd* m_pOwner;
    CTypedPtrList<CObList, VqsOptCtrl*> m_controls{10};
    unsigned int m_nStrictCount = 0;
};
