// Names shown for host types, element kinds, repository object kinds and objects.
#pragma once

#include "win/CString.h"

// 0 NT "Windows", 1 "QSR", 2 "OS Tarsk", 3 "UNIX"; other values "Unknown host".
CString VqsGetHostTypeName(int hostType);
// 0 business segment, 1 component, 2 event, 3 report, 4 profile, 5 global logic.
CString VqsGetElementKindName(int elementKind);
// By the repository library's object kind number.
CString VqsGetObjectKindName(int objectKind);

// Whether the application shows long names now.
BOOL VqsLongNamesShown();

// The name the lists show for the object: its long name while the application shows long
// names and the object has one, else its name.
template <class Object>
CString VqsShownName(const Object& object)
{
    if (VqsLongNamesShown()) {
        CString longName = object->GetLongName();
        if (!longName.IsEmpty())
            return longName;
    }
    return object->GetName();
}
