#include "win/ImageList.h"

#include "win/Bitmaps.h"
#include "win/CImageList.h"
#include "win/GdiObjects.h"
#include "win/ImageListObjects.h"
#include "win/ResourceLibrary.h"

#include <array>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

using vqwin::DisplayOp;
using vqwin::detail::GdiObject;
using vqwin::detail::GdiObjects;

namespace {

// Where one layer of an image comes from.
struct Layer {
    std::string bitmap;
    CRect source;
    bool masked = false;
    COLORREF maskColor = 0;
};

using Picture = std::vector<Layer>;

struct ImageListData {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    COLORREF background = CLR_NONE;
    std::vector<Picture> images;
    std::array<int, 16> overlays{};
    CImageList* object = nullptr;
    std::unique_ptr<CImageList> temporary;
};

struct IconData {
    int cx = 0;
    int cy = 0;
    Picture picture;
};

struct Registry {
    std::mutex mutex;
    std::uintptr_t nextHandle = 0x50000;
    std::unordered_map<HIMAGELIST, ImageListData> lists;
    std::unordered_map<HICON, IconData> icons;
    std::unordered_map<std::string, HICON> resourceIcons;
};

// Never destroyed: lists may be released after static destruction began.
Registry& Data()
{
    static auto* registry = new Registry;
    return *registry;
}

template <class Handle>
Handle NextHandle(Registry& registry)
{
    return reinterpret_cast<Handle>(registry.nextHandle++);
}

ImageListData* Find(Registry& registry, HIMAGELIST list)
{
    auto it = registry.lists.find(list);
    return it == registry.lists.end() ? nullptr : &it->second;
}

HIMAGELIST AddList(ImageListData data)
{
    data.overlays.fill(-1);
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    auto handle = NextHandle<HIMAGELIST>(registry);
    registry.lists.emplace(handle, std::move(data));
    return handle;
}

bool IsValidIndex(const ImageListData& data, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < data.images.size();
}

int AppendStrip(HIMAGELIST list, HBITMAP image, bool masked, COLORREF mask)
{
    GdiObject bitmap;
    if (!GdiObjects::Find(image, bitmap) || bitmap.kind != GdiObject::Kind::Bitmap)
        return -1;
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    ImageListData* data = Find(registry, list);
    if (!data || data->cx <= 0)
        return -1;
    const int first = static_cast<int>(data->images.size());
    for (int left = 0; left + data->cx <= bitmap.width; left += data->cx) {
        const bool transparent = masked && (data->flags & ILC_MASK) != 0;
        data->images.push_back({Layer{bitmap.label, CRect(left, 0, left + data->cx, data->cy), transparent, mask}});
    }
    return first;
}

// The layers of an image with the overlay of `style` on top.
bool PictureOf(HIMAGELIST list, int index, UINT style, Picture& picture, int& cx, int& cy)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    const ImageListData* data = Find(registry, list);
    if (!data || !IsValidIndex(*data, index))
        return false;
    cx = data->cx;
    cy = data->cy;
    picture = data->images[static_cast<std::size_t>(index)];
    const UINT overlay = (style & ILD_OVERLAYMASK) >> 8;
    if (overlay > 0 && IsValidIndex(*data, data->overlays[overlay])) {
        for (Layer layer : data->images[static_cast<std::size_t>(data->overlays[overlay])]) {
            layer.masked = (data->flags & ILC_MASK) != 0;
            picture.push_back(layer);
        }
    }
    return true;
}

int Blend(UINT style)
{
    if (style & ILD_BLEND50)
        return 50;
    return (style & ILD_BLEND25) ? 25 : 0;
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0)
        return nullptr;
    ImageListData data;
    data.cx = cx;
    data.cy = cy;
    data.flags = flags;
    return AddList(std::move(data));
}

HIMAGELIST ImageList_LoadImage(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF mask, UINT type, UINT)
{
    if (type != IMAGE_BITMAP)
        return nullptr;
    HBITMAP bitmap = LoadBitmap(instance, name);
    if (!bitmap)
        return nullptr;
    BITMAP size{};
    GetObject(bitmap, sizeof size, &size);
    HIMAGELIST list = ImageList_Create(cx, size.bmHeight, (mask != CLR_NONE ? ILC_MASK : 0) | ILC_COLOR, 0, grow);
    if (list) {
        if (mask != CLR_NONE)
            ImageList_AddMasked(list, bitmap, mask);
        else
            ImageList_Add(list, bitmap, nullptr);
    }
    DeleteObject(bitmap);
    return list;
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    std::unique_ptr<CImageList> temporary;
    CImageList* object = nullptr;
    {
        Registry& registry = Data();
        std::lock_guard lock(registry.mutex);
        auto it = registry.lists.find(list);
        if (it == registry.lists.end())
            return FALSE;
        temporary = std::move(it->second.temporary);
        object = it->second.object;
        registry.lists.erase(it);
    }
    if (temporary)
        temporary->m_hImageList = nullptr;
    if (object)
        object->m_hImageList = nullptr;
    return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST list)
{
    ImageListData copy;
    {
        Registry& registry = Data();
        std::lock_guard lock(registry.mutex);
        const ImageListData* data = Find(registry, list);
        if (!data)
            return nullptr;
        copy.cx = data->cx;
        copy.cy = data->cy;
        copy.flags = data->flags;
        copy.background = data->background;
        copy.images = data->images;
    }
    HIMAGELIST duplicate = AddList(std::move(copy));
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    const ImageListData* source = Find(registry, list);
    if (ImageListData* target = Find(registry, duplicate); source && target)
        target->overlays = source->overlays;
    return duplicate;
}

