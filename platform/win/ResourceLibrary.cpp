#include "win/ResourceLibrary.h"

#include "win/Mbcs.h"
#include "win/ModuleResources.h"
#include "win/ResourceStyles.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace vqres {

namespace {

std::mutex g_libraryMutex;
std::shared_ptr<const ResourceLibrary> g_library;

bool IsNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 10 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A library name is one plain directory name.
bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::string LibraryRoot(const std::string& root)
{
    if (!root.empty())
        return root;
    const char* fromEnvironment = std::getenv("VQ_RESOURCES");
    return fromEnvironment ? fromEnvironment : "";
}

std::vector<fs::path> ResourceFiles(const fs::path& directory)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

// Reads the files of one library, checking every entry; the first fault throws.
class LibraryReader {
public:
    explicit LibraryReader(ResourceLibrary& library) : m_library(library) {}

    void Read(const fs::path& file)
    {
        m_file = file.string();
        json document = Parse();
        if (!document.is_object())
            Fail("the file must hold one JSON object");
        try {
            for (const auto& [section, content] : document.items())
                ReadSection(section, content);
        } catch (const json::exception& error) {
            Fail(error.what());
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { throw ResourceError(m_file + ": " + what); }

    json Parse()
    {
        std::ifstream in(m_file, std::ios::binary);
        if (!in)
            Fail("cannot be read");
        std::ostringstream text;
        text << in.rdbuf();
        if (text.str().empty())
            Fail("the file is empty");
        // Within one object a key may appear once; the parser would silently keep the last.
        std::vector<std::set<std::string>> keys;
        auto checkKeys = [&](int, json::parse_event_t event, json& parsed) {
            if (event == json::parse_event_t::object_start)
                keys.emplace_back();
            else if (event == json::parse_event_t::object_end)
                keys.pop_back();
            else if (event == json::parse_event_t::key && !keys.back().insert(parsed.get<std::string>()).second)
                Fail("key \"" + parsed.get<std::string>() + "\" appears twice in one object");
            return true;
        };
        try {
            return json::parse(text.str(), checkKeys);
        } catch (const json::exception& error) {
            Fail(std::string("malformed JSON: ") + error.what());
        }
    }

    void ReadSection(const std::string& section, const json& content)
    {
        if (!content.is_object())
            Fail("section \"" + section + "\" must be an object keyed by resource id");
        if (section == "strings")
            ReadStrings(content);
        else if (section == "dialogs")
            ReadEach(content, "dialog", m_library.m_dialogs, &LibraryReader::ReadDialog);
        else if (section == "menus")
            ReadEach(content, "menu", m_library.m_menus, &LibraryReader::ReadMenu);
        else if (section == "bitmaps")
            ReadEach(content, "bitmap", m_library.m_bitmaps, &LibraryReader::ReadImage);
        else if (section == "icons")
            ReadEach(content, "icon", m_library.m_icons, &LibraryReader::ReadImage);
        else
            Fail("unknown section \"" + section + "\" (strings, dialogs, menus, bitmaps or icons)");
    }

    // Each resource is defined once in the whole library.
    void Claim(const std::string& what)
    {
        auto [origin, added] = m_origins.emplace(what, m_file);
        if (!added)
            Fail(what + " is already defined in " + origin->second);
    }

    UINT NumericId(const std::string& key, const char* kind) const
    {
        unsigned long long value = IsNumber(key) ? std::stoull(key) : ~0ull;
        if (value > 0xFFFFFFFFull)
            Fail(std::string(kind) + " id \"" + key + "\" is not a number");
        return static_cast<UINT>(value);
    }

    ResourceId IdOf(const std::string& key, const char* kind) const
    {
        if (key.empty())
            Fail(std::string("empty ") + kind + " id");
        if (key.front() >= '0' && key.front() <= '9')
            return ResourceId(NumericId(key, kind));
        return ResourceId(key.c_str());
    }

    void ReadStrings(const json& strings)
    {
        for (const auto& [key, value] : strings.items()) {
            UINT id = NumericId(key, "string");
            std::string what = "string " + std::to_string(id);
            Claim(what);
            if (!value.is_string())
                Fail(what + ": the text must be a JSON string");
            m_library.m_strings[id] = Text(value, what);
        }
    }

    template <class T>
    void ReadEach(const json& section, const char* kind, std::map<ResourceId, T>& into,
                  T (LibraryReader::*read)(const json&, const std::string&))
    {
        for (const auto& [key, value] : section.items()) {
            ResourceId id = IdOf(key, kind);
            std::string what = std::string(kind) + " " + id.ToString();
            Claim(what);
            into[id] = (this->*read)(value, what);
        }
    }

    CString Text(const json& value, const std::string& what) const
    {
        std::optional<std::string> bytes = mbcs::FromCodePoints(value.get_ref<const std::string&>());
        if (!bytes)
            Fail(what + ": a character above U+00FF (write host code-page bytes as \\u0080 to \\u00ff)");
        return CString(std::move(*bytes));
    }

    void CheckKeys(const json& object, const std::string& what, std::initializer_list<const char*> allowed) const
    {
        if (!object.is_object())
            Fail(what + " must be an object");
        for (const auto& [key, value] : object.items()) {
            if (std::none_of(allowed.begin(), allowed.end(), [&](const char* name) { return key == name; }))
                Fail(what + ": unknown key \"" + key + "\"");
        }
    }

    const json& Field(const json& object, const char* key, const std::string& what) const
    {
        auto found = object.find(key);
        if (found == object.end())
            Fail(what + ": \"" + key + "\" is missing");
        return *found;
    }

    int Integer(const json& value, const std::string& what) const
    {
        if (!value.is_number_integer())
            Fail(what + " must be an integer");
        long long number = value.get<long long>();
        if (number < -2147483648ll || number > 4294967295ll)
            Fail(what + " is out of range");
        return static_cast<int>(number);
    }

    CString OptionalText(const json& object, const char* key, const std::string& what) const
    {
        auto found = object.find(key);
        if (found == object.end())
            return CString();
        if (!found->is_string())
            Fail(what + ": \"" + key + "\" must be a string");
        return Text(*found, what);
    }

    std::vector<int> Numbers(const json& value, std::size_t count, const std::string& what) const
    {
        if (!value.is_array() || value.size() != count)
            Fail(what + " must be an array of " + std::to_string(count) + " integers");
        std::vector<int> numbers;
        for (const json& element : value)
            numbers.push_back(Integer(element, what));
        return numbers;
    }

    // A style is a number, a style name, or an array of them; the bits are or-ed.
    DWORD Style(const json& object, const char* key, const std::string& what) const
    {
        auto found = object.find(key);
        if (found == object.end())
            return 0;
        DWORD bits = 0;
        for (const json& part : found->is_array() ? *found : json::array({*found})) {
            if (part.is_number_integer()) {
                bits |= static_cast<DWORD>(Integer(part, what + ": style"));
            } else if (part.is_string()) {
                std::optional<DWORD> named = StyleBits(part.get<std::string>());
                if (!named)
                    Fail(what + ": unknown style \"" + part.get<std::string>() + "\"");
                bits |= *named;
            } else {
                Fail(what + ": a style is a name or a number");
            }
        }
        return bits;
    }

    DialogTemplate ReadDialog(const json& value, const std::string& what)
    {
        CheckKeys(value, what, {"caption", "style", "size", "controls"});
        DialogTemplate dialog;
        dialog.caption = OptionalText(value, "caption", what);
        dialog.style = Style(value, "style", what);
        std::vector<int> size = Numbers(Field(value, "size", what), 2, what + ": \"size\"");
        dialog.cx = size[0];
        dialog.cy = size[1];
        auto controls = value.find("controls");
        if (controls != value.end()) {
            if (!controls->is_array())
                Fail(what + ": \"controls\" must be an array");
            for (std::size_t i = 0; i < controls->size(); ++i)
                dialog.controls.push_back(ReadControl((*controls)[i], what + ": control " + std::to_string(i + 1)));
        }
        return dialog;
    }

    DialogControl ReadControl(const json& value, const std::string& what) const
    {
        CheckKeys(value, what, {"class", "id", "text", "style", "exstyle", "rect", "helpid"});
        DialogControl control;
        const json& className = Field(value, "class", what);
        if (!className.is_string() || className.get_ref<const std::string&>().empty())
            Fail(what + ": \"class\" must be a class name");
        control.className = Text(className, what);
        control.id = Integer(Field(value, "id", what), what + ": \"id\"");
        control.text = OptionalText(value, "text", what);
        control.style = Style(value, "style", what);
        control.exStyle = Style(value, "exstyle", what);
        std::vector<int> rect = Numbers(Field(value, "rect", what), 4, what + ": \"rect\"");
        control.rect = DialogRect{rect[0], rect[1], rect[2], rect[3]};
        if (auto helpId = value.find("helpid"); helpId != value.end())
            control.helpId = static_cast<DWORD>(Integer(*helpId, what + ": \"helpid\""));
        return control;
    }

    MenuTemplate ReadMenu(const json& value, const std::string& what)
    {
        return MenuTemplate{ReadMenuItems(value, what)};
    }

    std::vector<MenuItem> ReadMenuItems(const json& value, const std::string& what) const
    {
        if (!value.is_array())
            Fail(what + " must be an array of menu items");
        std::vector<MenuItem> items;
        for (std::size_t i = 0; i < value.size(); ++i)
            items.push_back(ReadMenuItem(value[i], what + ": item " + std::to_string(i + 1)));
        return items;
    }

    MenuItem ReadMenuItem(const json& value, const std::string& what) const
    {
        CheckKeys(value, what, {"separator", "popup", "items", "text", "id"});
        MenuItem item;
        if (value.contains("separator")) {
            if (value.size() != 1 || value["separator"] != true)
                Fail(what + ": a separator is {\"separator\": true} alone");
            item.kind = MenuItem::Kind::Separator;
        } else if (value.contains("popup")) {
            if (value.contains("id") || value.contains("text") || !value["popup"].is_string())
                Fail(what + ": a popup has a \"popup\" text and \"items\"");
            item.kind = MenuItem::Kind::Popup;
            item.text = Text(value["popup"], what);
            item.items = ReadMenuItems(Field(value, "items", what), what);
        } else {
            if (value.contains("items"))
                Fail(what + ": only a popup has \"items\"");
            item.text = OptionalText(value, "text", what);
            int id = Integer(Field(value, "id", what), what + ": \"id\"");
            if (id <= 0 || id > 0xFFFF)
                Fail(what + ": a command id is 1 to 65535");
            item.id = static_cast<UINT>(id);
        }
        return item;
    }

    COLORREF Colour(const json& value, const std::string& what) const
    {
        const std::string text = value.is_string() ? value.get<std::string>() : std::string();
        if (text == "none")
            return kTransparentPixel;
        if (text.size() != 7 || text[0] != '#' ||
            text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
            Fail(what + ": a colour is \"#RRGGBB\" or \"none\"");
        unsigned long rgb = std::stoul(text.substr(1), nullptr, 16);
        return RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
    }

    // {"width", "height", "palette": {"c": "#RRGGBB"}, "rows": ["c..."]} or a uniform "fill".
    Image ReadImage(const json& value, const std::string& what)
    {
        CheckKeys(value, what, {"width", "height", "palette", "rows", "fill"});
        Image image;
        image.width = Integer(Field(value, "width", what), what + ": \"width\"");
        image.height = Integer(Field(value, "height", what), what + ": \"height\"");
        if (image.width < 1 || image.height < 1 || image.width > 4096 || image.height > 4096)
            Fail(what + ": width and height are 1 to 4096");
        if (value.contains("fill") == value.contains("rows"))
            Fail(what + ": give either \"rows\" (with a \"palette\") or \"fill\"");
        if (value.contains("fill")) {
            image.pixels.assign(static_cast<std::size_t>(image.width * image.height), Colour(value["fill"], what));
            return image;
        }
        std::map<char, COLORREF> palette = ReadPalette(Field(value, "palette", what), what);
        const json& rows = value["rows"];
        if (!rows.is_array() || rows.size() != static_cast<std::size_t>(image.height))
            Fail(what + ": \"rows\" must hold " + std::to_string(image.height) + " rows");
        for (std::size_t y = 0; y < rows.size(); ++y) {
            std::string where = what + ": row " + std::to_string(y + 1);
            if (!rows[y].is_string() || rows[y].get_ref<const std::string&>().size() != static_cast<std::size_t>(image.width))
                Fail(where + " must be a text of " + std::to_string(image.width) + " characters");
            for (char c : rows[y].get_ref<const std::string&>()) {
                auto colour = palette.find(c);
                if (colour == palette.end())
                    Fail(where + ": '" + std::string(1, c) + "' is not in the palette");
                image.pixels.push_back(colour->second);
            }
        }
        return image;
    }

    std::map<char, COLORREF> ReadPalette(const json& value, const std::string& what) const
    {
        if (!value.is_object())
            Fail(what + ": \"palette\" must be an object");
        std::map<char, COLORREF> palette;
        for (const auto& [key, colour] : value.items()) {
            if (key.size() != 1 || static_cast<unsigned char>(key[0]) >= 0x80)
                Fail(what + ": palette keys are single ASCII characters");
            palette[key[0]] = Colour(colour, what);
        }
        return palette;
    }

    ResourceLibrary& m_library;
    std::string m_file;
    std::map<std::string, std::string> m_origins;
};

std::shared_ptr<const ResourceLibrary> ResourceLibrary::Load(const std::string& name, const std::string& root)
{
    if (!IsPlainName(name))
        throw ResourceError("resource library name \"" + name + "\" is not a plain directory name");
    std::string base = LibraryRoot(root);
    if (base.empty())
        throw ResourceError("resource library \"" + name + "\": no resource root given and VQ_RESOURCES is not set");
    fs::path directory = fs::path(base) / name;
    std::error_code error;
    if (!fs::is_directory(directory, error))
        throw ResourceError(directory.string() + ": resource library \"" + name + "\" is not found");

    auto library = std::make_shared<ResourceLibrary>();
    library->m_name = name;
    library->m_directory = directory.string();
    std::vector<fs::path> files;
    try {
        files = ResourceFiles(directory);
    } catch (const fs::filesystem_error& failure) {
        throw ResourceError(directory.string() + ": " + failure.what());
    }
    if (files.empty())
        throw ResourceError(directory.string() + ": resource library \"" + name + "\" holds no .json files");
    LibraryReader reader(*library);
    for (const fs::path& file : files)
        reader.Read(file);
    return library;
}

const CString* ResourceLibrary::FindString(UINT id) const
{
    auto found = m_strings.find(id);
    return found == m_strings.end() ? nullptr : &found->second;
}

namespace {
template <class T>
const T* FindIn(const std::map<ResourceId, T>& section, const ResourceId& id)
{
    auto found = section.find(id);
    return found == section.end() ? nullptr : &found->second;
}
} // namespace

const DialogTemplate* ResourceLibrary::FindDialog(const ResourceId& id) const { return FindIn(m_dialogs, id); }
const MenuTemplate* ResourceLibrary::FindMenu(const ResourceId& id) const { return FindIn(m_menus, id); }
const Image* ResourceLibrary::FindBitmap(const ResourceId& id) const { return FindIn(m_bitmaps, id); }
const Image* ResourceLibrary::FindIcon(const ResourceId& id) const { return FindIn(m_icons, id); }

template <class T>
const T& ResourceLibrary::Get(const std::map<ResourceId, T>& section, const ResourceId& id, const char* kind) const
{
    if (const T* found = FindIn(section, id))
        return *found;
    throw ResourceError(m_directory + ": resource library \"" + m_name + "\" has no " + kind + " " + id.ToString());
}

const DialogTemplate& ResourceLibrary::GetDialog(const ResourceId& id) const { return Get(m_dialogs, id, "dialog"); }
const MenuTemplate& ResourceLibrary::GetMenu(const ResourceId& id) const { return Get(m_menus, id, "menu"); }
const Image& ResourceLibrary::GetBitmap(const ResourceId& id) const { return Get(m_bitmaps, id, "bitmap"); }
const Image& ResourceLibrary::GetIcon(const ResourceId& id) const { return Get(m_icons, id, "icon"); }

void InstallResourceLibrary(std::shared_ptr<const ResourceLibrary> library)
{
    {
        std::lock_guard lock(g_libraryMutex);
        g_library = std::move(library);
    }
    AfxSetStringLoader(LoadResourceString);
}

std::shared_ptr<const ResourceLibrary> CurrentResourceLibrary()
{
    std::lock_guard lock(g_libraryMutex);
    return g_library;
}

} // namespace vqres
