// The "Wrenfield Test" pages of an NT and a Unix business segment: the test tool's host
// server, active while remote CALL statements (or, on NT, host database access) are
// enabled, with its port and whether data translation routines exist.
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options/VqsTableOptionPage.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"

struct VqsNTWrenfieldTraits {
    using Record = PxNTBSegOptions;
    static constexpr bool kHasHostDatabaseAccess = true;
    static constexpr UINT kRemoteCall = 2042;
    static constexpr UINT kDataTranslation = 2043;
    static constexpr UINT kUseDefaultPort = 2044;
    static constexpr UINT kPort = 2045;
};

struct VqsUnixWrenfieldTraits {
    using Record = PxUnixBSegOptions;
    static constexpr bool kHasHostDatabaseAccess = false;
    static constexpr UINT kRemoteCall = 2020;
    static constexpr UINT kDataTranslation = 2021;
    static constexpr UINT kUseDefaultPort = 2022;
    static constexpr UINT kPort = 2023;
};

template <class Traits>
class VqsOptionPagePlatformBSegWrenfieldTest : public VqsTableOptionPage {
public:
    VqsOptionPagePlatformBSegWrenfieldTest(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

private:
    using Platform = typename Traits::Record;

    BOOL IsServerActive() const;

    VqsOptCtrlFlag& m_remoteCall;
    VqsOptCtrlFlag& m_dataTranslation;
    VqsOptCtrlFlag* m_pHostDatabaseAccess = nullptr;
    VqsOptCtrlInt& m_port;
    VqsOptCtrlFlag& m_useDefaultPort;
};

class VqsOptionPageNTBSegWrenfieldTest : public VqsOptionPagePlatformBSegWrenfieldTest<VqsNTWrenfieldTraits> {
public:
    using VqsOptionPagePlatformBSegWrenfieldTest::VqsOptionPagePlatformBSegWrenfieldTest;
};

class VqsOptionPageUnixBSegWrenfieldTest : public VqsOptionPagePlatformBSegWrenfieldTest<VqsUnixWrenfieldTraits> {
public:
    using VqsOptionPagePlatformBSegWrenfieldTest::VqsOptionPagePlatformBSegWrenfieldTest;
};
