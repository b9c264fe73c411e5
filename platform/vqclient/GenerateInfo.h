// The generation request the module hands to VqcStartGenerate, and the synchronisation
// records it points to. The records belong to the caller and live only for the call: the
// client copies what it keeps.
#pragma once

#include "proxy/PxHandle.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqcSyncPair.h"
#include "win/CString.h"
#include "win/Collections.h"
#include "win/Types.h"

class VqcScriptableGenPropertyMgr;

// Generation kinds.
enum VqcGenerateKind : int {
    VqcGenerateReports = 1,
    VqcGenerateSystem = 2,
    VqcGenerateMonitor = 3,
    VqcGenerateRestart = 4,
    VqcGenerateSystemWithReports = 5,
    VqcGenerateBundle = 9,
    VqcGenerateInstall = 10,
};

struct VqcReportSyncTriple {
    PxLSEReportPtr report;
    PxVQReportSoftLinkPtr link;
    CString asName;
};

// The design business segment, its link in the configuration and the pairs of design
// element and element link that the synchronisation found.
struct VqsElementSyncRecord {
    PxLSEBusinessSegmentPtr businessSegment;
    PxVQBSSoftLinkPtr softLink;
    CList<VqcSyncPair, const VqcSyncPair&> pairs{10};
};

// A report generation's record: the element record's members and the reports to generate.
struct VqsBSSyncRecord : VqsElementSyncRecord {
    CList<VqcReportSyncTriple, const VqcReportSyncTriple&> triples{10};
};

struct GenerateInfo {
    int kind = 0;
    PxVQOptionSetPtr genSet;
    CString hostName;
    VqsElementSyncRecord* elementSync = nullptr;
    VqsBSSyncRecord* reportSync = nullptr;
    CString bundleName;
    CString application;
    CString package;
    CString outputDirectory;
    CString batchFile;
    CString logFile;
    BOOL logMessages = FALSE;
    PxVQSystemPtr system;
    PxHandle recoveryHandle;
    PxHandle secondHandle;
    VqcScriptableGenPropertyMgr* clientContext = nullptr;
    HWND frameWindow = nullptr;
};
