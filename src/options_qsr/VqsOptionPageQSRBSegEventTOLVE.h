// The "Event TOLVE" page: how the TOLVE description of the system EVENT structure is
// generated. Most options have a "Use default" box; checked, the record keeps no own value
// and the page shows the business-segment default, the Default TOLVE page's current value.
// The page also shows how much of the database filler the items added since the structure's
// last generation take.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "proxy/PxQSRBSegOptions.h"
#include "win/CGdiObject.h"

#include <cstdint>

class CDC;
class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegEventTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegEventTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

    // The Default TOLVE page's value changed: shown here while the option's box is checked.
    void OnDefaultCheckSumChanged(int value);
    void OnDefaultExtendedEditionChanged(int value);
    void OnDefaultDisplayWarnChanged(int value);
    void OnDefaultOptimizeBlocksizeChanged(int value);
    void OnDefaultSecurityGuardUserChanged(const CString& value);
    void OnDefaultSecurityGuardNameChanged(const CString& value);
    void OnDefaultSecurityGuardPackChanged(const CString& value);
    void OnDefaultReblockFactorChanged(std::int64_t value);
    void OnDefaultDataSetBuffersChanged(std::int64_t value);
    void OnDefaultDataSetBuffersPUserChanged(std::int64_t value);
    void OnDefaultDataSetBuffersPRandomUserChanged(std::int64_t value);
    void OnDefaultDataSetBuffersPSerialUserChanged(std::int64_t value);
    void OnDefaultPopulationIncreaseChanged(std::int64_t value);
    void OnDefaultPopulationWarnChanged(std::int64_t value);

    // The colour of the filler display (the framework's control-colour notification): the
    // remaining-space edit is painted in the warning colour while the filler is exceeded.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlKind);
    // The warning colour for a display's background and text colours: yellow for black on
    // white.
    static COLORREF WarningColour(COLORREF background, COLORREF text);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

private:
    PxQSRBSegOptions& Options() const;
    // The Default TOLVE value of the option whose "Use default" box this is, into its binder.
    void ShowSheetDefault(UINT boxId);
    template <class Binder, class Value>
    void OnDefaultChanged(VqsOptCtrlFlag& box, Binder& binder, const Value& value);
    void LoadFillerAccounting();
    BOOL IsFillerExceeded() const;
    void ShowFillerRemaining();
    void EnableMemoPopulation();
    // The buffer rules after a change of the value (or the check of its box).
    void OnBuffersChanged();
    void OnPerUserChanged();
    void OnPerRandomUserChanged();
    void EnablePerUserValues();
    // Clears the value's box when it is checked while the value is above 0, then zeroes it.
    void ZeroBuffer(VqsOptCtrlFlag& box, VqsOptCtrlInt& value);

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_checkSum;
    VqsOptCtrlFlag& m_extendedEdition;
    VqsOptCtrlFlag& m_displayWarn;
    VqsOptCtrlFlag& m_optimizeBlocksize;
    VqsOptCtrlFlag& m_memoUseDefault;
    VqsOptCtrlString& m_securityGuardUser;
    VqsOptCtrlString& m_securityGuardName;
    VqsOptCtrlInt& m_reblockFactor;
    VqsOptCtrlInt& m_buffers;
    VqsOptCtrlInt& m_perUser;
    VqsOptCtrlInt& m_perRandomUser;
    VqsOptCtrlInt& m_perSerialUser;
    VqsOptCtrlInt& m_areaSize;
    VqsOptCtrlInt& m_blockSize;
    VqsOptCtrlInt& m_populationIncrease;
    VqsOptCtrlInt& m_populationWarn;
    VqsOptCtrlInt& m_filler;
    VqsOptCtrlInt& m_percentage;
    VqsOptCtrlInt& m_expectedNumber;
    VqsOptCtrlCombo& m_securityGuardPack;
    VqsOptCtrlCombo& m_memoPack;
    VqsOptCtrlRadio& m_perOrExpect;
    VqsOptCtrlFlag& m_checkSumDefault;
    VqsOptCtrlFlag& m_extendedEditionDefault;
    VqsOptCtrlFlag& m_displayWarnDefault;
    VqsOptCtrlFlag& m_optimizeBlocksizeDefault;
    VqsOptCtrlFlag& m_securityGuardUserDefault;
    VqsOptCtrlFlag& m_securityGuardNameDefault;
    VqsOptCtrlFlag& m_securityGuardPackDefault;
    VqsOptCtrlFlag& m_reblockFactorDefault;
    VqsOptCtrlFlag& m_buffersDefault;
    VqsOptCtrlFlag& m_perUserDefault;
    VqsOptCtrlFlag& m_perRandomUserDefault;
    VqsOptCtrlFlag& m_perSerialUserDefault;
    VqsOptCtrlFlag& m_areaSizeDefault;
    VqsOptCtrlFlag& m_blockSizeDefault;
    VqsOptCtrlFlag& m_populationIncreaseDefault;
    VqsOptCtrlFlag& m_populationWarnDefault;
    VqsOptCtrlFlag& m_memoPackDefault;
    // Not options: the filler still free (or exceeded) and the filler at the last generation.
    VqsOptCtrlInt m_fillerRemaining;
    VqsOptCtrlInt m_lastFiller;
    // The storage of the items added since the last generation.
    std::int64_t m_newItemsSize = 0;
    CBrush m_warningBrush;
};
