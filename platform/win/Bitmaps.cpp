#include "win/Bitmaps.h"

#include "win/CGdiObject.h"
#include "win/ResourceLibrary.h"

HBITMAP LoadBitmap(HINSTANCE, LPCSTR name)
{
    std::shared_ptr<const vqres::ResourceLibrary> library = vqres::CurrentResourceLibrary();
    const vqres::ResourceId id(name);
    const vqres::Image* image = library ? library->FindBitmap(id) : nullptr;
    if (!image)
        return nullptr;
    const std::string label = "bitmap " + (id.name.empty() ? std::to_string(id.id) : id.name);
    return vqwin::CreateLabelledBitmap(image->width, image->height, label.c_str());
}

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT)
{
    if (type != IMAGE_BITMAP)
        return nullptr;
    return reinterpret_cast<HANDLE>(LoadBitmap(instance, name));
}

BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCE(id)); }

BOOL CBitmap::LoadBitmap(LPCTSTR name)
{
    if (m_hObject)
        return FALSE;
    HBITMAP bitmap = ::LoadBitmap(nullptr, name);
    return bitmap && Attach(bitmap);
}
