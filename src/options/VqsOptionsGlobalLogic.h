// The options of a global logic: on each host platform one sheet with one page,
// "Environment".
#pragma once

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxQSRGLGOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxUnixGLGOptions.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"

class VqsOptions_GL_Tarsk_Sheet;
class VqsOptions_GL_QSR_Sheet;
class VqsOptions_GL_NT_Sheet;
class VqsOptions_GL_Unix_Sheet;

class VqsOptionPageTarskGLEnvir : public VqsOptionPage {
public:
    VqsOptionPageTarskGLEnvir(VqsOptions_GL_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

protected:
    void OnSeparateCompileClicked();
    void OnObjectModuleChanged();
    DECLARE_MESSAGE_MAP()

    VqsOptions_GL_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag m_separateCompile;
    VqsOptCtrlString m_objectModule;
};

// No options: the page always shows the defaults state.
class VqsOptionPageQSRGLEnvir : public VqsOptionPage {
public:
    VqsOptionPageQSRGLEnvir(VqsOptions_GL_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override {}
    BOOL IsNotUpdated() override { return TRUE; }
    void ClearOptions() override {}
    void LoadOptions() override {}

protected:
    VqsOptions_GL_QSR_Sheet* m_pTypedSheet;
};

class VqsOptionPageNTGLEnvir : public VqsOptionPage {
public:
    VqsOptionPageNTGLEnvir(VqsOptions_GL_NT_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

protected:
    void OnSeparateCompileClicked();
    DECLARE_MESSAGE_MAP()

    VqsOptions_GL_NT_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag m_separateCompile;
};

class VqsOptionPageUnixGLEnvir : public VqsOptionPage {
public:
    VqsOptionPageUnixGLEnvir(VqsOptions_GL_Unix_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

protected:
    void OnSeparateCompileClicked();
    DECLARE_MESSAGE_MAP()

    VqsOptions_GL_Unix_Sheet* m_pTypedSheet;
    VqsOptCtrlFlag m_separateCompile;
};

class VqsOptions_GL_Tarsk_Sheet : public VqsOptionsSheetTemplate<PxTarskGLGOptions, PxTarskGLGOptionsPtr> {
public:
    VqsOptions_GL_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskGLGOptionsPtr& options,
                              UINT selectPage);
    UINT GetHelpContextId() override;

private:
    VqsOptionPageTarskGLEnvir m_environment;
};

class VqsOptions_GL_QSR_Sheet : public VqsOptionsSheetTemplate<PxQSRGLGOptions, PxQSRGLGOptionsPtr> {
public:
    VqsOptions_GL_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRGLGOptionsPtr& options, UINT selectPage);
    UINT GetHelpContextId() override;

private:
    VqsOptionPageQSRGLEnvir m_environment;
};

class VqsOptions_GL_NT_Sheet : public VqsOptionsSheetTemplate<PxNTGLGOptions, PxNTGLGOptionsPtr> {
public:
    VqsOptions_GL_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTGLGOptionsPtr& options, UINT selectPage);
    UINT GetHelpContextId() override;

private:
    VqsOptionPageNTGLEnvir m_environment;
};

class VqsOptions_GL_Unix_Sheet : public VqsOptionsSheetTemplate<PxUnixGLGOptions, PxUnixGLGOptionsPtr> {
public:
    VqsOptions_GL_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixGLGOptionsPtr& options,
                             UINT selectPage);
    UINT GetHelpContextId() override;

private:
    VqsOptionPageUnixGLEnvir m_environment;
};
