#include "options_nt_unix/VqsNTUnixPackLists.h"

#include "options/VqsEnterprisePackNames.h"
#include "proxy/PxVQPackInformation.h"

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
    return VqsEnterprisePackNames([list](const PxVQPackInformationPtr& pack, const CString& name) {
        return !name.IsEmpty() && IsOffered(list, pack->GetPackType());
    });
}

// The items leave the binder's value alone: a value never read stays unread.
void OfferChoices(VqsOptCtrlCombo& combo, const CStringArray& choices) { combo.SetItems(choices); }

} // namespace vqsntunix
