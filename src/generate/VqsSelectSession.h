// Lists the recovery sessions that interrupted generations of a system left, lets the user
// delete them or choose one to restart, monitor or install. Every listed session is held
// with a long read lock while the list shows it, so a session another process is using is
// not offered.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxHandle.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "win/CDialog.h"
#include "win/CListCtrl.h"

#include <functional>
#include <memory>
#include <vector>

// Whether Show Generate Status lists the session to the user of the session's link: nothing
// runs on it, it is the user's (or the user administers), no other session holds it, and there
// is something to go on with. Deletes nothing and locks nothing.
bool VqsSessionOffered(const PxVQRecoveryInfoPtr& session);
// Whether it lists any session of the system that `wanted` accepts and whose restart can run
// (not one whose hold a later generation took over): what the restart offer (61919) counts, so
// that Yes never leads to an empty list or to nothing to restart. A repository failure counts
// as none; a lost connection and a busy store are passed on.
bool VqsAnySessionOffered(const PxVQSystemPtr& system,
                          const std::function<bool(const PxVQRecoveryInfoPtr&)>& wanted);
// The session's start as its row shows it, in local time.
CString VqsSessionStartTime(const PxVQRecoveryInfoPtr& session);

class VqsSelectSession : public CDialog {
public:
    // What the user chose to do with the session.
    enum Choice { ChoiceNone = 0, ChoiceRestart = 1, ChoiceMonitor = 2, ChoiceInstall = 3 };

    explicit VqsSelectSession(CWnd* parent = nullptr);
    ~VqsSelectSession() override;

    void SetSystem(const PxVQSystemPtr& system) { m_pSystem = system; }
    int GetChoice() const { return m_nChoice; }
    const PxHandle& GetRecoveryHandle() const { return m_recoveryHandle; }
    // The Auto Report session paired with a chosen System & Report session; null otherwise.
    const PxHandle& GetSecondHandle() const { return m_secondHandle; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnRestart();
    void OnMonitor();
    void OnInstall();
    void OnProperties();
    void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    class SessionLocks;

    void InsertColumns();
    BOOL Filled();
    void FillList();
    BOOL ListSession(const PxVQRecoveryInfoPtr& session, const CString& userCode);
    void AppendRow(const PxVQRecoveryInfoPtr& session);
    void EnableActions(BOOL restart, BOOL monitor, BOOL install);
    PxVQRecoveryInfoPtr SessionOfRow(int row) const;
    PxVQRecoveryInfoPtr SelectedSession() const;
    void DeleteSession(const PxVQRecoveryInfoPtr& session);
    void DeleteHeld(const PxVQRecoveryInfoPtr& session);
    void DeleteAutoReports();
    void NotifySegmentLinks();
    void PairAutoReport();

    CListCtrl m_list;
    PxVQSystemPtr m_pSystem;
    int m_nChoice = ChoiceNone;
    PxHandle m_recoveryHandle;
    PxHandle m_secondHandle;
    // The handle display text of the session of each row.
    std::vector<CString> m_rowKeys;
    BOOL m_bOpened = FALSE; // its list was filled as it opened
    std::unique_ptr<SessionLocks> m_pLocks;
};
