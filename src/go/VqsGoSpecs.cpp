#include "go/VqsGoSpecs.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeOption.h"
#include "options/VqsSoftLinkOptionsDlg.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"

#include <functional>

namespace {

constexpr UINT IDS_CANNOT_ACCESS_OPTION_VALUES = 61502;
constexpr UINT IDS_CANNOT_ACCESS_SOME_DATA = 61698;
constexpr UINT IDS_NOT_A_KIND = 61823;
constexpr UINT IDS_NEITHER_KIND = 61828;

// Element kinds as the kind names know them.
constexpr int kKindComponent = 1;
constexpr int kKindReport = 3;
constexpr int kKindProfile = 4;

// A filter step: the top pass, then the target or the message.
template <class Top>
BOOL FilterWith(VqsGoSpec* spec, Top& top, VqsParseReturn& result, VqsModel& model, VqsGoContext& context,
                CStringList& arguments)
{
    VqsFilterReturn filterReturn;
    if (!top.Run(&filterReturn, model, context, arguments))
        return FALSE;
    CString message;
    if (filterReturn.GetMessage(message))
        result.SetError(message);
    else
        result.SetTarget(VqsAPtr<VqsGoSpec>(spec), &model);
    return TRUE;
}

// The option dialog of the link in the generate set, under read locks held while it is open,
// at the page chosen for the link's option record.
BOOL OpenOptions(VqsModel* target, const PxVQSoftLinkPtr& link, const PxVQConfigPtr& config,
                 const PxVQGenSetPtr& genSet, const std::function<UINT(const PxOptionsPtr&)>& pageIndex)
{
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeOption* optionNode = nullptr;
    VqsModelNodeLink* linkNode = nullptr;
    try {
        if (!target->FindOptionsOfElementLink(bag, optionNode, linkNode, config, link, genSet))
            return FALSE;
    } catch (const VqReportableException& error) {
        // The lookup reads the link's option record before it reports failures itself.
        ShowErrorById(IDS_CANNOT_ACCESS_SOME_DATA, error);
        return FALSE;
    }
    VqsSoftLinkOptionsDlg dialog(&bag, linkNode, optionNode, pageIndex(optionNode->GetOptions()), nullptr);
    dialog.DoModal();
    return TRUE;
}

// The configuration of the target link, read before anything is locked; null after the
// error box when it cannot be read.
template <class Read>
PxVQConfigPtr ReadConfig(Read read)
{
    try {
        return read();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_VALUES, error);
        return PxVQConfigPtr();
    }
}

BOOL OpenBSLink(VqsModel* target, const PxVQBSSoftLinkPtr& link, const PxVQGenSetPtr& genSet, UINT page)
{
    if (!link || !genSet)
        return FALSE;
    const PxVQConfigPtr config = ReadConfig([&] { return link->GetConfig(); });
    if (!config)
        return FALSE;
    return OpenOptions(target, link, config, genSet, [page](const PxOptionsPtr&) { return page; });
}

BOOL OpenElementLink(VqsModel* target, const PxVQElementSoftLinkPtr& link, const PxVQGenSetPtr& genSet,
                     const std::function<UINT(const PxOptionsPtr&)>& pageIndex)
{
    if (!link || !genSet)
        return FALSE;
    const PxVQConfigPtr config = ReadConfig([&] {
        PxVQBSSoftLinkPtr bsLink = link->GetBSSoftLink();
        return bsLink ? bsLink->GetConfig() : PxVQConfigPtr();
    });
    if (!config)
        return FALSE;
    return OpenOptions(target, link, config, genSet, pageIndex);
}

CString NameInMessage(const PxVQElementSoftLinkPtr& link, const char* name)
{
    return name ? CString(name) : VqsShownName(link);
}

bool IsComponent(const PxVQElementSoftLinkPtr& link)
{
    if (link->GetElementType() != VQSoftLinkIspec)
        return false;
    const PxVQIspecSoftLinkPtr ispec(link);
    return ispec && ispec->GetIspecType() != 0;
}

BOOL RefuseKind(CString& message, const PxVQElementSoftLinkPtr& link, const char* name, int kind)
{
    message.FormatMessage(IDS_NOT_A_KIND, NameInMessage(link, name), VqsGetElementKindName(kind));
    return FALSE;
}

} // namespace

BOOL VqsGoIsAnyElement(const PxVQElementSoftLinkPtr&, CString&, const char*) { return TRUE; }

