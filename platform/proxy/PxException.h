// The repository library's own exception. Every failure of the library is one of these,
// so callers that catch VqReportableException see them too.
#pragma once

#include "proxy/VqException.h"

#include <string>

class PxException : public VqReportableException {
public:
    PxException(const char* fileName, int lineNumber, const char* text, const char* insert1 = nullptr,
                const char* insert2 = nullptr, bool objectDeleted = false);

    // True when the call failed because the object it concerned is no longer in the
    // repository (deleted, or created by a transaction that was aborted).
    virtual BOOL IsObjectDeleted() const { return m_objectDeleted; }
    // The kind (PxObjectKind) of the object a read found gone; -1 when the failure names none.
    int GetGoneObjectKind() const { return m_goneKind; }
    PxException& NamingGoneKind(int objectKind);
    // True when the store could not answer: another session kept it busy past its wait ("the
    // repository is in use by another session; try again later.").
    BOOL IsStoreBusy() const { return m_storeBusy; }
    PxException& MarkingStoreBusy(bool busy);

private:
    bool m_objectDeleted;
    int m_goneKind = -1;
    bool m_storeBusy = false;
};

// The text as a sentence of a message: a full stop is added unless it ends with one (or
// with a question or exclamation mark). A server's own words end without one, and another
// sentence may follow them.
std::string PxAsSentence(std::string text);

// Throws a PxException naming the calling source file and line.
#define PX_THROW(...) throw PxException(__FILE__, __LINE__, __VA_ARGS__)
// Throws a PxException whose IsObjectDeleted answers true.
#define PX_THROW_DELETED(text) throw PxException(__FILE__, __LINE__, text, nullptr, nullptr, true)
// The same for a read of an object of that kind that is gone.
#define PX_THROW_GONE(text, objectKind) \
    throw PxException(__FILE__, __LINE__, text, nullptr, nullptr, true).NamingGoneKind(objectKind)

// An option whose value (its default) cannot be determined, for example because the
// record's business segment cannot be reached.
class PxExceptionDefOption : public PxException {
public:
    using PxException::PxException;
};
