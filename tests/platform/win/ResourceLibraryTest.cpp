#include "win/ModuleResources.h"
#include "win/ResourceLibrary.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using vqres::ResourceError;
using vqres::ResourceLibrary;

namespace {

const char* const kStrings = R"({
  "strings": {
    "61776": "Wrenfield Error",
    "61665": "%1:\n%2",
    "100": "caf\u00e9 \u0082\u00a0"
  }
})";

const char* const kDialogs = R"({
  "dialogs": {
    "143": {
      "caption": "Find %s",
      "style": ["DS_MODALFRAME", "WS_POPUP", "WS_CAPTION"],
      "size": [186, 62],
      "controls": [
        {"class": "Edit", "id": 1403, "style": ["WS_CHILD", "WS_TABSTOP", "ES_AUTOHSCROLL"], "rect": [7, 7, 120, 14]},
        {"class": "Button", "id": 1, "text": "OK", "style": ["BS_DEFPUSHBUTTON", "WS_GROUP", 16], "rect": [130, 7, 50, 14]},
        {"class": "Static", "id": -1, "text": "&Name:", "exstyle": "WS_EX_STATICEDGE", "rect": [7, 30, 40, 8]}
      ]
    }
  }
})";

const char* const kMenusAndImages = R"({
  "menus": {
    "128": [
      {"popup": "&File", "items": [
        {"text": "&Open...", "id": 32825},
        {"separator": true},
        {"popup": "&More", "items": [{"text": "E&xit", "id": 57665}]}
      ]}
    ]
  },
  "bitmaps": {
    "NAV": {"width": 3, "height": 2, "palette": {".": "#800080", "k": "#000000", "r": "#FF0000"}, "rows": ["k.r", "..."]},
    "191": {"width": 2, "height": 1, "fill": "#C0C0C0"}
  },
  "icons": {
    "106": {"width": 2, "height": 1, "palette": {" ": "none", "w": "#ffffff"}, "rows": [" w"]}
  }
})";

struct ResourceLibraryTest : ::testing::Test {
    vqtest::TempDir root;

    void WriteFixture()
    {
        root.Write("testres/strings/shell.json", kStrings);
        root.Write("testres/dialogs/shell.json", kDialogs);
        root.Write("testres/other.json", kMenusAndImages);
    }

    // The message of the ResourceError that loading throws; empty when it loads.
    std::string LoadError(const std::string& name = "testres")
    {
        try {
            ResourceLibrary::Load(name, root.Path());
        } catch (const ResourceError& error) {
            return error.what();
        }
        return {};
    }
};

} // namespace

