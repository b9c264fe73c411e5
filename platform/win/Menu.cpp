#include "win/Menu.h"

#include "win/CMenu.h"
#include "win/Mbcs.h"
#include "win/MenuObjects.h"
#include "win/Messages.h"
#include "win/ResourceLibrary.h"
#include "win/UiDriver.h"
#include "win/Window.h"

#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;
constexpr UINT kNotAnItem = static_cast<UINT>(-1);

struct MenuItemData {
    UINT flags = 0; // state bits, MF_SEPARATOR and MF_POPUP
    UINT id = 0;
    std::string text;
    HMENU popup = nullptr;
};

struct MenuData {
    std::vector<MenuItemData> items;
    CMenu* object = nullptr;
    std::unique_ptr<CMenu> temporary;
};

struct Registry {
    std::recursive_mutex mutex;
    std::uintptr_t nextHandle = 0x60000;
    std::unordered_map<HMENU, MenuData> menus;
    std::unordered_map<HWND, HMENU> systemMenus;
    std::unordered_map<HWND, HMENU> windowMenus;
};

using Lock = std::lock_guard<std::recursive_mutex>;

// Never destroyed: menus may be released after static destruction began.
Registry& Data()
{
    static auto* registry = new Registry;
    return *registry;
}

MenuData* Find(Registry& registry, HMENU menu)
{
    auto it = registry.menus.find(menu);
    return it == registry.menus.end() ? nullptr : &it->second;
}

HMENU AddMenu(Registry& registry)
{
    auto handle = reinterpret_cast<HMENU>(registry.nextHandle++);
    registry.menus.emplace(handle, MenuData{});
    return handle;
}

struct Location {
    HMENU handle;
    MenuData* menu;
    std::size_t index;
    MenuItemData& Item() const { return menu->items[index]; }
};

std::optional<Location> FindCommand(Registry& registry, HMENU handle, UINT id)
{
    MenuData* menu = Find(registry, handle);
    if (!menu)
        return std::nullopt;
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItemData& item = menu->items[i];
        if (item.popup) {
            if (auto found = FindCommand(registry, item.popup, id))
                return found;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return Location{handle, menu, i};
        }
    }
    return std::nullopt;
}

std::optional<Location> Locate(Registry& registry, HMENU handle, UINT item, UINT flags)
{
    if (!(flags & MF_BYPOSITION))
        return FindCommand(registry, handle, item);
    MenuData* menu = Find(registry, handle);
    if (!menu || item >= menu->items.size())
        return std::nullopt;
    return Location{handle, menu, item};
}

void CollectSubtree(Registry& registry, HMENU handle, std::vector<HMENU>& out)
{
    MenuData* menu = Find(registry, handle);
    if (!menu)
        return;
    out.push_back(handle);
    for (const MenuItemData& item : menu->items) {
        if (item.popup)
            CollectSubtree(registry, item.popup, out);
    }
}

// Removes the menus from the registry; their objects lose their handles.
void DestroyTree(HMENU handle)
{
    std::vector<std::unique_ptr<CMenu>> temporaries;
    std::vector<CMenu*> objects;
    {
        Registry& registry = Data();
        Lock lock(registry.mutex);
        std::vector<HMENU> handles;
        CollectSubtree(registry, handle, handles);
        for (HMENU each : handles) {
            MenuData& menu = registry.menus.at(each);
            if (menu.temporary)
                temporaries.push_back(std::move(menu.temporary));
            if (menu.object)
                objects.push_back(menu.object);
            registry.menus.erase(each);
        }
    }
    for (auto& temporary : temporaries)
        temporary->m_hMenu = nullptr;
    for (CMenu* object : objects)
        object->m_hMenu = nullptr;
}

MenuItemData MakeItem(UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    MenuItemData item;
    item.flags = flags & (kStateFlags | MF_SEPARATOR | MF_POPUP);
    if (flags & MF_POPUP)
        item.popup = reinterpret_cast<HMENU>(idOrPopup);
    else if (!(flags & MF_SEPARATOR))
        item.id = static_cast<UINT>(idOrPopup);
    if (text && !(flags & MF_SEPARATOR))
        item.text = text;
    return item;
}

BOOL Insert(HMENU handle, std::optional<std::size_t> before, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    MenuData* menu = Find(registry, handle);
    const MenuItemData item = MakeItem(flags, idOrPopup, text);
    if (!menu || (item.popup && (item.popup == handle || !Find(registry, item.popup))))
        return FALSE;
    const std::size_t at = before ? std::min(*before, menu->items.size()) : menu->items.size();
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return TRUE;
}

