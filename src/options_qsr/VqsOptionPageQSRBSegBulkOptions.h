// The "Bulk Options" page of a QSR business segment: the option framework's bulk page with
// the QSR panels of Ispecs, profiles and reports (QSR has no global logic options to edit
// here: that kind cannot be chosen), each with its editors and its columns
// (VqsQSRColumnAdapters.h), placed at the top-left corner of the page's panel frame.
#pragma once

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options_qsr/VqsQSRColumnAdapters.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsQSRIspecBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsQSRIspecBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlString m_expected;
    VqsOptCtrlString m_service;
    VqsOptCtrlFlag m_serviceDefault;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlCombo m_subsystem;
    VqsOptCtrlFlag m_extendedEdition;
    VqsOptCtrlFlag m_extendedEditionDefault;
    VqsOptCtrlFlag m_optimizeBlocksize;
    VqsOptCtrlFlag m_optimizeBlocksizeDefault;
};

class VqsQSRProfileBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsQSRProfileBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlCombo m_sizingType;
    VqsOptCtrlString m_sizingValue;
};

class VqsQSRReportBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsQSRReportBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlFlag m_extractPackDefault;
    VqsOptCtrlCombo m_extractPack;
    VqsOptCtrlString m_sortMemorySize;
    VqsOptCtrlString m_sortDiskSize;
    VqsOptCtrlFlag m_rocUsesDatabaseDefault;
    VqsOptCtrlFlag m_rocUsesDatabase;
    VqsOptCtrlFlag m_oltpClient;
    VqsOptCtrlFlag m_sortDiskSizeDefault;
};

class VqsOptionPageQSRBSegBulkOptions : public VqsOptionPageBSegBulkOptions {
public:
    VqsOptionPageQSRBSegBulkOptions(VqsOptions_BSeg_QSR_Sheet* sheet, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void CreatePanels() override;
};
