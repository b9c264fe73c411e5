#include "options_nt_unix/VqsNTUnixPackLists.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQPackInformation.h"
#include "shell/VqsSysApp.h"

namespace vqsntunix {

namespace {

constexpr int kPackTypeNotDefined = 0;
constexpr int kPackTypePath = 1;
constexpr int kPackTypeDatabase = 2;

bool IsOffered(PackList list, int packType)
{
    if (packType == kPackTypeNotDefined)
        return true;
    return packType == (list == PackList::Database ? kPackTypeDatabase : kPackTypePath);
}

} // namespace

CStringArray EnterprisePacks(PackList list)
{
    CStringArray names;
    VqsSysApp* app = VqsGetApp();
    const PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr();
    if (!enterprise)
        return names;
    PxTypedList<PxVQPackInformationPtr> packs;
    enterprise->GetListOfPackInformations(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;) {
        const PxVQPackInformationPtr pack = packs.GetNext(pos);
        const CString name = pack->GetName();
        if (!name.IsEmpty() && IsOffered(list, pack->GetPackType()))
            names.Add(name);
    }
    return names;
}

void OfferChoices(VqsOptCtrlCombo& combo, const CStringArray& choices)
{
    const BOOL notAvailable = combo.IsNotAvailable();
    const CString shown = combo.GetValue();
    combo.SetItems(choices);
    combo.SetValue(shown);
    if (notAvailable)
        combo.SetNotAvailable(0);
}

} // namespace vqsntunix
