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

class VqsOptions_Ispec_Tarsk_Sheet : public VqsOptions_Ispec_Sheet {
public:
    BOOL SetOptions(const PxOptionsPtr& options) override;
    const PxTarskIspecOptionsPtr& GetTarskIspecOptions() const { return m_pTarskIspecOptions; }

protected:
    VqsOptions_Ispec_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskIspecOptionsPtr& options,
                                 UINT selectPage);

    PxTarskIspecOptionsPtr m_pTarskIspecOptions;
    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Component_Tarsk_Sheet : public VqsOptions_Ispec_Tarsk_Sheet, public VqsTarskSegmentDefaults {
public:
    VqsOptions_Component_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskCompOptionsPtr& options,
                                     UINT selectPage);

    UINT GetHelpContextId() override { return 813; }
    BOOL SetOptions(const PxOptionsPtr& options) override;
    // The page set of the input Ispecs of a Tarsk or QSR option set has no database page.
    void SetEventView(BOOL eventView) override;

    const PxTarskCompOptionsPtr& GetTarskOptions() const { return m_pTarskCompOptions; }

private:
    PxTarskCompOptionsPtr m_pTarskCompOptions;
    VqsOptionPageTarskComponentEnv m_environment;
    VqsOptionPageTarskComponentDB m_database;
};

class VqsOptions_Event_Tarsk_Sheet : public VqsOptions_Ispec_Tarsk_Sheet {
public:
    VqsOptions_Event_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskEventOptionsPtr& options,
                                 UINT selectPage);

    UINT GetHelpContextId() override { return 808; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxTarskEventOptionsPtr& GetTarskOptions() const { return m_pTarskEventOptions; }

private:
    PxTarskEventOptionsPtr m_pTarskEventOptions;
    VqsOptionPageTarskEventEnv m_environment;
};

class VqsOptions_Profile_Tarsk_Sheet : public VqsOptions_Profile_Sheet, public VqsTarskSegmentDefaults {
public:
    VqsOptions_Profile_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskProfileOptionsPtr& options,
                                   UINT selectPage);

    UINT GetHelpContextId() override { return 823; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxTarskProfileOptionsPtr& GetTarskOptions() const { return m_pTarskProfileOptions; }

private:
    PxTarskProfileOptionsPtr m_pTarskProfileOptions;
    VqsOptionPageTarskProfileDb m_database;
};

class VqsOptions_Report_Tarsk_Sheet : public VqsOptions_Report_Sheet {
public:
    VqsOptions_Report_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskReportOptionsPtr& options,
                                  UINT selectPage);

    UINT GetHelpContextId() override { return 818; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxTarskReportOptionsPtr& GetTarskOptions() const { return m_pTarskReportOptions; }

private:
    PxTarskReportOptionsPtr m_pTarskReportOptions;
    VqsOptionPageTarskReportEnv m_environment;
    VqsOptionPageTarskReportExtractFile m_extractFile;
    VqsOptionPageTarskReportGenerate m_generate;
    VqsOptionPageTarskReportFastLoad m_fastLoad;
};
