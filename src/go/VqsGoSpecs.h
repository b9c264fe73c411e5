// The GO commands that open an option page: four families by what they resolve (a
// business-segment link or an element link, of any host type or of one), each owning the
// chain of filter passes it runs, and one leaf class per command fixing its keywords, texts,
// page, host type and element kind.
#pragma once

#include "go/VqsGoFilter.h"

#include <array>

class VqsGoSpecHostTypeBSOpt : public VqsGoSpec {
public:
    explicit VqsGoSpecHostTypeBSOpt(VQHostType hostType);
    BOOL Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments) override;
    BOOL Open(VqsModel* target) override;
    virtual UINT GetPageIndex() const = 0;

    const VqsGoFilterHostTypeBSOpt& GetTop() const { return m_top; }

private:
    VqsGoFilterSystem m_system;
    VqsGoFilterCurrentGenSet m_currentGenSet;
    VqsGoFilterBSLink m_bsLink;
    VqsGoFilterConfig m_config;
    VqsGoFilterHostTypeGenSet m_genSet;
    VqsGoFilterHostTypeBSOpt m_top;
};

class VqsGoSpecBSOpt : public VqsGoSpec {
public:
    VqsGoSpecBSOpt();
    BOOL Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments) override;
    BOOL Open(VqsModel* target) override;
    virtual UINT GetPageIndex() const = 0;

    const VqsGoFilterBSOpt& GetTop() const { return m_top; }

protected:
    VqsGoFilterBSOpt& Top() { return m_top; }

private:
    VqsGoFilterSystem m_system;
    VqsGoFilterBSLink m_bsLink;
    VqsGoFilterConfig m_config;
    VqsGoFilterGenSet m_genSet;
    VqsGoFilterBSOpt m_top;
};

class VqsGoSpecElementOpt : public VqsGoSpec {
public:
    explicit VqsGoSpecElementOpt(VqsGoElementKindTest kindTest);
    BOOL Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments) override;
    BOOL Open(VqsModel* target) override;
    virtual UINT GetPageIndex() const = 0;

    const VqsGoFilterElementOpt& GetTop() const { return m_top; }

private:
    VqsGoFilterSystem m_system;
    VqsGoFilterBSLink m_bsLink;
    VqsGoFilterConfig m_config;
    VqsGoFilterGenSet m_genSet;
    VqsGoFilterBSOpt m_bsOpt;
    VqsGoFilterCurrentElement m_currentElement;
    VqsGoFilterElementOpt m_top;
};

class VqsGoSpecHostTypeElementOpt : public VqsGoSpec {
public:
    VqsGoSpecHostTypeElementOpt(VQHostType hostType, VqsGoElementKindTest kindTest);
    BOOL Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments) override;
    BOOL Open(VqsModel* target) override;
    virtual UINT GetPageIndex(const PxOptionsPtr& options) const = 0;

    const VqsGoFilterHostTypeElementOpt& GetTop() const { return m_top; }

private:
    VqsGoFilterSystem m_system;
    VqsGoFilterBSLink m_bsLink;
    VqsGoFilterConfig m_config;
    VqsGoFilterCurrentGenSet m_currentGenSet;
    VqsGoFilterHostTypeGenSet m_genSet;
    VqsGoFilterHostTypeBSOpt m_bsOpt;
    VqsGoFilterHostTypeCurrentElement m_currentElement;
    VqsGoFilterHostTypeElementOpt m_top;
};

// Element-kind tests of the element commands.
BOOL VqsGoIsAnyElement(const PxVQElementSoftLinkPtr& link, CString& message, const char* name);
BOOL VqsGoIsReport(const PxVQElementSoftLinkPtr& link, CString& message, const char* name);
BOOL VqsGoIsComponent(const PxVQElementSoftLinkPtr& link, CString& message, const char* name);
BOOL VqsGoIsComponentOrProfile(const PxVQElementSoftLinkPtr& link, CString& message, const char* name);

// One leaf per command: keyword forms in the order tried, title, syntax line and page.
#define VQS_GO_LEAF(Leaf, Base, BaseArguments, Title, Syntax, Page, ...)                    \
    class Leaf : public Base {                                                          \
    public:                                                                             \
        static constexpr std::array kKeywords{__VA_ARGS__};                             \
        Leaf() : Base BaseArguments {}                                                  \
        UINT GetTitleId() const override { return Title; }                             \
        UINT GetSyntaxId() const override { return Syntax; }                           \
        UINT GetPageIndex() const override { return Page; }                            \
    };

VQS_GO_LEAF(VqsGoSpecQSRBSOptAU, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61798, 61804, 10, "AUD", "AU")
VQS_GO_LEAF(VqsGoSpecQSRBSOptCF, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61799, 61805, 7, "CFG", "CF")
VQS_GO_LEAF(VqsGoSpecQSRBSOptMDDEF, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61800, 61806, 5, "MD DEF")
VQS_GO_LEAF(VqsGoSpecQSRBSOptMD, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61801, 61807, 6, "MD OPT", "MD")
VQS_GO_LEAF(VqsGoSpecQSRBSOptPM, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61802, 61808, 9, "PM")
VQS_GO_LEAF(VqsGoSpecQSRBSOptRD, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61803, 61809, 8, "RD")
VQS_GO_LEAF(VqsGoSpecQSRBSOptOD, VqsGoSpecHostTypeBSOpt, (VQHostQSR), 61811, 61812, 7, "OD EVENT")
VQS_GO_LEAF(VqsGoSpecBSOptGO, VqsGoSpecBSOpt, (), 61813, 61814, 2, "GO")
VQS_GO_LEAF(VqsGoSpecBSOptEOP, VqsGoSpecBSOpt, (), 61816, 61817, 0, "EOP")
VQS_GO_LEAF(VqsGoSpecBSOptOLP, VqsGoSpecBSOpt, (), 61818, 61819, 3, "OLP")
VQS_GO_LEAF(VqsGoSpecBSOptPK, VqsGoSpecBSOpt, (), 61839, 61840, 4, "PK")
VQS_GO_LEAF(VqsGoSpecElementOptEO, VqsGoSpecElementOpt, (&VqsGoIsAnyElement), 61820, 61821, 0, "EO")
VQS_GO_LEAF(VqsGoSpecReportOptEX, VqsGoSpecElementOpt, (&VqsGoIsReport), 61824, 61825, 1, "EX")
VQS_GO_LEAF(VqsGoSpecComponentOptOLT, VqsGoSpecElementOpt, (&VqsGoIsComponent), 61832, 61833, 1, "OL", "OLT")

#undef VQS_GO_LEAF

class VqsGoSpecReportOptFL : public VqsGoSpecHostTypeElementOpt {
public:
    static constexpr std::array kKeywords{"FL"};
    VqsGoSpecReportOptFL() : VqsGoSpecHostTypeElementOpt(VQHostTarsk, &VqsGoIsReport) {}
    UINT GetTitleId() const override { return 61826; }
    UINT GetSyntaxId() const override { return 61827; }
    UINT GetPageIndex(const PxOptionsPtr&) const override { return 3; }
};

// A profile's options open at their page 1, a component's at page 2.
class VqsGoSpecComponentOptOD : public VqsGoSpecHostTypeElementOpt {
public:
    static constexpr std::array kKeywords{"OD"};
    VqsGoSpecComponentOptOD() : VqsGoSpecHostTypeElementOpt(VQHostQSR, &VqsGoIsComponentOrProfile) {}
    UINT GetTitleId() const override { return 61829; }
    UINT GetSyntaxId() const override { return 61830; }
    UINT GetPageIndex(const PxOptionsPtr& options) const override;
};
