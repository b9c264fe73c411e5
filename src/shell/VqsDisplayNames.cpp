#include "shell/VqsDisplayNames.h"

#include "shell/VqsSysApp.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

struct NameId {
    int value;
    UINT stringId;
};

const NameId kHostTypes[] = {{0, 61679}, {1, 61678}, {2, 61677}, {3, 61680}};
constexpr UINT kUnknownHost = 61662;

const NameId kElementKinds[] = {{0, 61473}, {1, 61474}, {2, 61475}, {3, 61477}, {4, 61476}, {5, 61478}};
constexpr UINT kUnknownElementKind = 61664;

const NameId kObjectKinds[] = {
    {3049, 61884}, {3051, 61470}, {3052, 61471}, {3053, 61472}, {3055, 61468}, {3057, 61613}, {3058, 61744},
    {3059, 61885}, {3060, 61616}, {3070, 61615}, {3072, 61727}, {3073, 61728}, {3074, 61729}, {3075, 61730},
    {3077, 61726}, {3078, 61614}, {3080, 61945}, {3081, 61582}, {3082, 61743}, {3084, 61734}, {3086, 61735},
    {3087, 61736}, {3088, 61738}, {3089, 61737}, {3090, 61469}, {3248, 61907}, {3249, 61903}, {3250, 61902},
    {3251, 61904}, {3252, 61905}, {3253, 61906}};
constexpr UINT kUnknownObjectKind = 61663;

// Each text is loaded on first use into its own static text (again while still empty).
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
std::map<UINT, CString> g_cachedTexts;

const CString& CachedText(UINT stringId)
{
    CString& text = g_cachedTexts[stringId];
    if (text.IsEmpty())
        text.LoadString(stringId);
    return text;
}

template <std::size_t N>
CString NameOf(const NameId (&table)[N], UINT unknownId, int value)
{
    const NameId* entry =
        std::find_if(std::begin(table), std::end(table), [value](const NameId& e) { return e.value == value; });
    return CachedText(entry == std::end(table) ? unknownId : entry->stringId);
}

} // namespace

CString VqsGetHostTypeName(int hostType) { return NameOf(kHostTypes, kUnknownHost, hostType); }

CString VqsGetElementKindName(int elementKind) { return NameOf(kElementKinds, kUnknownElementKind, elementKind); }

CString VqsGetObjectKindName(int objectKind) { return NameOf(kObjectKinds, kUnknownObjectKind, objectKind); }

BOOL VqsLongNamesShown()
{
    const VqsSysApp* app = VqsGetApp();
    return app && app->GetAllowLongNames();
}
