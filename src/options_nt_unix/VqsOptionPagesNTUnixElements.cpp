#include "options_nt_unix/VqsOptionPagesNTUnixElements.h"

#include "options_nt_unix/VqsNTUnixStorageOptions.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTEventOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"

namespace {

constexpr UINT IDS_GENERATE = 61563;
constexpr UINT IDS_ORACLE = 61959;
constexpr UINT IDS_ORACLE_PARTITIONS = 61960;
constexpr int kExtractFiles = 26;

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

template <class Component>
BOOL ComponentOptionsUpdated(const Component& options)
{
    return options.IsUpdatedUserPrivilege() || options.IsUpdatedCompPack() || options.IsUpdatedExpected() ||
           options.IsUpdatedCompUserMaintained();
}

template <class Component>
void ClearComponentOptions(Component& options)
{
    options.ClearUserPrivilege();
    options.ClearCompPack();
    options.ClearExpected();
    options.ClearCompUserMaintained();
}

template <class Event>
BOOL EventOptionsUpdated(const Event& options)
{
    return options.IsUpdatedUserPrivilege() || options.IsUpdatedVolume();
}

template <class Event>
void ClearEventOptions(Event& options)
{
    options.ClearUserPrivilege();
    options.ClearVolume();
}

// The record as the page's platform record; a page is only ever built on its own.
template <class Typed>
Typed& As(PxOptions& record)
{
    return dynamic_cast<Typed&>(record);
}

} // namespace

BOOL VqsOptionPageNTComponentEnv::IsNotUpdated()
{
    return VqsOptionPageIspecEnv::IsNotUpdated() && !ComponentOptionsUpdated(As<PxNTCompOptions>(Record()));
}

void VqsOptionPageNTComponentEnv::ClearOptions()
{
    VqsOptionPageIspecEnv::ClearOptions();
    ClearComponentOptions(As<PxNTCompOptions>(Record()));
}

BOOL VqsOptionPageUnixComponentEnv::IsNotUpdated()
{
    const auto& options = As<PxUnixCompOptions>(Record());
    return VqsOptionPageIspecEnv::IsNotUpdated() && !ComponentOptionsUpdated(options) &&
           !options.IsUpdatedUnixMultiRecordMaxInIspecs() && !options.IsUpdatedUnixMultiRecordMaxInReports();
}

void VqsOptionPageUnixComponentEnv::ClearOptions()
{
    VqsOptionPageIspecEnv::ClearOptions();
    auto& options = As<PxUnixCompOptions>(Record());
    ClearComponentOptions(options);
    options.ClearUnixMultiRecordMaxInIspecs();
    options.ClearUnixMultiRecordMaxInReports();
}

BOOL VqsOptionPageNTEventEnv::IsNotUpdated()
{
    return VqsOptionPageIspecEnv::IsNotUpdated() && !EventOptionsUpdated(As<PxNTEventOptions>(Record()));
}

void VqsOptionPageNTEventEnv::ClearOptions()
{
    VqsOptionPageIspecEnv::ClearOptions();
    ClearEventOptions(As<PxNTEventOptions>(Record()));
}

BOOL VqsOptionPageUnixEventEnv::IsNotUpdated()
{
    return VqsOptionPageIspecEnv::IsNotUpdated() && !EventOptionsUpdated(As<PxUnixEventOptions>(Record()));
}

void VqsOptionPageUnixEventEnv::ClearOptions()
{
    VqsOptionPageIspecEnv::ClearOptions();
    ClearEventOptions(As<PxUnixEventOptions>(Record()));
}

BOOL VqsOptionPageNTProfileEnv::IsNotUpdated()
{
    return VqsOptionPageProfileEnv::IsNotUpdated() && !As<PxNTProfileOptions>(Record()).IsUpdatedProfUserMaintained();
}

void VqsOptionPageNTProfileEnv::ClearOptions()
{
    VqsOptionPageProfileEnv::ClearOptions();
    As<PxNTProfileOptions>(Record()).ClearProfUserMaintained();
}

BOOL VqsOptionPageUnixProfileEnv::IsNotUpdated()
{
    return VqsOptionPageProfileEnv::IsNotUpdated() &&
           !As<PxUnixProfileOptions>(Record()).IsUpdatedProfUserMaintained();
}

void VqsOptionPageUnixProfileEnv::ClearOptions()
{
    VqsOptionPageProfileEnv::ClearOptions();
    As<PxUnixProfileOptions>(Record()).ClearProfUserMaintained();
}

BOOL VqsOptionPageUnixReportEnv::IsNotUpdated()
{
    return VqsOptionPageReportEnv::IsNotUpdated() && !As<PxUnixReportOptions>(Record()).IsUpdatedRollBackSegmentName();
}

void VqsOptionPageUnixReportEnv::ClearOptions()
{
    VqsOptionPageReportEnv::ClearOptions();
    As<PxUnixReportOptions>(Record()).ClearRollBackSegmentName();
}

BOOL VqsOptionPageUnixReportExtractFile::IsNotUpdated()
{
    const auto& options = As<PxUnixReportOptions>(*m_pSheet->GetOptions());
    for (int file = 0; file < kExtractFiles; ++file)
        if (options.IsUpdatedExtractFileRecOrBlock(file))
            return FALSE;
    return VqsOptionPageReportExtractFile::IsNotUpdated();
}

void VqsOptionPageUnixReportExtractFile::ClearOptions()
{
    VqsOptionPageReportExtractFile::ClearOptions();
    auto& options = As<PxUnixReportOptions>(*m_pSheet->GetOptions());
    for (int file = 0; file < kExtractFiles; ++file)
        options.ClearExtractFileRecOrBlock(file);
}

VqsOptionPageNTComponentGenerate::VqsOptionPageNTComponentGenerate(VqsOptionsSheet* sheet, UINT dialogId,
                                                                   int pageIndex)
    : VqsOptionPageNTUnixShell(sheet, dialogId, IDS_GENERATE, pageIndex)
{
}

BOOL VqsOptionPageNTComponentGenerate::IsNotUpdated() { return !As<PxNTCompOptions>(Record()).IsUpdatedClusterIndex(); }

void VqsOptionPageNTComponentGenerate::ClearOptions() { As<PxNTCompOptions>(Record()).ClearClusterIndex(); }

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
