// SetOptions at one typed level of an NT or Unix sheet: the level takes the new record as
// its own class and hands on to the next level; a record of another class, or a refusal
// further on, puts the level's previous record back.
#pragma once

#include "proxy/PxOptions.h"

namespace vqsntunix {

template <class TypedPtr, class NextLevel>
BOOL RetargetLevel(TypedPtr& typed, const PxOptionsPtr& options, NextLevel nextLevel)
{
    const TypedPtr kept = typed;
    typed = TypedPtr(options);
    if (typed && nextLevel())
        return TRUE;
    typed = kept;
    return FALSE;
}

} // namespace vqsntunix
