#include "model/VqsTransactionSoftLink.h"

#include "model/VqsBundleIspecs.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQReportGroup.h"

namespace {

constexpr UINT IDS_CANNOT_SAVE_OPTION_DEFINITION = 61648;
constexpr UINT IDS_CANNOT_CREATE_REPORT_GROUP = 61649;
constexpr UINT IDS_CANNOT_CREATE_BUNDLE = 61883;

} // namespace

int VqsTransactionSoftLink::SetSoftLinkValue(int value)
{
    return Write<int>({m_pSoftLink}, IDS_CANNOT_SAVE_OPTION_DEFINITION, [&] {
        m_pSoftLink->SetUnusedMark(value);
        return 1;
    });
}

PxVQReportGroupPtr VqsTransactionBSSoftLink::CreateReportGroup(LPCTSTR name, LPCTSTR shortName, LPCTSTR description)
{
    return Write<PxVQReportGroupPtr>({m_pBSSoftLink}, IDS_CANNOT_CREATE_REPORT_GROUP, [&] {
        PxVQReportGroupPtr group = m_pBSSoftLink->CreateReportGroup(RepositoryName(name, shortName));
        if (AllowLongNames())
            group->SetLongName(name);
        group->SetDescription(description);
        return group;
    });
}

// Every setting is stored, also for a contains-all bundle of a segment without Ispecs.
PxVQBundlePtr VqsTransactionBSSoftLink::CreateBundle(LPCTSTR name, LPCTSTR description, LPCTSTR javaClass,
                                                     int containsAllIspecs, int generateViews, int userDefinedClass,
                                                     const int languageFlags[VqsLanguageSlotCount],
                                                     int gettersAndSetters, LPCTSTR interfaceClass,
                                                     int generateInterface, int userDefinedInterfaceClass)
{
    return Write<PxVQBundlePtr>({m_pBSSoftLink}, IDS_CANNOT_CREATE_BUNDLE, [&] {
        PxVQBundlePtr bundle = m_pBSSoftLink->CreateBundle(name);
        bundle->SetDescription(description);
        if (containsAllIspecs) {
            bundle->SetContainsAllIspecs(1);
            PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
            VqsCollectBundleIspecs(m_pBSSoftLink, ispecs);
            bundle->AddIspecsToBundle(ispecs);
        }
        if (generateViews)
            bundle->SetGenerateViews(1);
        bundle->SetGettersAndSetters(gettersAndSetters);
        if (userDefinedClass) {
            bundle->SetUserDefinedClass(1);
            bundle->SetJavaClass(javaClass);
        }
        if (generateInterface)
            bundle->SetGenerateCGLGinterface(1);
        if (userDefinedInterfaceClass) {
            bundle->SetUserDefinedCGLGClass(1);
            bundle->SetJavaClassCGLG(interfaceClass);
        }
        for (int slot = 1; slot <= VqsLanguageSlotCount; ++slot)
            bundle->SetLanguageSelection(slot, languageFlags[slot - 1] != 0 ? 1 : 0);
        return bundle;
    });
}