TEST_F(ResourceLibraryTest, LoadsStringsDialogsMenusAndImagesFromEveryFile)
{
    WriteFixture();
    auto library = ResourceLibrary::Load("testres", root.Path());

    ASSERT_NE(library->FindString(61665), nullptr);
    EXPECT_EQ(*library->FindString(61665), "%1:\n%2");
    EXPECT_EQ(*library->FindString(100), "caf\xE9 \x82\xA0");  // host code-page bytes
    EXPECT_EQ(library->FindString(99999), nullptr);

    const vqres::DialogTemplate& find = library->GetDialog(143);
    EXPECT_EQ(find.caption, "Find %s");
    EXPECT_EQ(find.style, 0x80C00080u);
    EXPECT_EQ(find.cx, 186);
    EXPECT_EQ(find.cy, 62);
    ASSERT_EQ(find.controls.size(), 3u);
    EXPECT_EQ(find.controls[0].className, "Edit");
    EXPECT_EQ(find.controls[0].id, 1403);
    EXPECT_EQ(find.controls[0].style, 0x40010080u);
    EXPECT_EQ(find.controls[0].rect.cx, 120);
    EXPECT_EQ(find.controls[1].text, "OK");
    EXPECT_EQ(find.controls[1].style, 0x00020011u);
    EXPECT_EQ(find.controls[2].id, -1);
    EXPECT_EQ(find.controls[2].exStyle, 0x00020000u);
    EXPECT_EQ(find.controls[2].rect.y, 30);

    const vqres::MenuTemplate& menu = library->GetMenu(128);
    ASSERT_EQ(menu.items.size(), 1u);
    const vqres::MenuItem& file = menu.items[0];
    EXPECT_EQ(file.kind, vqres::MenuItem::Kind::Popup);
    ASSERT_EQ(file.items.size(), 3u);
    EXPECT_EQ(file.items[0].id, 32825u);
    EXPECT_EQ(file.items[1].kind, vqres::MenuItem::Kind::Separator);
    EXPECT_EQ(file.items[2].items.at(0).text, "E&xit");

    const vqres::Image& nav = library->GetBitmap("NAV");
    EXPECT_EQ(nav.width, 3);
    EXPECT_EQ(nav.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(nav.Pixel(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(nav.Pixel(1, 1), RGB(128, 0, 128));
    EXPECT_EQ(library->GetBitmap(191).Pixel(1, 0), RGB(192, 192, 192));
    EXPECT_EQ(library->GetIcon(106).Pixel(0, 0), vqres::kTransparentPixel);
    EXPECT_EQ(library->FindBitmap("nav"), nullptr);  // names match exactly
}

TEST_F(ResourceLibraryTest, UnknownIdsNameTheLibraryAndTheId)
{
    WriteFixture();
    auto library = ResourceLibrary::Load("testres", root.Path());
    EXPECT_EQ(library->FindDialog(999), nullptr);
    try {
        library->GetDialog(999);
        FAIL() << "no error for an unknown dialog";
    } catch (const ResourceError& error) {
        EXPECT_NE(std::string(error.what()).find("\"testres\" has no dialog 999"), std::string::npos) << error.what();
    }
    EXPECT_THROW(library->GetMenu(1), ResourceError);
    EXPECT_THROW(library->GetBitmap("MD_EVENT"), ResourceError);
    EXPECT_THROW(library->GetIcon(155), ResourceError);
}

TEST_F(ResourceLibraryTest, AMissingLibraryOrRootIsAnError)
{
    EXPECT_NE(LoadError("nothere").find("resource library \"nothere\" is not found"), std::string::npos);
    EXPECT_NE(LoadError("../etc").find("not a plain directory name"), std::string::npos);
    root.Write("empty/readme.txt", "no resources here");
    EXPECT_NE(LoadError("empty").find("holds no .json files"), std::string::npos);

    const char* saved = std::getenv("VQ_RESOURCES");
    std::string restore = saved ? saved : "";
    unsetenv("VQ_RESOURCES");
    EXPECT_THROW(ResourceLibrary::Load("vqsysres"), ResourceError);
    if (saved)
        setenv("VQ_RESOURCES", restore.c_str(), 1);
}

TEST_F(ResourceLibraryTest, FaultsInAFileNameTheFileAndTheResource)
{
    struct Case {
        const char* content;
        const char* message;
    };
    const Case cases[] = {
        {R"({"strings": {"1": "a",})", "malformed JSON"},
        {R"({"strings": {"1": "a", "1": "b"}})", "key \"1\" appears twice"},
        {R"({"string": {}})", "unknown section \"string\""},
        {R"({"strings": {"x1": "a"}})", "string id \"x1\" is not a number"},
        {R"({"strings": {"7": 7}})", "string 7: the text must be a JSON string"},
        {R"({"strings": {"7": "\u3042"}})", "string 7: a character above U+00FF"},
        {R"({"dialogs": {"143": {"caption": "x"}}})", "dialog 143: \"size\" is missing"},
        {R"({"dialogs": {"143": {"size": [1, 2], "controls": [{"class": "Edit", "id": 1, "rect": [0, 0, 1, 1], "style": "WS_NOPE"}]}}})",
         "dialog 143: control 1: unknown style \"WS_NOPE\""},
        {R"({"dialogs": {"143": {"size": [1, 2], "controls": [{"class": "Edit", "id": 1, "rect": [0, 0, 1]}]}}})",
         "control 1: \"rect\" must be an array of 4 integers"},
        {R"({"dialogs": {"143": {"size": [1, 2], "colour": 3}}})", "dialog 143: unknown key \"colour\""},
        {R"({"menus": {"128": [{"text": "x"}]}})", "menu 128: item 1: \"id\" is missing"},
        {R"({"menus": {"128": [{"popup": "x", "items": [{"separator": false}]}]}})", "menu 128: item 1: item 1: a separator"},
        {R"({"bitmaps": {"NAV": {"width": 2, "height": 1, "palette": {"a": "#000000"}, "rows": ["ab"]}}})",
         "bitmap \"NAV\": row 1: 'b' is not in the palette"},
        {R"({"bitmaps": {"194": {"width": 2, "height": 2, "palette": {"a": "#000000"}, "rows": ["aa"]}}})",
         "bitmap 194: \"rows\" must hold 2 rows"},
        {R"({"icons": {"106": {"width": 1, "height": 1, "fill": "red"}}})", "icon 106: a colour is"},
    };
    for (const Case& c : cases) {
        vqtest::TempDir fresh;
        std::string file = fresh.Write("bad/strings/shell.json", c.content);
        std::string message;
        try {
            ResourceLibrary::Load("bad", fresh.Path());
        } catch (const ResourceError& error) {
            message = error.what();
        }
        EXPECT_EQ(message.rfind(file + ": ", 0), 0u) << c.content << "\n" << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.content << "\n" << message;
    }
}

TEST_F(ResourceLibraryTest, AResourceDefinedInTwoFilesNamesBoth)
{
    root.Write("dup/a.json", R"({"strings": {"61776": "Wrenfield Error"}})");
    root.Write("dup/b.json", R"({"strings": {"61776": "Other"}})");
    std::string message = LoadError("dup");
    EXPECT_NE(message.find("b.json: string 61776 is already defined in "), std::string::npos) << message;
    EXPECT_NE(message.find("a.json"), std::string::npos) << message;
}

TEST_F(ResourceLibraryTest, LoadStringTakesTheLibraryTextThenTheModulesOwn)
{
    static const ModuleString kModuleStrings[] = {{61481, "Configuration error: no resource library is found."},
                                                  {61776, "module caption"}};
    static const ACCEL kAccelerators[] = {{FVIRTKEY | FCONTROL, 'F', 57636}};
    static const ModuleAcceleratorTable kTables[] = {{128, kAccelerators}};
    static const ModuleResources kModule{kModuleStrings, kTables};
    vqres::SetModuleResources(&kModule);
    vqres::InstallResourceLibrary(nullptr);

    CString text;
    EXPECT_TRUE(text.LoadString(61481));
    EXPECT_EQ(text, "Configuration error: no resource library is found.");
    EXPECT_FALSE(text.LoadString(61665));
    EXPECT_TRUE(text.IsEmpty());

    WriteFixture();
    vqres::InstallResourceLibrary(ResourceLibrary::Load("testres", root.Path()));
    EXPECT_TRUE(text.LoadString(61665));
    EXPECT_EQ(text, "%1:\n%2");
    EXPECT_TRUE(text.LoadString(61776));
    EXPECT_EQ(text, "Wrenfield Error");
    EXPECT_TRUE(text.LoadString(61481));

    const ModuleAcceleratorTable* table = vqres::FindModuleAccelerators(128);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->entries.size(), 1u);
    EXPECT_EQ(table->entries[0].cmd, 57636);
    EXPECT_EQ(vqres::FindModuleAccelerators(129), nullptr);

    vqres::InstallResourceLibrary(nullptr);
    vqres::SetModuleResources(nullptr);
    EXPECT_FALSE(text.LoadString(61481));
}

TEST_F(ResourceLibraryTest, TheShippedLibraryLoads)
{
    auto library = ResourceLibrary::Load("vqsysres");
    ASSERT_NE(library->FindString(61776), nullptr);
    EXPECT_EQ(*library->FindString(61776), "Wrenfield Error");
}
