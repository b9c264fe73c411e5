// A transaction on a bundle of a business segment's soft link: its Ispecs and settings.
#pragma once

#include "model/VqsTransaction.h"
#include "model/VqsTransactionSoftLink.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"

class VqsTransactionBundle : public VqsTransaction {
public:
    VqsTransactionBundle(const PxVQBundlePtr& bundle, const PxVQBSSoftLinkPtr& bsSoftLink)
        : m_pBundle(bundle), m_pBSSoftLink(bsSoftLink)
    {
    }

    PxVQIspecBundleDataPtr AddIspecToBundle(const PxVQIspecSoftLinkPtr& ispec);
    void RemoveIspecFromBundle(const PxVQIspecSoftLinkPtr& ispec);
    // Takes the removed Ispecs out of the bundle, in list order, then adds the others.
    void UpdateIspecBundle(const PxTypedList<PxVQIspecSoftLinkPtr>& removed,
                           const PxTypedList<PxVQIspecSoftLinkPtr>& added);
    // Stores the bundle's settings. A new name is also written into the "bundles to
    // generate" of each given option set; the Ispecs are added when the bundle comes to
    // contain all of them.
    PxVQBundlePtr SetBundleSpec(int nameChanged, LPCTSTR name, LPCTSTR description, LPCTSTR javaClass,
                                int containsAllIspecs, int generateViews, int userDefinedClass,
                                const int languageFlags[VqsLanguageSlotCount],
                                const PxTypedList<PxVQIspecSoftLinkPtr>& ispecs,
                                const PxTypedList<PxVQOptionSetPtr>& optionSets, int gettersAndSetters,
                                LPCTSTR interfaceClass, int generateInterface, int userDefinedInterfaceClass);

private:
    void RenameInOptionSets(const PxTypedList<PxVQOptionSetPtr>& optionSets, const CString& oldName,
                            const CString& newName);

    PxVQBundlePtr m_pBundle;
    PxVQBSSoftLinkPtr m_pBSSoftLink;
};

// The "bundles to generate" text with every name equal to oldName (case counts) replaced
// by newName. Each name is written back followed by ","; a last name without its ","
// counts as a name too.
CString VqsRenameInBundleList(const CString& bundles, const CString& oldName, const CString& newName);
