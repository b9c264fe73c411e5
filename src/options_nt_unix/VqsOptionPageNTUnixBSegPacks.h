// The "Pack Allocation" pages of an NT and a Unix business segment: the default pack, the
// event set and the reorg, log, ROC output and extract packs (and on Unix the object pack),
// each with a "Use default" box. The event set's default is the default pack as the page
// shows it; the log and ROC output packs never show a default. A default that cannot be
// determined shows "<not available>" and is never stored.
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options/VqsTableOptionPage.h"
#include "options_nt_unix/VqsNTUnixPackLists.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"

#include <vector>

struct VqsNTPacksTraits {
    using Record = PxNTBSegOptions;
    static constexpr bool kHasObjectPack = false;
};

struct VqsUnixPacksTraits {
    using Record = PxUnixBSegOptions;
    static constexpr bool kHasObjectPack = true;
};

template <class Traits>
class VqsOptionPagePlatformBSegPacks : public VqsTableOptionPage {
public:
    VqsOptionPagePlatformBSegPacks(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    void AdjustLoadedValues() override;
    void OnOptionTaken(UINT id) override;

private:
    using Platform = typename Traits::Record;

    struct Pack {
        UINT boxId;
        VqsOptCtrlFlag* box;
        VqsOptCtrlCombo* combo;
        vqsntunix::PackList list;
    };

    template <class Option>
    void AddPack(UINT comboId, UINT boxId, const Option& option, vqsntunix::PackList list);
    Pack& PackOfBox(UINT boxId);
    // Shown as its own text again: a placeholder goes, unless the text was never read.
    static void ShowOwnText(VqsOptCtrlCombo& combo);
    void ShowNeverShownDefaults();
    void EventSetFollowsDefaultPack();

    std::vector<Pack> m_packs;
    // The default of the default pack could not be determined at the last attempt.
    BOOL m_bDefaultPackUnavailable = FALSE;
};

class VqsOptionPageNTBSegPacks : public VqsOptionPagePlatformBSegPacks<VqsNTPacksTraits> {
public:
    using VqsOptionPagePlatformBSegPacks::VqsOptionPagePlatformBSegPacks;
};

class VqsOptionPageUnixBSegPacks : public VqsOptionPagePlatformBSegPacks<VqsUnixPacksTraits> {
public:
    using VqsOptionPagePlatformBSegPacks::VqsOptionPagePlatformBSegPacks;
};
