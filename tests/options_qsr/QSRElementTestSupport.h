// The options dialog of an element of the business segment SALES in the option set QSRGEN.
#pragma once

#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxQSRCompOptions.h"
#include "proxy/PxQSREventOptions.h"
#include "proxy/PxQSRProfileOptions.h"
#include "proxy/PxQSRReportOptions.h"
#include "proxy/PxVQIspecSoftLink.h"

namespace optionstest {

constexpr const char* kNotAvailable = "<not available>";

struct QSRElementTest : OptionsDialogHarness {
    INT_PTR Session(const char* element, UINT selectPage, const std::function<void()>& actions,
                    BOOL endWithOk = TRUE)
    {
        return OptionsDialogHarness::Session(Element("SYS1", "SALES", element), "QSRGEN", selectPage, actions,
                                             endWithOk);
    }

    template <class Ptr>
    Ptr Stored(const char* element) const
    {
        return OptionsDialogHarness::Stored<Ptr>(element, "QSRGEN");
    }

    PxQSRCompOptionsPtr Component(const char* element) const { return Stored<PxQSRCompOptionsPtr>(element); }

    void SetUsage(const char* element, int usage)
    {
        Write([&] { PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", element))->SetIspecUsage(usage); });
    }
};

} // namespace optionstest