int ImageList_GetImageCount(HIMAGELIST list)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    const ImageListData* data = Find(registry, list);
    return data ? static_cast<int>(data->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    const ImageListData* data = Find(registry, list);
    if (!data || !cx || !cy)
        return FALSE;
    *cx = data->cx;
    *cy = data->cy;
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP) { return AppendStrip(list, image, false, 0); }

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) { return AppendStrip(list, image, true, mask); }

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    ImageListData* data = Find(registry, list);
    auto found = registry.icons.find(icon);
    if (!data || found == registry.icons.end())
        return -1;
    if (index == -1) {
        data->images.push_back(found->second.picture);
        return static_cast<int>(data->images.size()) - 1;
    }
    if (!IsValidIndex(*data, index))
        return -1;
    data->images[static_cast<std::size_t>(index)] = found->second.picture;
    return index;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    ImageListData* data = Find(registry, list);
    if (!data || !IsValidIndex(*data, image) || overlay < 1 || overlay > 15)
        return FALSE;
    data->overlays[static_cast<std::size_t>(overlay)] = image;
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags)
{
    IconData icon;
    if (!PictureOf(list, index, flags, icon.picture, icon.cx, icon.cy))
        return nullptr;
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    auto handle = NextHandle<HICON>(registry);
    registry.icons.emplace(handle, std::move(icon));
    return handle;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    ImageListData* data = Find(registry, list);
    if (!data)
        return CLR_NONE;
    return std::exchange(data->background, color);
}

COLORREF ImageList_GetBkColor(HIMAGELIST list)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    const ImageListData* data = Find(registry, list);
    return data ? data->background : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
    Picture picture;
    int cx = 0;
    int cy = 0;
    if (!PictureOf(list, index, style, picture, cx, cy))
        return FALSE;
    const COLORREF background = ImageList_GetBkColor(list);
    const CRect target(x, y, x + cx, y + cy);
    if (background != CLR_NONE && !(style & ILD_TRANSPARENT) && !picture.empty() && picture.front().masked) {
        DisplayOp fill;
        fill.kind = DisplayOp::Kind::Fill;
        fill.rect = target;
        fill.color = background;
        vqwin::detail::RecordOnContext(dc, std::move(fill));
    }
    for (const Layer& layer : picture) {
        DisplayOp op;
        op.kind = DisplayOp::Kind::Image;
        op.rect = target;
        op.image = layer.bitmap;
        op.source = layer.source;
        op.rop = SRCCOPY;
        op.masked = layer.masked;
        op.maskColor = layer.maskColor;
        op.blend = Blend(style);
        if (!vqwin::detail::RecordOnContext(dc, std::move(op)))
            return FALSE;
    }
    return TRUE;
}

BOOL DestroyIcon(HICON icon)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    for (const auto& [label, shared] : registry.resourceIcons) {
        if (shared == icon)
            return FALSE;
    }
    return registry.icons.erase(icon) ? TRUE : FALSE;
}

HICON LoadIcon(HINSTANCE, LPCSTR name)
{
    std::shared_ptr<const vqres::ResourceLibrary> library = vqres::CurrentResourceLibrary();
    const vqres::ResourceId id(name);
    const vqres::Image* image = library ? library->FindIcon(id) : nullptr;
    if (!image)
        return nullptr;
    const std::string label = "icon " + (id.name.empty() ? std::to_string(id.id) : id.name);
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    if (auto found = registry.resourceIcons.find(label); found != registry.resourceIcons.end())
        return found->second;
    IconData icon;
    icon.cx = image->width;
    icon.cy = image->height;
    icon.picture.push_back(Layer{label, CRect(0, 0, image->width, image->height)});
    auto handle = NextHandle<HICON>(registry);
    registry.icons.emplace(handle, std::move(icon));
    registry.resourceIcons.emplace(label, handle);
    return handle;
}

namespace vqwin::detail {

CImageList* ImageListObject(HIMAGELIST list)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    ImageListData* data = Find(registry, list);
    if (!data)
        return nullptr;
    if (data->object)
        return data->object;
    if (!data->temporary) {
        data->temporary = std::make_unique<CImageList>();
        data->temporary->m_hImageList = list;
    }
    return data->temporary.get();
}

bool AttachImageListObject(HIMAGELIST list, CImageList* object)
{
    std::unique_ptr<CImageList> temporary;
    {
        Registry& registry = Data();
        std::lock_guard lock(registry.mutex);
        ImageListData* data = Find(registry, list);
        if (!data || data->object)
            return false;
        data->object = object;
        temporary = std::move(data->temporary);
    }
    if (temporary)
        temporary->m_hImageList = nullptr;
    return true;
}

void DetachImageListObject(HIMAGELIST list, const CImageList* object)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    if (ImageListData* data = Find(registry, list); data && data->object == object)
        data->object = nullptr;
}

} // namespace vqwin::detail
