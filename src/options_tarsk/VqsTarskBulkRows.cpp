#include "options_tarsk/VqsTarskBulkRows.h"

#include "proxy/PxVQIspecSoftLink.h"

namespace vqstarskbulk {

namespace {

constexpr int kInputUsage = 2;
constexpr int kEventType = 0;

PxVQIspecSoftLinkPtr IspecOf(PxOptionsPtr* row) { return PxVQIspecSoftLinkPtr(VqsRowSoftLink(row)); }

} // namespace

int UsageOf(PxOptionsPtr* row)
{
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    return ispec ? ispec->GetIspecUsage() : 0;
}

PxTarskCompOptionsPtr ComponentOf(PxOptionsPtr* row)
{
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    if (!ispec || ispec->GetIspecUsage() == kInputUsage || ispec->GetIspecType() == kEventType)
        return PxTarskCompOptionsPtr();
    if (!(*row)->_IsKindOf("PxCompOptions"))
        return PxTarskCompOptionsPtr();
    return PxTarskCompOptionsPtr(*row);
}

PxTarskEventOptionsPtr EventOf(PxOptionsPtr* row)
{
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    if (!ispec || ispec->GetIspecUsage() == kInputUsage || ispec->GetIspecType() != kEventType)
        return PxTarskEventOptionsPtr();
    return PxTarskEventOptionsPtr(*row);
}

} // namespace vqstarskbulk
