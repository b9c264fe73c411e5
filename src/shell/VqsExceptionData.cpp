#include "shell/VqsExceptionData.h"

VqsExceptionData::VqsExceptionData(LPCTSTR text, LPCTSTR sourceFile, int line)
    : VqReportableException(sourceFile, line, text)
{
}

VqsExceptionData::VqsExceptionData(LPCTSTR text, LPCTSTR sourceFile, int line, LPCTSTR insert)
    : VqReportableException(sourceFile, line, text, insert)
{
}

VqsExceptionData::VqsExceptionData(LPCTSTR text, LPCTSTR sourceFile, int line, LPCTSTR insert1, LPCTSTR insert2)
    : VqReportableException(sourceFile, line, text, insert1, insert2)
{
}

VqsExceptionData::VqsExceptionData(const VqsExceptionData& other) = default;

VqsExceptionData::~VqsExceptionData() = default;
