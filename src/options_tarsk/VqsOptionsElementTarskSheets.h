// The options of the elements of a business segment on a Tarsk host: components, events,
// profiles and reports each have a sheet; the Tarsk Ispec sheet is the common base of the
// component and event sheets and is never made on its own. The component and profile
// sheets also answer, from the business segment's stored options, the defaults their
// database pages show.
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options/VqsOptionPagesIspec.h"
#include "options_tarsk/VqsOptionPageTarskComponentDB.h"
#include "options_tarsk/VqsOptionPageTarskProfileDb.h"
#include "options_tarsk/VqsOptionPagesTarskIspecEnv.h"
#include "options_tarsk/VqsOptionPagesTarskReport.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"

// The business segment's stored values that the database pages of its elements show as
// their defaults. An edit of the segment not yet applied is not seen.
class VqsTarskSegmentDefaults {
public:
    explicit VqsTarskSegmentDefaults(const VqsOptionsSheet& sheet) : m_sheet(sheet) {}
    virtual ~VqsTarskSegmentDefaults() = default;

    int GetAllQUBduplex() const;
    int GetKeepAssigned() const;
    CString GetDefaultDuplexPack() const;
    CString GetDBPack() const;

private:
    const VqsOptionsSheet& m_sheet;
};

class VqsOptions_Ispec_Tarsk_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Sheet, PxTarskIspecOptionsPtr> {
public:
    const PxTarskIspecOptionsPtr& GetTarskIspecOptions() const { return GetLevelOptions(); }

protected:
    VqsOptions_Ispec_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskIspecOptionsPtr& options,
                                 UINT selectPage);

    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Component_Tarsk_Sheet
    : public VqsTypedSheetLevel<VqsOptions_Ispec_Tarsk_Sheet, PxTarskCompOptionsPtr>,
      public VqsTarskSegmentDefaults {
public:
    VqsOptions_Component_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskCompOptionsPtr& options,
                                     UINT selectPage);

    UINT GetHelpContextId() override { return 813; }
    // The page set of the input Ispecs of a Tarsk or QSR option set has no database page.
    void SetEventView(BOOL eventView) override;

    const PxTarskCompOptionsPtr& GetTarskOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageTarskComponentEnv m_environment;
    VqsOptionPageTarskComponentDB m_database;
};

class VqsOptions_Event_Tarsk_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Tarsk_Sheet, PxTarskEventOptionsPtr> {
public:
    VqsOptions_Event_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskEventOptionsPtr& options,
                                 UINT selectPage);

    UINT GetHelpContextId() override { return 808; }

    const PxTarskEventOptionsPtr& GetTarskOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageTarskEventEnv m_environment;
};

class VqsOptions_Profile_Tarsk_Sheet
    : public VqsTypedSheetLevel<VqsOptions_Profile_Sheet, PxTarskProfileOptionsPtr>,
      public VqsTarskSegmentDefaults {
public:
    VqsOptions_Profile_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskProfileOptionsPtr& options,
                                   UINT selectPage);

    UINT GetHelpContextId() override { return 823; }

    const PxTarskProfileOptionsPtr& GetTarskOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageTarskProfileDb m_database;
};

class VqsOptions_Report_Tarsk_Sheet : public VqsTypedSheetLevel<VqsOptions_Report_Sheet, PxTarskReportOptionsPtr> {
public:
    VqsOptions_Report_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskReportOptionsPtr& options,
                                  UINT selectPage);

    UINT GetHelpContextId() override { return 818; }

    const PxTarskReportOptionsPtr& GetTarskOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageTarskReportEnv m_environment;
    VqsOptionPageTarskReportExtractFile m_extractFile;
    VqsOptionPageTarskReportGenerate m_generate;
    VqsOptionPageTarskReportFastLoad m_fastLoad;
};
