// What the shared host, FTP and pack-override pages of a wizard read from, and write to,
// the sheet they sit in. Each wizard sheet that carries these pages implements it.
#pragma once

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQTypes.h"
#include "win/CString.h"

class VqsLockBag;
class VqsModelNodeEnterprise;
class VqsPropertySheet;

// The packs a generate set of one platform starts with (pack type 2 Tablespace/Filegroup and
// type 1 path), and the packs the user chose to use in their place.
struct VqsPlatformPacks {
    CString initialTablespace;
    CString initialPath;
    CString replacementTablespace;
    CString replacementPath;

    void Clear() { *this = VqsPlatformPacks(); }
};

class VqsHostWizard {
public:
    virtual VqsPropertySheet* GetWizardSheet() = 0;
    // The host type chosen on the wizard's target-host page.
    virtual int GetWizardHostType() const = 0;
    // 1 when hosts of that type exist or an existing host was picked: no host is created.
    virtual int GetHostsOfTypeExist() const = 0;
    // Whether a generate set of the platform has a clashing initial pack.
    virtual BOOL HasPackConflict(int hostType) const = 0;
    // The segment whose target flags must allow the chosen host type; empty when none is
    // checked.
    virtual CString GetTargetCheckSegment() const = 0;
    virtual VqsModelNodeEnterprise* GetEnterpriseNode() = 0;
    // Write-locked by every Finish.
    virtual VqsLockBag& GetFinishLockBag() = 0;
    // Future-update-locked by the host page's Next, and write-locked by the FTP page's
    // Finish before the Finish bag; null when the wizard takes no such lock.
    virtual VqsLockBag* GetHostLockBag() = 0;
    // The segment the pack-override page names in its messages.
    virtual PxLSEBusinessSegmentPtr GetPackSegment() const = 0;
    virtual VqsPlatformPacks& GetPlatformPacks(int hostType) = 0;

    // The pack-override page stands between the target-host page and the host page.
    BOOL IsPackOverrideNeeded(int hostType) const
    {
        return (hostType == VQHostNT || hostType == VQHostUnix) && HasPackConflict(hostType);
    }

protected:
    ~VqsHostWizard() = default;
};
