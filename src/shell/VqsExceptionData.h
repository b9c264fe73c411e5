// The module's own reportable exception; thrown by value, reported through the base's
// message functions. The text may hold %1 and %2 for the inserts.
#pragma once

#include "proxy/VqException.h"

class VqsExceptionData : public VqReportableException {
public:
    VqsExceptionData(LPCTSTR text, LPCTSTR sourceFile, int line);
    VqsExceptionData(LPCTSTR text, LPCTSTR sourceFile, int line, LPCTSTR insert);
    VqsExceptionData(LPCTSTR text, LPCTSTR sourceFile, int line, LPCTSTR insert1, LPCTSTR insert2);
    VqsExceptionData(const VqsExceptionData& other);
    ~VqsExceptionData() override;
};
