// The host's lock on one business segment by name, asked of the host through its WYR
// callbacks and given back when another segment is taken or the object ends.
#pragma once

#include "win/CString.h"
#include "win/Object.h"

class VqsBSLock : public CObject {
public:
    VqsBSLock() = default;
    ~VqsBSLock() override;
    VqsBSLock(const VqsBSLock&) = delete;
    VqsBSLock& operator=(const VqsBSLock&) = delete;

    // 1 when the segment is held afterwards; the segment held before stays when the host
    // refuses.
    int Lock(const char* name);
    // As Lock, for a generation that cannot go on without the segment: a refusal tells the
    // user that another user holds it.
    int LockForGeneration(const char* name);
    // The error box saying that another user holds the segment.
    static void ReportHeldByOther(const char* name);
    void Unlock();
    // Hands the segment on: it stays held after this object ends (a generation keeps it).
    void Keep() { m_bHeld = FALSE; }
    BOOL IsHeld() const { return m_bHeld; }
    const CString& GetName() const { return m_strName; }

private:
    BOOL m_bHeld = FALSE;
    CString m_strName;
};
