// The "Bulk Options" page of a Tarsk business segment: the option framework's bulk page
// with the four Tarsk panels (Ispecs, profiles, reports, global logics), each with its
// editors and its columns (VqsTarskColumnAdapters.h), placed at the top-left corner of the
// page's panel frame in their own size. After an apply the user is told, once, of the rows
// whose option the repository refused.
#pragma once

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options_tarsk/VqsTarskColumnAdapters.h"

class VqsTarskIspecBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsTarskIspecBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent,
                                 VqsTarskBulkRefusals* refusals);
    BOOL OnInitDialog() override;

private:
    VqsTarskBulkRefusals* m_pRefusals;
    VqsOptCtrlString m_service;
    VqsOptCtrlFlag m_serviceDefault;
    VqsOptCtrlString m_qubNo;
    VqsOptCtrlFlag m_noQub;
    VqsOptCtrlCombo m_pageSize;
    VqsOptCtrlFlag m_pageSizeDefault;
    VqsOptCtrlCombo m_sizingType;
    VqsOptCtrlString m_sizingValue;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlCombo m_duplexPack;
    VqsOptCtrlFlag m_duplexDefault;
    VqsOptCtrlFlag m_noDuplex;
    VqsOptCtrlString m_som;
    VqsOptCtrlFlag m_somDefault;
    VqsOptCtrlCombo m_interDb;
    VqsOptCtrlFlag m_allowExternal;
    VqsOptCtrlString m_multiMaxReports;
    VqsOptCtrlString m_multiMaxIspecs;
    VqsOptCtrlFlag m_revertStd;
};

class VqsTarskProfileBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsTarskProfileBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent,
                                   VqsTarskBulkRefusals* refusals);
    BOOL OnInitDialog() override;

private:
    VqsTarskBulkRefusals* m_pRefusals;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlCombo m_sizingType;
    VqsOptCtrlString m_sizingValue;
    VqsOptCtrlCombo m_pageSize;
    VqsOptCtrlFlag m_pageSizeDefault;
    VqsOptCtrlString m_qubNo;
    VqsOptCtrlFlag m_noQub;
    VqsOptCtrlCombo m_duplexPack;
    VqsOptCtrlFlag m_duplexDefault;
    VqsOptCtrlFlag m_noDuplex;
};

class VqsTarskReportBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsTarskReportBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlCombo m_extractPack;
    VqsOptCtrlFlag m_extractPackDefault;
    VqsOptCtrlString m_sortMemSize;
    VqsOptCtrlFlag m_rocUsesDb;
    VqsOptCtrlFlag m_rocUsesDbDefault;
    VqsOptCtrlFlag m_oltpClient;
};

class VqsTarskGlbLogicsBulkOptionPanel : public VqsBulkOptionPanel {
public:
    VqsTarskGlbLogicsBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlFlag m_separateCompile;
    VqsOptCtrlString m_som;
    VqsOptCtrlFlag m_somDefault;
};

class VqsOptionPageTarskBSegBulkOptions : public VqsOptionPageBSegBulkOptions {
public:
    using VqsOptionPageBSegBulkOptions::VqsOptionPageBSegBulkOptions;

    BOOL ApplyPage(BOOL isActivePage, BOOL clearUpdatedMarkWhenDefault) override;

protected:
    void CreatePanels() override;

private:
    VqsTarskBulkRefusals m_refusals;
};
