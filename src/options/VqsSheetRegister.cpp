#include "options/VqsSheetRegister.h"

#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"

#include <utility>

namespace {

constexpr UINT IDS_INTERNAL_ERROR = 61498;
constexpr UINT IDS_CANNOT_CREATE_OPTIONS_DIALOG = 61499;
constexpr UINT IDS_OPTIONS_NOT_SUPPORTED = 61500;

struct VqsSheetFactoryRecord {
    VqsSheetFactory factory;
    VqsSheetFactoryRecord* next;
};

VqsSheetFactoryRecord* g_head = nullptr;

// FALSE for an empty or vanished record, and after 61498 when the test itself fails.
BOOL IsPresentRecord(const PxOptionsPtr& options)
{
    try {
        return options && options->ObjectPresent();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_INTERNAL_ERROR, error);
        return FALSE;
    }
}

} // namespace

void VqsSheetRegister::AddFactory(VqsSheetFactory factory) { g_head = new VqsSheetFactoryRecord{factory, g_head}; }

VqsOptionsSheet* VqsSheetRegister::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                               UINT selectPage)
{
    if (!IsPresentRecord(options))
        return nullptr;
    for (VqsSheetFactoryRecord* record = g_head; record; record = record->next) {
        try {
            if (VqsOptionsSheet* sheet = record->factory(ownerDialog, options, selectPage))
                return sheet;
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_CREATE_OPTIONS_DIALOG, error);
            return nullptr;
        }
    }
    VqsMessageBoxId(IDS_OPTIONS_NOT_SUPPORTED);
    return nullptr;
}

void VqsSheetRegister::FreeFactories()
{
    while (g_head)
        delete std::exchange(g_head, g_head->next);
}

int VqsSheetRegister::Count()
{
    int count = 0;
    for (VqsSheetFactoryRecord* record = g_head; record; record = record->next)
        ++count;
    return count;
}
