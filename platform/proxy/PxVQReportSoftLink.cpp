#include "proxy/PxVQReportSoftLink.h"

#include "proxy/PxObjectKind.h"

PX_IMPLEMENT_CLASS(PxVQReportSoftLink, PxKindReportSoftLink)

PX_IMPLEMENT_VALUE_PROPERTY(PxVQReportSoftLink, int, ReportVersionNumber, "reportVersionNumber")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQReportSoftLink, LastGenerateAsName, "lastGenerateAsName")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQReportSoftLink, int, FastLoad, "fastLoad")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQReportSoftLink, int, GenToAllLang, "genToAllLang")

int PxVQReportSoftLink::GetElementType() const
{
    Enter("PxVQReportSoftLink::GetElementType");
    return VQSoftLinkReport;
}
