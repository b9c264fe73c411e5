// The "Generate" page of a Tarsk business segment: the QUB transaction identity, the target
// environment, the library number and the D-bank size, beside the platform-neutral options.
#pragma once

#include "options/VqsOptionPagesBSeg.h"

class VqsOptionPageTarskBSegGenerate : public VqsOptionPageBSegGenerate {
public:
    VqsOptionPageTarskBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void EnableDependentControls() override;

private:
    VqsOptCtrlString& m_toEnvironment;
    VqsOptCtrlInt& m_libraryNumber;
    VqsOptCtrlInt& m_transactionNumber;
    VqsOptCtrlInt& m_dbankSize;
};
