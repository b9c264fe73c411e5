#include "options_nt_unix/VqsOptionPagesNTUnixElements.h"

namespace {

constexpr UINT IDS_GENERATE = 61563;

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
