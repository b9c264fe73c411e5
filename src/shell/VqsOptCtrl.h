// The base of the option-control binders: one binder ties one control (or a group of
// radio buttons) of its owner window to an option value. It registers itself with the
// owner's connector when constructed and stays registered as long as the connector lives.
//
// A value may be marked not available (the option does not apply). The base keeps that
// state for every binder: the control shows a placeholder, a store never takes what the
// control shows, and the binder reports no change until a new value is set.
#pragma once

#include "win/Object.h"

class CDataExchange;
class CString;
class CWnd;
class VqsDialogCtrlConnector;

class VqsOptCtrl : public CObject {
public:
    explicit VqsOptCtrl(VqsDialogCtrlConnector* connector);
    ~VqsOptCtrl() override;
    VqsOptCtrl(const VqsOptCtrl&) = delete;
    VqsOptCtrl& operator=(const VqsOptCtrl&) = delete;

    // Shows the value (load) or reads, validates and stores it (store).
    void DoDataExchange(CDataExchange* pDX);
    virtual void Enable(BOOL enable) = 0;
    virtual BOOL IsEnabled() = 0;
    virtual void SetReadOnly() = 0;
    virtual void Show(BOOL show) = 0;
    // The saved value becomes the value.
    virtual void SaveState() = 0;
    // The user changed the control since the last SaveState.
    BOOL IsModified();
    // SaveState, then TRUE when the control shows something other than that saved value.
    BOOL SaveStateAndCompare();
    // The value becomes the saved value again, and the control shows it.
    void Revert();
    // Every command that reaches the owner; nothing here.
    virtual void OnCommand(UINT id, int code);

    BOOL IsNotAvailable() const { return m_bNotAvailable; }
    // The value standing behind the placeholder was never read (its read failed): showing it
    // again would show, and store, a value nobody read. A new value ends that.
    BOOL IsValueUnread() const { return m_bNotAvailable && m_bValueUnread; }
    void SetValueUnread(BOOL unread) { m_bValueUnread = unread; }

protected:
    // A store of an available value reads the control; a load shows the value.
    virtual void ExchangeValue(CDataExchange* pDX) = 0;
    // Shows the placeholder of a value that is not available; pDX is null outside an
    // exchange. Binders whose values are always available show none.
    virtual void ShowPlaceholder(CDataExchange* pDX);
    virtual BOOL IsValueModified() = 0;
    virtual BOOL ControlDiffersFromSaved() = 0;
    virtual void RestoreSavedValue() = 0;
    // Shows the value in the control, outside an exchange.
    virtual void ShowValue() = 0;

    void SetNotAvailableState(BOOL notAvailable)
    {
        m_bNotAvailable = notAvailable;
        if (!notAvailable)
            m_bValueUnread = FALSE;
    }
    // The text of the string id, "<not available>" for 0.
    static CString LoadPlaceholder(UINT stringId);
    CWnd* GetOwner() const;
    // The owner's control with this id; null while the owner has no window.
    HWND GetOwnerItem(UINT id) const;
    BOOL IsStrict() const;

    // Refuses what the user entered: brings the owner's page to the front of its sheet,
    // shows the message in the error box and abandons the exchange.
    [[noreturn]] void FailWithMessage(CDataExchange* pDX, UINT stringId);
    [[noreturn]] void FailWithText(CDataExchange* pDX, LPCTSTR text);

    VqsDialogCtrlConnector* m_pConnector;

private:
    void ShowFailingPage();

    BOOL m_bNotAvailable = FALSE;
    BOOL m_bValueUnread = FALSE;
};
