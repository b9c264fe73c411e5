#include "model/VqsBSPackReplacement.h"

bool VqsBSPackReplacement::Matches(const VqsBSPackReplacement& other) const
{
    return bsSoftLink && other.bsSoftLink && bsSoftLink->IsSameOid(other.bsSoftLink) && packKind == other.packKind &&
           origin == other.origin && packName.CompareNoCase(other.packName) == 0;
}

void VqsAddPackReplacement(VqsBSPackReplacementList& list, const VqsBSPackReplacement& record)
{
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        if (list.GetNext(pos).Matches(record))
            return;
    }
    list.AddTail(record);
}
