// The base of the option-control binders: one binder ties one control (or a group of
// radio buttons) of its owner window to an option value. It registers itself with the
// owner's connector when constructed and stays registered as long as the connector lives.
#pragma once

#include "win/Object.h"

class CDataExchange;
class VqsDialogCtrlConnector;

class VqsOptCtrl : public CObject {
public:
    explicit VqsOptCtrl(VqsDialogCtrlConnector* connector);
    ~VqsOptCtrl() override;
    VqsOptCtrl(const VqsOptCtrl&) = delete;
    VqsOptCtrl& operator=(const VqsOptCtrl&) = delete;

    // Shows the value (load) or reads, validates and stores it (store).
    virtual void DoDataExchange(CDataExchange* pDX) = 0;
    virtual void Enable(BOOL enable) = 0;
    virtual BOOL IsEnabled() = 0;
    virtual void SetReadOnly() = 0;
    virtual void Show(BOOL show) = 0;
    virtual void SaveState() = 0;
    virtual BOOL IsModified() = 0;
    virtual BOOL SaveStateAndCompare() = 0;
    virtual void Revert() = 0;
    // Every command that reaches the owner; nothing here.
    virtual void OnCommand(UINT id, int code);

protected:
    VqsDialogCtrlConnector* m_pConnector;
};
