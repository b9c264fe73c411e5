// The filter passes of a GO command: each narrows one level of the enterprise model
// (system, business-segment link, configuration, generate set, element link) from the
// command's arguments and the caller's selection. A pass answers 0 when it failed silently
// (an error box was shown or a node is missing), otherwise non-zero with either its outputs
// set or a message for the user in its VqsFilterReturn.
#pragma once

#include "go/VqsGoSpec.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQTypes.h"

class VqsModelNodeConfig;

class VqsFilterReturn : public CObject {
public:
    void SetMessage(const char* message) { m_strMessage = message ? message : ""; }
    // FALSE when the message is empty.
    BOOL GetMessage(CString& message) const;
    BOOL HasMessage() const { return !m_strMessage.IsEmpty(); }

private:
    CString m_strMessage;
};

// Whether the element is of a kind the command's option page handles; otherwise the
// message says why. `name` is the name the user typed, null for the selected element.
using VqsGoElementKindTest = BOOL (*)(const PxVQElementSoftLinkPtr& link, CString& message, const char* name);

// The link of the configuration a GO command takes when nobody named one: the only one, or
// the first valid one, or the first.
int VqsGoChooseBSLink(PxVQBSSoftLinkPtr& link, VqsFilterReturn* result, VqsModelNodeConfig* configNode);

struct VqsGoFilterSystem {
    PxVQSystemPtr m_pSystem;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterBSLink {
    PxVQBSSoftLinkPtr m_pBSLink;
    VqsGoFilterSystem* m_pSystemFilter;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterConfig {
    PxVQBSSoftLinkPtr m_pBSLink;
    PxVQConfigPtr m_pConfig;
    VqsGoFilterBSLink* m_pBSLinkFilter;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterGenSet {
    PxVQBSSoftLinkPtr m_pBSLink;
    PxVQGenSetPtr m_pGenSet;
    VqsGoFilterBSLink* m_pBSLinkFilter;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterCurrentGenSet {
    PxVQGenSetPtr m_pGenSet;
    VQHostType m_hostType;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterHostTypeGenSet {
    PxVQBSSoftLinkPtr m_pBSLink;
    PxVQGenSetPtr m_pGenSet;
    VQHostType m_hostType;
    VqsGoFilterBSLink* m_pBSLinkFilter;
    VqsGoFilterCurrentGenSet* m_pCurrentGenSetFilter;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterBSOpt {
    PxVQBSSoftLinkPtr m_pBSLink;
    PxVQGenSetPtr m_pGenSet;
    CString m_strGenSetName;
    VqsGoFilterConfig* m_pConfigFilter;
    VqsGoFilterGenSet* m_pGenSetFilter;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context, CStringList& arguments);
};

struct VqsGoFilterHostTypeBSOpt {
    PxVQBSSoftLinkPtr m_pBSLink;
    PxVQGenSetPtr m_pGenSet;
    VQHostType m_hostType;
    CString m_strGenSetName;
    VqsGoFilterConfig* m_pConfigFilter;
    VqsGoFilterHostTypeGenSet* m_pGenSetFilter;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context, CStringList& arguments);
};

struct VqsGoFilterCurrentElement {
    PxVQElementSoftLinkPtr m_pElementLink;
    PxVQGenSetPtr m_pGenSet;
    VqsGoElementKindTest m_pfnKindTest;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterHostTypeCurrentElement {
    PxVQElementSoftLinkPtr m_pElementLink;
    PxVQGenSetPtr m_pGenSet;
    VQHostType m_hostType;
    VqsGoElementKindTest m_pfnKindTest;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context);
};

struct VqsGoFilterElementOpt {
    PxVQElementSoftLinkPtr m_pElementLink;
    PxVQGenSetPtr m_pGenSet;
    CString m_strElementName;
    CString m_strGenSetName;
    VqsGoFilterCurrentElement* m_pCurrentElementFilter;
    VqsGoFilterBSOpt* m_pBSOptFilter;
    VqsGoElementKindTest m_pfnKindTest;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context, CStringList& arguments);
};

struct VqsGoFilterHostTypeElementOpt {
    PxVQElementSoftLinkPtr m_pElementLink;
    PxVQGenSetPtr m_pGenSet;
    CString m_strElementName;
    CString m_strGenSetName;
    VQHostType m_hostType;
    VqsGoFilterHostTypeCurrentElement* m_pCurrentElementFilter;
    VqsGoFilterHostTypeBSOpt* m_pBSOptFilter;
    VqsGoElementKindTest m_pfnKindTest;

    int Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context, CStringList& arguments);
};
