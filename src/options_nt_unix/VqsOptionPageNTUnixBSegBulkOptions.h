// The "Bulk Options" pages of an NT and a Unix business segment: the option framework's
// bulk page with four panels (Ispecs, profiles, reports, global logics), their editors and
// their columns. The twins differ by their panels' templates and the records their own
// columns read and write: the expected number (or monthly volume) of an Ispec and whether a
// global logic is compiled separately.
#pragma once

#include "options/VqsColumnAdapters.h"
#include "options/VqsOptionPageBSegBulkOptions.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTEventOptions.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixGLGOptions.h"

struct VqsNTBulkTraits {
    using Component = PxNTCompOptions;
    using Event = PxNTEventOptions;
    using GlobalLogic = PxNTGLGOptions;
    static constexpr UINT kIspecPanel = 2009;
    static constexpr UINT kProfilePanel = 2014;
    static constexpr UINT kReportPanel = 2010;
    static constexpr UINT kGlobalLogicsPanel = 838;
};

struct VqsUnixBulkTraits {
    using Component = PxUnixCompOptions;
    using Event = PxUnixEventOptions;
    using GlobalLogic = PxUnixGLGOptions;
    static constexpr UINT kIspecPanel = 840;
    static constexpr UINT kProfilePanel = 2013;
    static constexpr UINT kReportPanel = 2012;
    static constexpr UINT kGlobalLogicsPanel = 836;
};

// A component's expected number or an event's monthly volume; 0 stands for 100 expected or
// a volume of 1000. Other rows have none. A record's refusal reaches the panel's edit path.
template <class Traits>
class VqsPlatformIspecExpectedPxAdapter : public VqsNumericValuePxAdapter {
public:
    explicit VqsPlatformIspecExpectedPxAdapter(VqsOptCtrlString* edit);

    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit) override;
    BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit) override;
};

template <class Traits>
class VqsPlatformGlgSeparateCompilePxAdapter : public VqsBOOLValuePxAdapter {
public:
    explicit VqsPlatformGlgSeparateCompilePxAdapter(VqsOptCtrlFlag* box);

    BOOL GetValue(PxOptionsPtr* row, int& value) override;
    void SetValue(PxOptionsPtr* row, int value) override;
};

using VqsNTIspecExpectedPxAdapter = VqsPlatformIspecExpectedPxAdapter<VqsNTBulkTraits>;
using VqsUnixIspecExpectedPxAdapter = VqsPlatformIspecExpectedPxAdapter<VqsUnixBulkTraits>;
using VqsNTGlgSeparateCompilePxAdapter = VqsPlatformGlgSeparateCompilePxAdapter<VqsNTBulkTraits>;
using VqsUnixGlgSeparateCompilePxAdapter = VqsPlatformGlgSeparateCompilePxAdapter<VqsUnixBulkTraits>;

template <class Traits>
class VqsPlatformIspecBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsPlatformIspecBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlString m_service;
    VqsOptCtrlFlag m_serviceDefault;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlString m_expected;
};

template <class Traits>
class VqsPlatformProfileBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsPlatformProfileBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlCombo m_sizingType;
    VqsOptCtrlString m_sizingValue;
};

template <class Traits>
class VqsPlatformReportBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsPlatformReportBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlFlag m_extractPackDefault;
    VqsOptCtrlCombo m_extractPack;
    VqsOptCtrlFlag m_oltpClient;
};

template <class Traits>
class VqsPlatformGlbLogicsBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsPlatformGlbLogicsBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlFlag m_separateCompile;
};

using VqsNTIspecBulkOptionPanel = VqsPlatformIspecBulkOptionPanel<VqsNTBulkTraits>;
using VqsUnixIspecBulkOptionPanel = VqsPlatformIspecBulkOptionPanel<VqsUnixBulkTraits>;
using VqsNTProfileBulkOptionPanel = VqsPlatformProfileBulkOptionPanel<VqsNTBulkTraits>;
using VqsUnixProfileBulkOptionPanel = VqsPlatformProfileBulkOptionPanel<VqsUnixBulkTraits>;
using VqsNTReportBulkOptionPanel = VqsPlatformReportBulkOptionPanel<VqsNTBulkTraits>;
using VqsUnixReportBulkOptionPanel = VqsPlatformReportBulkOptionPanel<VqsUnixBulkTraits>;
using VqsNTGlbLogicsBulkOptionPanel = VqsPlatformGlbLogicsBulkOptionPanel<VqsNTBulkTraits>;
using VqsUnixGlbLogicsBulkOptionPanel = VqsPlatformGlbLogicsBulkOptionPanel<VqsUnixBulkTraits>;

template <class Traits>
class VqsOptionPagePlatformBSegBulkOptions : public VqsOptionPageBSegBulkOptions {
public:
    using VqsOptionPageBSegBulkOptions::VqsOptionPageBSegBulkOptions;

protected:
    void CreatePanels() override;
};

class VqsOptionPageNTBSegBulkOptions : public VqsOptionPagePlatformBSegBulkOptions<VqsNTBulkTraits> {
public:
    using VqsOptionPagePlatformBSegBulkOptions::VqsOptionPagePlatformBSegBulkOptions;
};

class VqsOptionPageUnixBSegBulkOptions : public VqsOptionPagePlatformBSegBulkOptions<VqsUnixBulkTraits> {
public:
    using VqsOptionPagePlatformBSegBulkOptions::VqsOptionPagePlatformBSegBulkOptions;
};
