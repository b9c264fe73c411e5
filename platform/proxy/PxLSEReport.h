// A design report.
#pragma once

#include "proxy/PxLSEElement.h"

class PxLSEReport : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEReport, PxLSEElement)

    PX_TEXT_GETTER(DefaultDevice)
    PX_VALUE_GETTER(int, GenerateToAllLanguages)

protected:
    PxLSEReport() = default;
};