BOOL VqsGoIsReport(const PxVQElementSoftLinkPtr& link, CString& message, const char* name)
{
    return link->GetElementType() == VQSoftLinkReport ? TRUE : RefuseKind(message, link, name, kKindReport);
}

BOOL VqsGoIsComponent(const PxVQElementSoftLinkPtr& link, CString& message, const char* name)
{
    return IsComponent(link) ? TRUE : RefuseKind(message, link, name, kKindComponent);
}

BOOL VqsGoIsComponentOrProfile(const PxVQElementSoftLinkPtr& link, CString& message, const char* name)
{
    if (link->GetElementType() == VQSoftLinkProfile || IsComponent(link))
        return TRUE;
    message.FormatMessage(IDS_NEITHER_KIND, NameInMessage(link, name), VqsGetElementKindName(kKindProfile),
                          VqsGetElementKindName(kKindComponent));
    return FALSE;
}

VqsGoSpecHostTypeBSOpt::VqsGoSpecHostTypeBSOpt(VQHostType hostType)
    : m_currentGenSet{{}, hostType},
      m_bsLink{{}, &m_system},
      m_config{{}, {}, &m_bsLink},
      m_genSet{{}, {}, hostType, &m_bsLink, &m_currentGenSet},
      m_top{{}, {}, hostType, {}, &m_config, &m_genSet}
{
}

BOOL VqsGoSpecHostTypeBSOpt::Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context,
                                    CStringList& arguments)
{
    return FilterWith(this, m_top, result, model, context, arguments);
}

BOOL VqsGoSpecHostTypeBSOpt::Open(VqsModel* target)
{
    return OpenBSLink(target, m_top.m_pBSLink, m_top.m_pGenSet, GetPageIndex());
}

VqsGoSpecBSOpt::VqsGoSpecBSOpt()
    : m_bsLink{{}, &m_system},
      m_config{{}, {}, &m_bsLink},
      m_genSet{{}, {}, &m_bsLink},
      m_top{{}, {}, {}, &m_config, &m_genSet}
{
}

BOOL VqsGoSpecBSOpt::Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments)
{
    return FilterWith(this, m_top, result, model, context, arguments);
}

BOOL VqsGoSpecBSOpt::Open(VqsModel* target)
{
    return OpenBSLink(target, m_top.m_pBSLink, m_top.m_pGenSet, GetPageIndex());
}

VqsGoSpecElementOpt::VqsGoSpecElementOpt(VqsGoElementKindTest kindTest)
    : m_bsLink{{}, &m_system},
      m_config{{}, {}, &m_bsLink},
      m_genSet{{}, {}, &m_bsLink},
      m_bsOpt{{}, {}, {}, &m_config, &m_genSet},
      m_currentElement{{}, {}, kindTest},
      m_top{{}, {}, {}, {}, &m_currentElement, &m_bsOpt, kindTest}
{
}

BOOL VqsGoSpecElementOpt::Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context,
                                 CStringList& arguments)
{
    return FilterWith(this, m_top, result, model, context, arguments);
}

BOOL VqsGoSpecElementOpt::Open(VqsModel* target)
{
    const UINT page = GetPageIndex();
    return OpenElementLink(target, m_top.m_pElementLink, m_top.m_pGenSet, [page](const PxOptionsPtr&) { return page; });
}

VqsGoSpecHostTypeElementOpt::VqsGoSpecHostTypeElementOpt(VQHostType hostType, VqsGoElementKindTest kindTest)
    : m_bsLink{{}, &m_system},
      m_config{{}, {}, &m_bsLink},
      m_currentGenSet{{}, hostType},
      m_genSet{{}, {}, hostType, &m_bsLink, &m_currentGenSet},
      m_bsOpt{{}, {}, hostType, {}, &m_config, &m_genSet},
      m_currentElement{{}, {}, hostType, kindTest},
      m_top{{}, {}, {}, {}, hostType, &m_currentElement, &m_bsOpt, kindTest}
{
}

BOOL VqsGoSpecHostTypeElementOpt::Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context,
                                         CStringList& arguments)
{
    return FilterWith(this, m_top, result, model, context, arguments);
}

BOOL VqsGoSpecHostTypeElementOpt::Open(VqsModel* target)
{
    return OpenElementLink(target, m_top.m_pElementLink, m_top.m_pGenSet,
                           [this](const PxOptionsPtr& options) { return GetPageIndex(options); });
}

UINT VqsGoSpecComponentOptOD::GetPageIndex(const PxOptionsPtr& options) const
{
    return options && options->GetOptionsKind() == PxOptionsKindProfile ? 1 : 2;
}
