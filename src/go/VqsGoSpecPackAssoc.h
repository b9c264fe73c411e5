// The GO command that opens the pack dialog of the enterprise for one pack and one host:
// those the user's business segment and generate set name, else the first of each.
#pragma once

#include "go/VqsGoSpecs.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQPackInformation.h"

class VqsGoSpecPackAssoc : public VqsGoSpecBSOpt {
public:
    static constexpr std::array kKeywords{"LPK", "LP"};

    BOOL Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments) override;
    UINT GetTitleId() const override { return 61834; }
    UINT GetSyntaxId() const override { return 61835; }
    BOOL Open(VqsModel* target) override;
    UINT GetPageIndex() const override { return 0; }

    const PxVQPackInformationPtr& GetPack() const { return m_pPack; }
    const PxVQHostInformationPtr& GetHost() const { return m_pHost; }

private:
    // The pack the generate set's options name and the generate set's host, as far as they
    // can be found; failures leave the fields empty.
    void ChooseFromSelection(VqsModel& model, const VqsGoContext& context, const CObList& packs, const CObList& hosts);

    PxVQPackInformationPtr m_pPack;
    PxVQHostInformationPtr m_pHost;
};
