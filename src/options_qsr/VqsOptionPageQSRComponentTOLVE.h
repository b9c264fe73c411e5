// The "TOLVE" page of a QSR component: how its structure is laid out as a data set on the
// host. Beyond its plain options it keeps the four buffer counts consistent, offers the
// memo-data group only when the structure's screen holds memo data, and compares the
// database filler with the room the items added since the last generation need.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "win/CGdiObject.h"

#include <optional>

class CDC;
class VqsOptions_Component_QSR_Sheet;

class VqsOptionPageQSRComponentTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRComponentTOLVE(VqsOptions_Component_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // The Environment page's pack changed: the memo-data pack follows while it is on its
    // default.
    void OnComponentPackChanged(const std::optional<CString>& pack);
    // The design of the component's structure has a memo-data screen item.
    BOOL HasMemoData() const;
    // The colours of the "Filler space remaining:" edit (the control-colour notification): a
    // warning background while the new items need more room than the filler leaves; null
    // leaves the control its own colours.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlKind);

    // The warning background for the text and background colours of a control.
    static COLORREF WarningColour(COLORREF background, COLORREF text);
    // How far the filler is from the room the new items need; 0 without a filler.
    static std::int64_t FillerRemaining(std::int64_t filler, std::int64_t newItemsSize);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The rules that keep the buffer counts consistent after a change of one of them.
    void ApplyBuffersRule();
    void ApplyPerUserRule();
    void ApplyPerRandomUserRule();
    void EnablePerUserBuffers();
    void ApplyPopulationRule(BOOL boxJustSet);
    void EnableMemoData();
    void LoadFillerFigures();
    void ShowFillerRemaining();
    BOOL IsFillerExceeded() const;
    // A number box whose default is not read: the number shows "not available" while set.
    void ShowNumberForBox(VqsOptCtrlFlag& box, VqsOptCtrlInt& number);

    VqsOptions_Component_QSR_Sheet* m_pComponentSheet;
    VqsOptCtrlInt& m_buffers;
    VqsOptCtrlFlag& m_useDefaultBuffers;
    VqsOptCtrlInt& m_buffersPerUser;
    VqsOptCtrlFlag& m_useDefaultBuffersPerUser;
    VqsOptCtrlInt& m_buffersPerRandomUser;
    VqsOptCtrlFlag& m_useDefaultBuffersPerRandomUser;
    VqsOptCtrlInt& m_buffersPerSerialUser;
    VqsOptCtrlFlag& m_useDefaultBuffersPerSerialUser;
    VqsOptCtrlInt& m_filler;
    VqsOptCtrlInt& m_areaSize;
    VqsOptCtrlInt& m_blockSize;
    VqsOptCtrlFlag& m_populationUseDefault;
    VqsOptCtrlRadio& m_sizing;
    VqsOptCtrlInt& m_memoExpected;
    VqsOptCtrlInt& m_memoPercentage;
    VqsOptCtrlInt* m_pReblockFactor = nullptr;
    VqsOptCtrlInt* m_pPopulationIncrease = nullptr;
    VqsOptCtrlInt* m_pPopulationWarning = nullptr;
    VqsOptCtrlInt* m_pSections = nullptr;
    VqsOptCtrlCombo* m_pGuardPack = nullptr;
    VqsOptCtrlInt m_fillerRemaining;
    VqsOptCtrlInt m_fillerAtLastGenerate;
    // The area and block sizes have no default to show: while their box is set they are
    // not available.
    VqsOptCtrlFlag m_useDefaultAreaSize;
    VqsOptCtrlFlag m_useDefaultBlockSize;
    VqsOptCtrlCombo m_memoPack;
    VqsOptCtrlFlag m_useDefaultMemoPack;
    std::int64_t m_nNewItemsSize = 0;
    BOOL m_bHasMemoData = FALSE;
    CBrush m_warningBrush;
};
