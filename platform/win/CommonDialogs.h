// The file-open, file-save and folder dialogs, answered by the UI driver (see UiDriver.h):
// the driver chooses a path or cancels. Paths are POSIX paths.
#pragma once

#include "win/Types.h"

class CString;

constexpr int MAX_PATH = 260;

// OPENFILENAME flags.
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;

// CommDlgExtendedError codes.
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD PDERR_CREATEICFAILURE = 0x100A;
constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
constexpr DWORD PDERR_PRINTERNOTFOUND = 0x100B;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    // Pairs of description and pattern, each ending in a null character; two at the end.
    LPCSTR lpstrFilter;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
};
using LPOPENFILENAME = OPENFILENAME*;

// FALSE when the user cancelled or the dialog failed (CommDlgExtendedError tells which).
BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
// The error of the calling thread's last common dialog; 0 after a cancel.
DWORD CommDlgExtendedError();

// Folders.
constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND, UINT, LPARAM, LPARAM);

struct BROWSEINFO {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;  // MAX_PATH bytes: the chosen folder's own name
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
using LPBROWSEINFO = BROWSEINFO*;

// The chosen folder, null when the user cancelled; free it with the shell allocator.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info);
// Copies the folder's path into `path` (MAX_PATH bytes).
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPSTR path);

// The shell's allocator, reference counted; it frees the folders SHBrowseForFolder returns.
class IMalloc {
public:
    virtual void Free(void* block) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IMalloc() = default;
};
HRESULT SHGetMalloc(IMalloc** malloc);

namespace vqwin::detail {
// Sets the calling thread's common-dialog error.
void SetCommonDialogError(DWORD error);
} // namespace vqwin::detail