HMENU BuildMenu(Registry& registry, const std::vector<vqres::MenuItem>& items)
{
    HMENU handle = AddMenu(registry);
    for (const vqres::MenuItem& source : items) {
        MenuItemData item;
        item.text = source.text.str();
        switch (source.kind) {
        case vqres::MenuItem::Kind::Separator:
            item.flags = MF_SEPARATOR;
            break;
        case vqres::MenuItem::Kind::Popup:
            item.flags = MF_POPUP;
            item.popup = BuildMenu(registry, source.items);
            break;
        case vqres::MenuItem::Kind::Command:
            item.id = source.id;
            break;
        }
        registry.menus.at(handle).items.push_back(std::move(item));
    }
    return handle;
}

HMENU MakeSystemMenu()
{
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenu(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenu(menu, MF_STRING, SC_SIZE, "&Size");
    AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING, SC_CLOSE, "&Close");
    return menu;
}

std::vector<vqui::MenuEntry> Entries(Registry& registry, HMENU handle)
{
    std::vector<vqui::MenuEntry> entries;
    const MenuData* menu = Find(registry, handle);
    if (!menu)
        return entries;
    for (const MenuItemData& item : menu->items) {
        vqui::MenuEntry entry;
        entry.text = item.text.c_str();
        entry.id = item.id;
        entry.enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        entry.checked = (item.flags & MF_CHECKED) != 0;
        if (item.flags & MF_SEPARATOR) {
            entry.kind = vqui::MenuEntry::Kind::Separator;
        } else if (item.popup) {
            entry.kind = vqui::MenuEntry::Kind::Popup;
            entry.items = Entries(registry, item.popup);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<HMENU> NestedPopups(HMENU handle)
{
    std::vector<HMENU> popups;
    Registry& registry = Data();
    Lock lock(registry.mutex);
    if (const MenuData* menu = Find(registry, handle)) {
        for (const MenuItemData& item : menu->items)
            popups.push_back(item.popup);
    }
    return popups;
}

// As the user opens the menu and its nested pop-ups, the owner may update their items.
void InitPopups(HWND owner, HMENU menu, int position)
{
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(static_cast<WORD>(position), FALSE));
    const std::vector<HMENU> popups = NestedPopups(menu);
    for (std::size_t i = 0; i < popups.size(); ++i) {
        if (popups[i])
            InitPopups(owner, popups[i], static_cast<int>(i));
    }
}

} // namespace

HMENU CreateMenu()
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    return AddMenu(registry);
}

HMENU CreatePopupMenu() { return CreateMenu(); }

BOOL DestroyMenu(HMENU menu)
{
    if (!IsMenu(menu))
        return FALSE;
    DestroyTree(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    return Find(registry, menu) != nullptr;
}

HMENU LoadMenu(HINSTANCE, LPCSTR name)
{
    std::shared_ptr<const vqres::ResourceLibrary> library = vqres::CurrentResourceLibrary();
    const vqres::MenuTemplate* source = library ? library->FindMenu(vqres::ResourceId(name)) : nullptr;
    if (!source)
        return nullptr;
    Registry& registry = Data();
    Lock lock(registry.mutex);
    return BuildMenu(registry, source->items);
}

int GetMenuItemCount(HMENU menu)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    const MenuData* data = Find(registry, menu);
    return data ? static_cast<int>(data->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (!found || position < 0 || found->Item().popup)
        return kNotAnItem;
    return found->Item().id;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, static_cast<UINT>(position), MF_BYPOSITION);
    return found && position >= 0 ? found->Item().popup : nullptr;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, item, flags);
    if (!found) {
        if (buffer && size > 0)
            buffer[0] = '\0';
        return 0;
    }
    const std::string& text = found->Item().text;
    if (!buffer)
        return static_cast<int>(text.size());
    return static_cast<int>(mbcs::CopyToBuffer(text, buffer, static_cast<std::size_t>(size > 0 ? size : 0)));
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, item, flags);
    if (!found)
        return kNotAnItem;
    const MenuItemData& data = found->Item();
    if (!data.popup)
        return data.flags;
    const MenuData* popup = Find(registry, data.popup);
    const auto count = static_cast<UINT>(popup ? popup->items.size() : 0);
    return ((count & 0xFF) << 8) | (data.flags & 0xFF);
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, item, flags);
    if (!found)
        return -1;
    UINT& state = found->Item().flags;
    const UINT previous = state & (MF_GRAYED | MF_DISABLED);
    state = (state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, item, flags);
    if (!found)
        return static_cast<DWORD>(-1);
    UINT& state = found->Item().flags;
    const UINT previous = state & MF_CHECKED;
    state = (state & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    return Insert(menu, std::nullopt, flags, idOrPopup, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    if ((flags & MF_BYPOSITION) || position == kNotAnItem)
        return Insert(menu, position == kNotAnItem ? std::nullopt : std::optional<std::size_t>(position), flags,
                      idOrPopup, text);
    HMENU owner = nullptr;
    std::size_t index = 0;
    {
        Registry& registry = Data();
        Lock lock(registry.mutex);
        auto found = FindCommand(registry, menu, position);
        if (!found)
            return FALSE;
        owner = found->handle;
        index = found->index;
    }
    return Insert(owner, index, flags, idOrPopup, text);
}

BOOL RemoveMenu(HMENU menu, UINT item, UINT flags)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto found = Locate(registry, menu, item, flags);
    if (!found)
        return FALSE;
    found->menu->items.erase(found->menu->items.begin() + static_cast<std::ptrdiff_t>(found->index));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags)
{
    HMENU popup = nullptr;
    {
        Registry& registry = Data();
        Lock lock(registry.mutex);
        auto found = Locate(registry, menu, item, flags);
        if (!found)
            return FALSE;
        popup = found->Item().popup;
        found->menu->items.erase(found->menu->items.begin() + static_cast<std::ptrdiff_t>(found->index));
    }
    if (popup)
        DestroyTree(popup);
    return TRUE;
}

