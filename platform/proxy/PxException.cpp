#include "proxy/PxException.h"

#include "proxy/PxPtr.h"

#include <cstring>

namespace {

const char* BaseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

} // namespace

PxException::PxException(const char* fileName, int lineNumber, const char* text, const char* insert1,
                         const char* insert2, bool objectDeleted)
    : VqReportableException(BaseName(fileName), lineNumber, text, insert1, insert2), m_objectDeleted(objectDeleted)
{
}

PxException& PxException::NamingGoneKind(int objectKind)
{
    m_goneKind = objectKind;
    return *this;
}

PxException& PxException::MarkingStoreBusy(bool busy)
{
    m_storeBusy = busy;
    return *this;
}

std::string PxAsSentence(std::string text)
{
    if (!text.empty() && std::strchr(".?!", text.back()) == nullptr)
        text += '.';
    return text;
}

void PxThrowNullPointer() { PX_THROW("An absent repository object was used."); }
