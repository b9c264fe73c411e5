#include "options_nt_unix/VqsOptionPagesNTUnixElements.h"

#include "options_nt_unix/VqsNTUnixStorageOptions.h"

namespace {

constexpr UINT IDS_GENERATE = 61563;
constexpr UINT IDS_ORACLE = 61959;
constexpr UINT IDS_ORACLE_PARTITIONS = 61960;

// Unreadable values count as none, as the page would show "<not available>".
template <class Read, class Value>
Value ReadOr(Read read, Value none)
{
    try {
        return read();
    } catch (const VqReportableException&) {
        return none;
    }
}

} // namespace

VqsOptionPageNTComponentGenerate::VqsOptionPageNTComponentGenerate(VqsOptionsSheet* sheet, UINT dialogId,
                                                                   int pageIndex)
    : VqsOptionPageNTUnixShell(sheet, dialogId, IDS_GENERATE, pageIndex)
{
}

VqsOptionPageUnixOracledb::VqsOptionPageUnixOracledb(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageNTUnixShell(sheet, dialogId, IDS_ORACLE, pageIndex)
{
}

BOOL VqsOptionPageUnixOracledb::IsNotUpdated() { return !vqsntunix::HoldsOwnStorage(Record()); }

void VqsOptionPageUnixOracledb::ClearOptions() { vqsntunix::ClearStorage(Record()); }

VqsOptionPageUnixPartition::VqsOptionPageUnixPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageNTUnixShell(sheet, dialogId, IDS_ORACLE_PARTITIONS, pageIndex)
{
}

BOOL VqsOptionPageUnixPartition::IsNotUpdated() { return !vqsntunix::HoldsOwnPartitioning(Record()); }

void VqsOptionPageUnixPartition::ClearOptions() { vqsntunix::ClearPartitioning(Record()); }

CString VqsOptionPageUnixProfileEnv::GetPackText() const
{
    if (m_hWnd)
        return m_pack.GetValue();
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    return ReadOr([&] { return options->GetPack(); }, CString());
}

BOOL VqsOptionPageUnixProfileEnv::IsPackDefault() const
{
    if (m_hWnd)
        return m_useDefaultPack.m_bValue;
    return m_pTypedSheet->GetTypedOptions()->IsDefaultPack();
}

std::int64_t VqsOptionPageUnixProfileEnv::GetExpectedNumber() const
{
    if (m_hWnd)
        return m_expectedNumber.GetValue();
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    return ReadOr([&] { return options->GetExpectedOrVolume(); }, std::int64_t{0});
}
