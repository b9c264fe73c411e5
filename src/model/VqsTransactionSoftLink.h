// Transactions on a soft link, and on a business segment's soft link with what it owns:
// report groups and bundles.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQSoftLink.h"

// A business segment link's language slots are numbered 1 to this; flag i-1 is slot i's.
constexpr int VqsLanguageSlotCount = 15;

class VqsTransactionSoftLink : public VqsTransaction {
public:
    explicit VqsTransactionSoftLink(const PxVQSoftLinkPtr& softLink) : m_pSoftLink(softLink) {}

    // Sets the link's value (its unused mark); 1 when done.
    int SetSoftLinkValue(int value);

protected:
    PxVQSoftLinkPtr m_pSoftLink;
};

class VqsTransactionBSSoftLink : public VqsTransactionSoftLink {
public:
    explicit VqsTransactionBSSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink)
        : VqsTransactionSoftLink(bsSoftLink), m_pBSSoftLink(bsSoftLink)
    {
    }

    PxVQReportGroupPtr CreateReportGroup(LPCTSTR name, LPCTSTR shortName, LPCTSTR description);
    // With containsAllIspecs the bundle takes every Ispec of the segment that has a usage
    // and is not output only.
    PxVQBundlePtr CreateBundle(LPCTSTR name, LPCTSTR description, LPCTSTR javaClass, int containsAllIspecs,
                               int generateViews, int userDefinedClass, const int languageFlags[VqsLanguageSlotCount],
                               int gettersAndSetters, LPCTSTR interfaceClass, int generateInterface,
                               int userDefinedInterfaceClass);

private:
    PxVQBSSoftLinkPtr m_pBSSoftLink;
};
