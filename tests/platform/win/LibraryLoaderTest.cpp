#include "win/CString.h"
#include "win/LibraryLoader.h"
#include "win/ResourceLibrary.h"

#include "support/ScopedResourceLibrary.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace {

// Two pages: the first readable, the second not.
class GuardedPages {
public:
    GuardedPages()
    {
        m_size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        void* pages = mmap(nullptr, 2 * m_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        m_pages = static_cast<char*>(pages);
        mprotect(m_pages + m_size, m_size, PROT_NONE);
    }
    ~GuardedPages() { munmap(m_pages, 2 * m_size); }
    GuardedPages(const GuardedPages&) = delete;
    GuardedPages& operator=(const GuardedPages&) = delete;

    // Text that ends right before the unreadable page (terminated or not).
    char* TextAtEnd(const char* text, bool terminated)
    {
        const std::size_t length = std::strlen(text) + (terminated ? 1 : 0);
        char* start = m_pages + m_size - length;
        std::memcpy(start, text, length);
        return start;
    }
    const char* Unreadable() const { return m_pages + m_size; }

private:
    std::size_t m_size = 0;
    char* m_pages = nullptr;
};

struct LibraryLoaderTest : ::testing::Test {
    std::shared_ptr<const vqres::ResourceLibrary> previous = vqres::CurrentResourceLibrary();
    ~LibraryLoaderTest() override { vqres::InstallResourceLibrary(previous); }
};

} // namespace

TEST(ValidStringTest, ReadsUpToTheTerminatorAndNoFurther)
{
    GuardedPages pages;
    EXPECT_TRUE(AfxIsValidString("text"));
    EXPECT_TRUE(AfxIsValidString(""));
    EXPECT_FALSE(AfxIsValidString(nullptr));
    EXPECT_FALSE(AfxIsValidString(pages.Unreadable()));
    EXPECT_TRUE(AfxIsValidString(pages.TextAtEnd("last", true)));
    EXPECT_FALSE(AfxIsValidString(pages.TextAtEnd("unterminated", false)));
    EXPECT_TRUE(AfxIsValidString(pages.TextAtEnd("unterminated", false), 12));
    EXPECT_FALSE(AfxIsValidString(pages.TextAtEnd("unterminated", false), 13));
}

TEST_F(LibraryLoaderTest, ALoadedLibrarySuppliesTheStringsWhileItIsTheResourceHandle)
{
    HINSTANCE library = AfxLoadLibrary("vqsysres");
    ASSERT_NE(library, nullptr);
    vqres::InstallResourceLibrary(nullptr);
    CString caption;
    EXPECT_FALSE(caption.LoadString(61776));

    AfxSetResourceHandle(library);
    EXPECT_EQ(AfxGetResourceHandle(), library);
    EXPECT_TRUE(caption.LoadString(61776));
    EXPECT_EQ(caption, "Wrenfield Error");

    EXPECT_TRUE(AfxFreeLibrary(library));
    EXPECT_EQ(AfxGetResourceHandle(), nullptr);
    EXPECT_FALSE(caption.LoadString(61776)) << "a freed library supplies nothing";
    EXPECT_FALSE(AfxFreeLibrary(library));
}

TEST_F(LibraryLoaderTest, AMissingOrUnreadableNameLoadsNothing)
{
    GuardedPages pages;
    EXPECT_EQ(AfxLoadLibrary("no-such-library"), nullptr);
    EXPECT_EQ(AfxLoadLibrary(nullptr), nullptr);
    EXPECT_EQ(AfxLoadLibrary(pages.Unreadable()), nullptr);
}

TEST_F(LibraryLoaderTest, AFailedLoadSaysWhichFileIsAtFaultAndWhat)
{
    vqtest::TempDir root;
    root.Write("empty/readme.txt", "no resources here");
    const std::string blank = root.Write("blank/strings.json", "");
    const std::string broken = root.Write("broken/dialogs/find.json", R"({"dialogs": {"143": {"caption": "Find"}}})");
    const std::string unclosed = root.Write("unclosed/strings.json", "{\"strings\": {\"1\": \"a\"}");
    root.Write("good/strings.json", R"({"strings": {"1": "a"}})");
    vqtest::ScopedResourceRoot scope(root.Path());

    struct Case {
        const char* name;
        std::string error;
    };
    const Case cases[] = {
        {"missing", root.File("missing") + ": resource library \"missing\" is not found"},
        {"empty", root.File("empty") + ": resource library \"empty\" holds no .json files"},
        {"blank", blank + ": the file is empty"},
        {"broken", broken + ": dialog 143: \"size\" is missing"},
        {"unclosed", unclosed + ": malformed JSON: "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AfxLoadLibrary(c.name), nullptr) << c.name;
        const std::string error = vqwin::LastLibraryLoadError().str();
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.name << ": " << error;
    }
    EXPECT_EQ(AfxLoadLibrary(nullptr), nullptr);
    EXPECT_EQ(vqwin::LastLibraryLoadError(), "the resource library name is not a readable text");

    HINSTANCE good = AfxLoadLibrary("good");
    ASSERT_NE(good, nullptr);
    EXPECT_TRUE(vqwin::LastLibraryLoadError().IsEmpty());
    AfxFreeLibrary(good);
}
