#include "model/VqsTransactionBundle.h"

#include "proxy/PxBSegOptions.h"

namespace {

// Walks a list the caller keeps unchanged.
template <class T>
const T& NextOf(const PxTypedList<T>& list, POSITION& position)
{
    return static_cast<const CList<T, const T&>&>(list).GetNext(position);
}

} // namespace

void VqsTransactionBundle::RemoveIspecFromBundle(const PxVQIspecSoftLinkPtr& ispec)
{
    Update<int>({m_pBundle, ispec}, [&] {
        ispec->DeleteIspecBundleData(m_pBundle);
        return 1;
    });
}

PxVQIspecBundleDataPtr VqsTransactionBundle::AddIspecToBundle(const PxVQIspecSoftLinkPtr& ispec)
{
    return Update<PxVQIspecBundleDataPtr>({m_pBundle, ispec}, [&] { return m_pBundle->AddIspecToBundle(ispec); });
}

void VqsTransactionBundle::UpdateIspecBundle(const PxTypedList<PxVQIspecSoftLinkPtr>& removed,
                                             const PxTypedList<PxVQIspecSoftLinkPtr>& added)
{
    Update<int>({m_pBundle}, [&] {
        for (POSITION position = removed.GetHeadPosition(); position;)
            NextOf(removed, position)->DeleteIspecBundleData(m_pBundle);
        m_pBundle->AddIspecsToBundle(added);
        return 1;
    });
}

PxVQBundlePtr VqsTransactionBundle::SetBundleSpec(int nameChanged, LPCTSTR name, LPCTSTR description,
                                                  LPCTSTR javaClass, int containsAllIspecs, int generateViews,
                                                  int userDefinedClass, const int languageFlags[VqsLanguageSlotCount],
                                                  const PxTypedList<PxVQIspecSoftLinkPtr>& ispecs,
                                                  const PxTypedList<PxVQOptionSetPtr>& optionSets,
                                                  int gettersAndSetters, LPCTSTR interfaceClass,
                                                  int generateInterface, int userDefinedInterfaceClass)
{
    return Update<PxVQBundlePtr>({m_pBundle, m_pBSSoftLink}, [&] {
        if (nameChanged) {
            RenameInOptionSets(optionSets, m_pBundle->GetName(), name);
            m_pBundle->SetName(name);
        }
        m_pBundle->SetDescription(description);
        if (containsAllIspecs && !m_pBundle->GetContainsAllIspecs())
            m_pBundle->AddIspecsToBundle(ispecs);
        m_pBundle->SetContainsAllIspecs(containsAllIspecs);
        m_pBundle->SetGenerateViews(generateViews);
        m_pBundle->SetUserDefinedClass(userDefinedClass);
        m_pBundle->SetJavaClass(javaClass);
        m_pBundle->SetGettersAndSetters(gettersAndSetters);
        m_pBundle->SetJavaClassCGLG(interfaceClass);
        m_pBundle->SetGenerateCGLGinterface(generateInterface);
        m_pBundle->SetUserDefinedCGLGClass(userDefinedInterfaceClass);
        for (int slot = 1; slot <= VqsLanguageSlotCount; ++slot)
            m_pBundle->SetLanguageSelection(slot, languageFlags[slot - 1] != 0 ? 1 : 0);
        return m_pBundle;
    });
}

// An option set without a record for the segment names no bundles of it.
void VqsTransactionBundle::RenameInOptionSets(const PxTypedList<PxVQOptionSetPtr>& optionSets,
                                              const CString& oldName, const CString& newName)
{
    for (POSITION position = optionSets.GetHeadPosition(); position;) {
        PxBSegOptionsPtr options(NextOf(optionSets, position)->GetOptions(m_pBSSoftLink));
        if (options)
            options->SetBundlestoGenerate(VqsRenameInBundleList(options->GetBundlestoGenerate(), oldName, newName));
    }
}

CString VqsRenameInBundleList(const CString& bundles, const CString& oldName, const CString& newName)
{
    CString result;
    int start = 0;
    while (start < bundles.GetLength()) {
        int comma = bundles.Find(',', start);
        int end = comma < 0 ? bundles.GetLength() : comma;
        CString bundle = bundles.Mid(start, end - start);
        result += bundle == oldName ? newName : bundle;
        result += ',';
        start = end + 1;
    }
    return result;
}
