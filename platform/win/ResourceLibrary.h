// The resource library: a directory resources/<name>/ of JSON files (searched in all
// subfolders), each holding any of the sections "strings", "dialogs", "menus", "bitmaps"
// and "icons" (format in resources/README.md). The library installed last supplies the
// string table to CString::LoadString; the module's compiled-in texts fill its gaps.
#pragma once

#include "win/CString.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vqres {

// A missing library, a malformed file or an unknown id. The text names the file (or the
// library's directory) and the resource.
class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A resource is named by a number or, for some bitmaps, by a text. A name made by
// MAKEINTRESOURCE stands for its number.
struct ResourceId {
    ResourceId(UINT number) : id(number) {}
    ResourceId(const char* text)
        : id(IS_INTRESOURCE(text) ? static_cast<UINT>(reinterpret_cast<std::uintptr_t>(text)) : 0),
          name(IS_INTRESOURCE(text) ? "" : text)
    {
    }
    UINT id;
    std::string name;

    std::string ToString() const { return name.empty() ? std::to_string(id) : "\"" + name + "\""; }
    friend auto operator<=>(const ResourceId&, const ResourceId&) = default;
};

struct DialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// Positions and sizes are in dialog units.
struct DialogControl {
    CString className;
    int id = 0;
    CString text;
    DWORD style = 0;
    DWORD exStyle = 0;
    DialogRect rect;
    DWORD helpId = 0;  // help context of the control, 0 for none
};

struct DialogTemplate {
    CString caption;
    DWORD style = 0;
    int cx = 0;
    int cy = 0;
    std::vector<DialogControl> controls;
};

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    UINT id = 0;
    CString text;
    std::vector<MenuItem> items;  // of a popup
};

struct MenuTemplate {
    std::vector<MenuItem> items;
};

// Colour of a pixel that shows what lies beneath (icons).
constexpr COLORREF kTransparentPixel = 0xFFFFFFFF;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top

    COLORREF Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

class ResourceLibrary {
public:
    // Loads resources/<name> below `root`; an empty root means the environment variable
    // VQ_RESOURCES. Throws ResourceError.
    static std::shared_ptr<const ResourceLibrary> Load(const std::string& name, const std::string& root = {});

    const std::string& Name() const { return m_name; }
    const std::string& Directory() const { return m_directory; }

    // Null when the library has no such resource.
    const CString* FindString(UINT id) const;
    const DialogTemplate* FindDialog(const ResourceId& id) const;
    const MenuTemplate* FindMenu(const ResourceId& id) const;
    const Image* FindBitmap(const ResourceId& id) const;
    const Image* FindIcon(const ResourceId& id) const;

    // As above, but an unknown id throws ResourceError.
    const DialogTemplate& GetDialog(const ResourceId& id) const;
    const MenuTemplate& GetMenu(const ResourceId& id) const;
    const Image& GetBitmap(const ResourceId& id) const;
    const Image& GetIcon(const ResourceId& id) const;

private:
    friend class LibraryReader;

    template <class T>
    const T& Get(const std::map<ResourceId, T>& section, const ResourceId& id, const char* kind) const;

    std::string m_name;
    std::string m_directory;
    std::map<UINT, CString> m_strings;
    std::map<ResourceId, DialogTemplate> m_dialogs;
    std::map<ResourceId, MenuTemplate> m_menus;
    std::map<ResourceId, Image> m_bitmaps;
    std::map<ResourceId, Image> m_icons;
};

// Makes the library the source of resources (nullptr: none) and of CString::LoadString.
void InstallResourceLibrary(std::shared_ptr<const ResourceLibrary> library);
std::shared_ptr<const ResourceLibrary> CurrentResourceLibrary();

} // namespace vqres
