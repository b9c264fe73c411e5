#include "com/CComObject.h"
#include "com/ComRegistry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const CLSID CLSID_Counter = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
const CLSID CLSID_Refuser = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x56}};
const IID IID_ICounter = {0x99999999, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x57}};

struct ICounter : IUnknown {
    virtual int Next() = 0;

protected:
    ~ICounter() = default;
};

int g_finalReleases = 0;
int g_alive = 0;

class CCounter : public CComObjectRoot, public CComCoClass<CCounter, &CLSID_Counter>, public ICounter {
public:
    CCounter() { ++g_alive; }
    ~CCounter() { --g_alive; }
    DECLARE_REGISTRY(CCounter, "Test.Counter.1", "Test.Counter", "Counter Class", THREADFLAGS_APARTMENT)
    BEGIN_COM_MAP(CCounter)
        COM_INTERFACE_ENTRY(ICounter)
    END_COM_MAP()

    int Next() override { return ++m_value; }
    void FinalRelease() { ++g_finalReleases; }

private:
    int m_value = 0;
};

class CRefuser : public CComObjectRoot, public CComCoClass<CRefuser, &CLSID_Refuser>, public IUnknown {
public:
    CRefuser() { ++g_alive; }
    ~CRefuser() { --g_alive; }
    DECLARE_REGISTRY(CRefuser, "Test.Refuser.1", "Test.Refuser", "Refuser Class", THREADFLAGS_APARTMENT)
    BEGIN_COM_MAP(CRefuser)
        COM_INTERFACE_ENTRY(IUnknown)
    END_COM_MAP()

    HRESULT FinalConstruct() { return HRESULT_FROM_WIN32(5); }
    void FinalRelease() { ++g_finalReleases; }
};

BEGIN_OBJECT_MAP(TestObjectMap)
OBJECT_ENTRY(CLSID_Counter, CCounter)
OBJECT_ENTRY(CLSID_Refuser, CRefuser)
END_OBJECT_MAP()

struct ComTest : ::testing::Test {
    vqtest::TempDir dir;
    vqcom::ScopedRegistryFile registry{dir.File("user/registry.ini").c_str()};
    CComModule module;

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        module.Init(TestObjectMap, nullptr);
        g_finalReleases = 0;
    }
    void TearDown() override
    {
        module.Term();
        CoUninitialize();
        EXPECT_EQ(g_alive, 0);
    }

    HRESULT Create(REFCLSID clsid, REFIID iid, void** out) { return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, out); }
};

} // namespace

TEST(GuidTest, TextRoundTripsAndMalformedTextIsRefused)
{
    char text[39];
    ASSERT_EQ(StringFromGUID2(CLSID_Counter, text, sizeof text), 39);
    EXPECT_STREQ(text, "{11111111-2222-3333-4444-555555555555}");
    CLSID back{};
    ASSERT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_TRUE(back == CLSID_Counter);
    EXPECT_EQ(StringFromGUID2(CLSID_Counter, text, 38), 0);
    EXPECT_EQ(CLSIDFromString("{11111111-2222-3333-4444-55555555555}", &back), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromString("{11111111-2222-3333-4444-5555555555556", &back), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromString(nullptr, &back), CO_E_CLASSSTRING);
}

TEST_F(ComTest, RegisteringTheServerNamesTheClassesByProgramId)
{
    ASSERT_EQ(module.RegisterServer(), S_OK);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID("Test.Counter", &clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_Counter);
    ASSERT_EQ(CLSIDFromProgID("Test.Counter.1", &clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_Counter);
    EXPECT_EQ(CLSIDFromProgID("Test.Unknown", &clsid), CO_E_CLASSSTRING);

    const char* key = "CLSID\\{11111111-2222-3333-4444-555555555555}";
    EXPECT_EQ(vqcom::GetRegistryValue(key, nullptr), "Counter Class");
    EXPECT_EQ(vqcom::GetRegistryValue(CString(key) + "\\ProgID", nullptr), "Test.Counter.1");
    EXPECT_EQ(vqcom::GetRegistryValue(CString(key) + "\\VersionIndependentProgID", nullptr), "Test.Counter");
    EXPECT_EQ(vqcom::GetRegistryValue("Test.Counter\\CurVer", nullptr), "Test.Counter.1");
    EXPECT_EQ(vqcom::GetRegistryValue(CString(key) + "\\LocalServer32", "ThreadingModel"), "Apartment");
    EXPECT_FALSE(vqcom::GetRegistryValue(CString(key) + "\\LocalServer32", nullptr).IsEmpty());
}

TEST_F(ComTest, ObjectsAreCreatedOnlyWhileTheirClassObjectIsOffered)
{
    void* object = nullptr;
    EXPECT_EQ(Create(CLSID_Counter, IID_ICounter, &object), REGDB_E_CLASSNOTREG);
    module.RegisterServer();
    EXPECT_EQ(Create(CLSID_Counter, IID_ICounter, &object), CO_E_SERVER_EXEC_FAILURE);

    ASSERT_EQ(module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE), S_OK);
    ASSERT_EQ(module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE), S_OK);
    ASSERT_EQ(Create(CLSID_Counter, IID_ICounter, &object), S_OK);
    auto* first = static_cast<ICounter*>(object);
    ASSERT_EQ(Create(CLSID_Counter, IID_ICounter, &object), S_OK) << "offered for multiple use";
    auto* second = static_cast<ICounter*>(object);
    EXPECT_EQ(first->Next(), 1);
    EXPECT_EQ(first->Next(), 2);
    EXPECT_EQ(second->Next(), 1);
    first->Release();
    second->Release();
    EXPECT_EQ(g_finalReleases, 2);

    module.RevokeClassObjects();
    EXPECT_EQ(Create(CLSID_Counter, IID_ICounter, &object), CO_E_SERVER_EXEC_FAILURE)
        << "registering twice offered the class object once";
}

TEST_F(ComTest, InterfacesAreCountedAndUnknownOnesRefused)
{
    module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE);
    void* object = nullptr;
    ASSERT_EQ(Create(CLSID_Counter, IID_IUnknown, &object), S_OK);
    auto* unknown = static_cast<IUnknown*>(object);
    void* counter = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_ICounter, &counter), S_OK);
    void* factory = nullptr;
    EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, &factory), E_NOINTERFACE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(g_alive, 1);
    EXPECT_EQ(static_cast<ICounter*>(counter)->Release(), 0u);
    EXPECT_EQ(g_alive, 0);
}

TEST_F(ComTest, AFailedFinalConstructEndsTheCreationWithItsResult)
{
    module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(Create(CLSID_Refuser, IID_IUnknown, &object), HRESULT_FROM_WIN32(5));
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(g_finalReleases, 1);
    EXPECT_EQ(g_alive, 0);
}

TEST_F(ComTest, AggregationIsRefusedAndComNeedsInitialising)
{
    module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE);
    void* object = nullptr;
    IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
    EXPECT_EQ(CoCreateInstance(CLSID_Counter, outer, CLSCTX_ALL, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    CoUninitialize();
    EXPECT_EQ(Create(CLSID_Counter, IID_IUnknown, &object), CO_E_NOTINITIALIZED);
    CoInitialize(nullptr);
}
