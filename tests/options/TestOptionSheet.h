// A business segment's sheet of three test pages, each showing one flag option on the
// template of the NT global-logic page (check box 1017 and the three buttons): "Generate"
// FullKESHOFF, "OLTP" EnableOLTP, "Glimmerdesk" PCEcap. Its factory takes the Tarsk
// business-segment records.
#pragma once

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxTarskBSegOptions.h"
#include "shell/VqsOptCtrlFlag.h"

namespace optionstest {

class TestFlagPage : public VqsOptionPage {
public:
    struct Option {
        int (PxBSegOptions::*get)() const;
        void (PxBSegOptions::*set)(int);
        void (PxBSegOptions::*clear)();
        BOOL (PxBSegOptions::*isUpdated)() const;
    };

    static constexpr UINT kFlagPageTemplate = 198;

    TestFlagPage(VqsOptions_BSeg_Sheet* sheet, int pageIndex, Option option, UINT templateId = kFlagPageTemplate);
    static Option FullKeshOff();
    static Option EnableOltp();
    static Option PceCapable();

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

    // A store of the page fails its page check with this text while it is not empty.
    static CString s_refusal;

protected:
    void OnFlagClicked();
    DECLARE_MESSAGE_MAP()

private:
    PxBSegOptions& Record() const;

    VqsOptions_BSeg_Sheet* m_pTypedSheet;
    Option m_option;
    VqsOptCtrlFlag m_flag;
};

class TestOptionSheet : public VqsOptions_BSeg_Sheet {
public:
    static constexpr UINT kHelpId = 901;

    TestOptionSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxBSegOptionsPtr& options, UINT selectPage);
    UINT GetHelpContextId() override { return kHelpId; }

    // Registers the sheet's factory; it is tried before every other.
    static void Register();

private:
    TestFlagPage m_generate;
    TestFlagPage m_oltp;
    TestFlagPage m_glimmerdesk;
};

} // namespace optionstest