HMENU GetSystemMenu(HWND window, BOOL revert)
{
    if (!IsWindow(window))
        return nullptr;
    HMENU existing = nullptr;
    {
        Registry& registry = Data();
        Lock lock(registry.mutex);
        if (auto it = registry.systemMenus.find(window); it != registry.systemMenus.end()) {
            existing = it->second;
            if (revert)
                registry.systemMenus.erase(it);
        }
    }
    if (revert) {
        if (existing)
            DestroyMenu(existing);
        return nullptr;
    }
    if (existing && IsMenu(existing))
        return existing;
    HMENU menu = MakeSystemMenu();
    Registry& registry = Data();
    Lock lock(registry.mutex);
    registry.systemMenus[window] = menu;
    return menu;
}

HMENU GetMenu(HWND window)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    auto it = registry.windowMenus.find(window);
    return it != registry.windowMenus.end() && Find(registry, it->second) ? it->second : nullptr;
}

BOOL SetMenu(HWND window, HMENU menu)
{
    if (!IsWindow(window) || (menu && !IsMenu(menu)))
        return FALSE;
    Registry& registry = Data();
    Lock lock(registry.mutex);
    if (menu)
        registry.windowMenus[window] = menu;
    else
        registry.windowMenus.erase(window);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int, int, int, HWND owner, LPCRECT)
{
    if (!IsMenu(menu) || !IsWindow(owner))
        return FALSE;
    const bool notify = !(flags & TPM_NONOTIFY);
    if (notify)
        InitPopups(owner, menu, 0);
    std::vector<vqui::MenuEntry> entries;
    {
        Registry& registry = Data();
        Lock lock(registry.mutex);
        entries = Entries(registry, menu);
    }
    const UINT command = vqui::ShowPopupMenu(std::move(entries));
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command && notify)
        PostMessage(owner, WM_COMMAND, command, 0);
    return TRUE;
}

namespace vqwin::detail {

CMenu* MenuObject(HMENU menu)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    MenuData* data = Find(registry, menu);
    if (!data)
        return nullptr;
    if (data->object)
        return data->object;
    if (!data->temporary) {
        data->temporary = std::make_unique<CMenu>();
        data->temporary->m_hMenu = menu;
    }
    return data->temporary.get();
}

bool AttachMenuObject(HMENU menu, CMenu* object)
{
    std::unique_ptr<CMenu> temporary;
    {
        Registry& registry = Data();
        Lock lock(registry.mutex);
        MenuData* data = Find(registry, menu);
        if (!data || data->object)
            return false;
        data->object = object;
        temporary = std::move(data->temporary);
    }
    if (temporary)
        temporary->m_hMenu = nullptr;
    return true;
}

void DetachMenuObject(HMENU menu, const CMenu* object)
{
    Registry& registry = Data();
    Lock lock(registry.mutex);
    if (MenuData* data = Find(registry, menu); data && data->object == object)
        data->object = nullptr;
}

} // namespace vqwin::detail
