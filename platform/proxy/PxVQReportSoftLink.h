// The soft link of a design report. Its aliases in report groups go with it.
#pragma once

#include "proxy/PxVQElementSoftLink.h"

class PxVQReportSoftLink : public PxVQElementSoftLink {
    PX_DECLARE_CLASS(PxVQReportSoftLink, PxVQElementSoftLink)

    PX_VALUE_PROPERTY(int, ReportVersionNumber)
    PX_TEXT_PROPERTY(LastGenerateAsName)
    PX_VALUE_PROPERTY(int, FastLoad)
    PX_VALUE_PROPERTY(int, GenToAllLang)

    int GetElementType() const override;

protected:
    PxVQReportSoftLink() = default;
};
