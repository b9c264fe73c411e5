#include "win/CommonDialogs.h"

#include "win/Mbcs.h"
#include "win/ModalLoop.h"

#include <cstring>
#include <filesystem>
#include <string>

struct ITEMIDLIST {
    std::string path;
};

namespace {

thread_local DWORD t_commonDialogError = 0;

namespace fs = std::filesystem;

// "Batch Files\0*.bat\0\0" is shown as "Batch Files|*.bat|".
CString FilterText(LPCSTR filter)
{
    CString text;
    for (const char* part = filter; part && *part; part += std::strlen(part) + 1) {
        text += part;
        text += '|';
    }
    return text;
}

CString OfferedFile(const OPENFILENAME& ofn)
{
    const std::size_t length = strnlen(ofn.lpstrFile, ofn.nMaxFile);
    return CString(ofn.lpstrFile, static_cast<int>(length));
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

CString WithDefaultExtension(const CString& path, LPCSTR defaultExtension)
{
    if (!defaultExtension || !*defaultExtension || FileNameOf(path.str()).find('.') != std::string::npos)
        return path;
    return path + "." + defaultExtension;
}

std::string FileRefusal(const CString& path, DWORD flags, bool open)
{
    if (path.IsEmpty())
        return "no file was chosen";
    const fs::path chosen(path.str());
    std::error_code error;
    if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && chosen.has_parent_path() &&
        !fs::is_directory(chosen.parent_path(), error))
        return "the folder " + chosen.parent_path().string() + " does not exist";
    if (open && (flags & OFN_FILEMUSTEXIST) && !fs::is_regular_file(chosen, error))
        return "the file " + path.str() + " does not exist";
    return {};
}

BOOL AskForFile(LPOPENFILENAME ofn, bool open)
{
    t_commonDialogError = 0;
    if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
        t_commonDialogError = CDERR_INITIALIZATION;
        return FALSE;
    }
    vqui::UiEvent event;
    event.kind = open ? vqui::EventKind::FileOpen : vqui::EventKind::FileSave;
    event.caption = ofn->lpstrTitle ? ofn->lpstrTitle : (open ? "Open" : "Save As");
    event.text = OfferedFile(*ofn);
    event.filter = FilterText(ofn->lpstrFilter);
    event.flags = ofn->Flags;
    const vqui::CommonDialogAnswer answer = vqui::AskCommonDialog(event, [ofn, open](vqui::UiAction& action) {
        action.text = WithDefaultExtension(action.text, ofn->lpstrDefExt);
        return FileRefusal(action.text, ofn->Flags, open);
    });
    if (answer.result != IDOK)
        return FALSE;
    const CString& path = answer.text;
    if (static_cast<DWORD>(path.GetLength()) >= ofn->nMaxFile) {
        t_commonDialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::memcpy(ofn->lpstrFile, path.GetString(), static_cast<std::size_t>(path.GetLength()) + 1);
    const std::string name = FileNameOf(path.str());
    ofn->nFileOffset = static_cast<WORD>(path.GetLength() - static_cast<int>(name.size()));
    const std::size_t dot = name.rfind('.');
    ofn->nFileExtension = dot == std::string::npos ? 0 : static_cast<WORD>(ofn->nFileOffset + dot + 1);
    return TRUE;
}

class ShellAllocator : public IMalloc {
public:
    void Free(void* block) override { delete static_cast<ITEMIDLIST*>(block); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
};

} // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) { return AskForFile(ofn, true); }

BOOL GetSaveFileName(LPOPENFILENAME ofn) { return AskForFile(ofn, false); }

DWORD CommDlgExtendedError() { return t_commonDialogError; }

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info)
{
    if (!info)
        return nullptr;
    vqui::UiEvent event;
    event.kind = vqui::EventKind::FolderBrowse;
    event.caption = info->lpszTitle ? info->lpszTitle : "";
    event.flags = info->ulFlags;
    const vqui::CommonDialogAnswer answer = vqui::AskCommonDialog(event, [info](vqui::UiAction& action) {
        std::error_code error;
        if (action.text.IsEmpty())
            return std::string("no folder was chosen");
        if ((info->ulFlags & BIF_RETURNONLYFSDIRS) && !fs::is_directory(action.text.str(), error))
            return "the folder " + action.text.str() + " does not exist";
        return std::string();
    });
    if (answer.result != IDOK)
        return nullptr;
    mbcs::CopyToBuffer(FileNameOf(answer.text.str()), info->pszDisplayName, MAX_PATH);
    return new ITEMIDLIST{answer.text.str()};
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPSTR path)
{
    if (!list || !path || list->path.size() >= static_cast<std::size_t>(MAX_PATH))
        return FALSE;
    std::memcpy(path, list->path.c_str(), list->path.size() + 1);
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc** malloc)
{
    static ShellAllocator allocator;
    if (!malloc)
        return E_INVALIDARG;
    *malloc = &allocator;
    return S_OK;
}

namespace vqwin::detail {

void SetCommonDialogError(DWORD error) { t_commonDialogError = error; }

} // namespace vqwin::detail
