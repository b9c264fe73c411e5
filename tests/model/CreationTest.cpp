#include "ModelTestSupport.h"

#include "model/VqsFixedSettings.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsOptionNodeRegister.h"
#include "model/VqsTransaction.h"
#include "model/VqsTransactionEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsExceptionData.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace {

struct CreationTest : ModelTest {
    std::optional<VqsModel> model;

    void SetUp() override
    {
        ModelTest::SetUp();
        model.emplace();
    }
    void TearDown() override
    {
        model.reset();
        ModelTest::TearDown();
    }
    PxVQEnterprisePtr Enterprise() const { return app.GetEnterprise(); }
    // True when another user can write-lock the enterprise now.
    bool EnterpriseIsFree() const
    {
        auto other = OtherUser();
        return other->GetLVQEnterprise()->WriteLock(0).Succeeded() != 0;
    }
};

} // namespace

TEST_F(CreationTest, ANewHostWithoutFtpAccountHasEmptyTextsAndIsAnnounced)
{
    PxVQHostInformationPtr host;
    TakeHints();

    ASSERT_TRUE(model->CreateHost(host, "NEWHOST", 3, "10.9.9.9", 2222, nullptr, nullptr));

    EXPECT_EQ(host->GetName(), "NEWHOST");
    EXPECT_EQ(host->GetPortNumber(), 2222);
    EXPECT_EQ(host->GetFtpUserid(), "");
    EXPECT_EQ(host->GetFtpPassword(0), "");
    EXPECT_NE(model->GetRootNode().FindHostNode(host), nullptr);
    EXPECT_EQ(TakeHints().back(), VqsKindHost);
    EXPECT_TRUE(EnterpriseIsFree()) << "the write locks end with the creation";
}

TEST_F(CreationTest, AHostRefusedByItsTransactionGivesNothingAndNoNode)
{
    PxVQHostInformationPtr host;
    EXPECT_FALSE(model->CreateHost(host, "BADPORT", 0, "10.9.9.9", 70000, "u", "p"));
    EXPECT_FALSE(host);
    CObList hosts;
    model->GetRootNode().GetHostNodes(hosts);
    for (POSITION pos = hosts.GetHeadPosition(); pos;)
        EXPECT_NE(static_cast<VqsModelNodeHost*>(hosts.GetNext(pos))->GetName(), "BADPORT");
}

TEST_F(CreationTest, ANewSystemAndANewPackGetTheirNodesAfterTheCommit)
{
    PxVQSystemPtr system;
    ASSERT_TRUE(model->CreateSystem(system, "SYS9", "SYS9", "A new system", "RT9", 0, 1));
    EXPECT_TRUE(Enterprise()->GetSystem("SYS9"));
    EXPECT_NE(model->GetRootNode().FindSystemNode(system), nullptr);

    PxVQPackInformationPtr pack;
    ASSERT_TRUE(model->AddPackInformation(pack, "NEWPACK", VQPackPath));
    VqsModelNodePack* node = model->GetRootNode().FindPackNode(pack);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetName(), "NEWPACK");
    EXPECT_EQ(node->GetPackType(), VQPackPath);
    EXPECT_TRUE(EnterpriseIsFree());
}

TEST_F(CreationTest, PacksNamedByOptionsAreCreatedOrTypedAndAConflictIsRaised)
{
    struct Case {
        const char* what;
        std::vector<VqsModelNode::PackSpec> specs;
        const char* pack;
        int type;
        const char* error;
    };
    const Case cases[] = {
        {"an empty name is skipped", {{"", 2}}, nullptr, 0, nullptr},
        {"one name, types 0 then 2, makes one pack of type 2", {{"NEWP", 0}, {"NEWP", 2}}, "NEWP", 2, nullptr},
        {"a stated type fills a pack of no type", {{"TARSKPACK", 1}}, "TARSKPACK", 1, nullptr},
        {"no stated type leaves a pack as it is", {{"SALESFG", 0}}, "SALESFG", 2, nullptr},
        {"a path for a tablespace pack is a conflict", {{"SALESFG", 1}}, "SALESFG", 2,
         "Pack SALESFG does not match its previous definition of a Tablespace/Filegroup."},
        {"a tablespace for a path pack is a conflict", {{"SALESPATH", 2}}, "SALESPATH", 1,
         "Pack SALESPATH does not match its previous definition of a path."},
        {"the name is matched exactly", {{"sales_fg", 1}}, "sales_fg", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VqsModel local;
        VqsPackSpecList specs;
        for (const VqsModelNode::PackSpec& spec : c.specs)
            specs.AddTail(spec);
        CString error;
        {
            VqsTransactionEnterprise transaction;
            try {
                local.ThrowModelError(specs);
            } catch (const VqsExceptionData& thrown) {
                error = thrown.GetErrorMessage();
                EXPECT_EQ(thrown.GetFileName(), "VqsModel");
                EXPECT_EQ(thrown.GetLineNumber(), 8880);
                transaction.SetFailed();
            }
        }
        EXPECT_EQ(error, c.error ? c.error : "");
        if (!c.pack)
            continue;
        CObList packs;
        local.GetRootNode().GetPackNodes(packs);
        int named = 0;
        for (POSITION pos = packs.GetHeadPosition(); pos;)
            named += static_cast<VqsModelNodePack*>(packs.GetNext(pos))->GetName() == c.pack ? 1 : 0;
        EXPECT_EQ(named, 1);
        EXPECT_EQ(Enterprise()->GetPackInformation(c.pack)->GetPackType(), c.type);
    }
}

namespace {

// A business-segment option node that names the pack "SALESFG", as the option nodes of the
// record classes that hold pack options do.
class PackNamingNode : public VqsModelNodeOptionOf<PxNTBSegOptions> {
public:
    using VqsModelNodeOptionOf<PxNTBSegOptions>::VqsModelNodeOptionOf;
    void CollectPacks(VqsPackSpecList& packs) override { packs.AddTail(VqsModelNode::PackSpec{"SALESFG", 2}); }
};

} // namespace

TEST_F(CreationTest, TheWalkForAnEditedPackFindsItInCurrentOptionsAndCountsItsUses)
{
    VqsOptionNodeRegister::Register(&VqsMakeOptionNode<PackNamingNode>);
    VqsPackSpecList edited;
    edited.AddTail(VqsModelNode::PackSpec{"salesfg", 2});
    VqsLockBag bag(VqsReadLock);
    int found = 0;

    EXPECT_EQ(model->GetRootNode().LockSystemsForPack(found, bag, edited), 1);

    EXPECT_EQ(found, 1);
    EXPECT_TRUE(bag.ContainsObject(System("SYS1")));
    EXPECT_TRUE(bag.ContainsObject(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")));
    EXPECT_FALSE(bag.ContainsObject(System("SYS2"))) << "the walk ends at the first use";

    edited.RemoveAll();
    edited.AddTail(VqsModelNode::PackSpec{"TARSKPACK", 0});
    VqsLockBag all(VqsReadLock);
    EXPECT_EQ(model->GetRootNode().LockSystemsForPack(found, all, edited), 1);
    EXPECT_EQ(found, 0);
    EXPECT_TRUE(all.ContainsObject(System("SYS2")));

    int inCurrent = 0;
    int inOld = 0;
    model->GetRootNode().CountPackUsage("SalesFG", inCurrent, inOld);
    EXPECT_EQ(inCurrent, 6) << "two systems, three segments, one NT generate set each";
    EXPECT_EQ(inOld, 0);
}

// A host counts when its NT or Unix association names a path or table, or its Tarsk
// association is not a blank fixed-disk one.
TEST_F(CreationTest, APackIsDescribedWithTheHostsThatHoldItsAssociationsAndItsUses)
{
    const PxVQPackInformationPtr pack = Enterprise()->GetPackInformation("SALESPATH");
    PxTypedList<PxVQHostPackDataPtr> entries;
    pack->GetListOfHostPackData(entries);
    app.GetLink()->BeginTransaction();
    for (POSITION pos = entries.GetHeadPosition(); pos;)
        entries.GetNext(pos)->GetPackAssociationTarsk()->SetFixedDisk(1);
    app.GetLink()->CommitTransaction();
    VqsModelNodePack* node = model->GetRootNode().FindOrCreatePackNode(pack, false);
    // The NT reorg and extract packs and the Unix object, reorg and extract packs of SALES in
    // two systems, but for the second system's own Unix reorg pack.
    const char* const kUses = "it is used in 9 current options and\r\nwas used in 0 cases in previous generations.";

    EXPECT_EQ(std::string(node->GetDescription()),
              std::string("Pack SALESPATH\r\nhas Pack Associations defined for 2 hosts;\r\n") + kUses);
    EXPECT_TRUE(PackHasAssociationData(pack));

    app.GetLink()->BeginTransaction();
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQHostPackDataPtr entry = entries.GetNext(pos);
        if (entry->GetHostInformation()->GetName() == "QSRHOST")
            entry->GetPackAssociationTarsk()->SetFixedDisk(0);
    }
    app.GetLink()->CommitTransaction();
    EXPECT_EQ(std::string(node->GetDescription()),
              std::string("Pack SALESPATH\r\nhas Pack Associations defined for 3 hosts;\r\n") + kUses);
}

namespace {

struct FixedSettingsTest : ::testing::Test {
    vqtest::TempDir dir;
    std::string previousFolder;
    std::optional<std::string> previousTemp;

    void SetUp() override
    {
        char folder[4096];
        previousFolder = getcwd(folder, sizeof folder) ? folder : "";
        if (const char* temp = std::getenv("TEMP"))
            previousTemp = temp;
        ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(chdir(previousFolder.c_str()), 0);
        if (previousTemp)
            setenv("TEMP", previousTemp->c_str(), 1);
        else
            unsetenv("TEMP");
    }
    void WriteSettings(const std::string& lines) const
    {
        std::ofstream(dir.File("KESH.INI")) << "[Tamberlyn]\n" << lines;
    }
};

} // namespace

TEST_F(FixedSettingsTest, TheSwitchesAreReadFromTheWorkingFolderAtEachUse)
{
    struct Case {
        const char* lines;
        bool canDelete;
        int encrypt;
        bool logMessages;
        const char* folder;
    };
    const Case cases[] = {
        {nullptr, false, 0, false, "/var/tmp/t"},
        {"NonAdminCanDelGS=Y\nEncryptFtpPassword=2\nLogGenerateMessages=yes\nTemporaryFilePath=/srv/lists\n", true, 2,
         true, "/srv/lists"},
        {"NonAdminCanDelGS=Yes\nEncryptFtpPassword=on\nLogGenerateMessages=No\n", true, 0, false, "/var/tmp/t"},
        {"NonAdminCanDelGS=y\nLogGenerateMessages=Y\n", false, 0, true, "/var/tmp/t"},
    };
    setenv("TEMP", "/var/tmp/t", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines ? c.lines : "no file");
        std::remove(dir.File("KESH.INI").c_str());
        if (c.lines)
            WriteSettings(c.lines);
        EXPECT_EQ(VqsNonAdminCanDeleteGenSets(), c.canDelete);
        EXPECT_EQ(VqsReadEncryptFtpPassword(), c.encrypt);
        EXPECT_EQ(VqsLogGenerateMessages(), c.logMessages);
        EXPECT_EQ(VqsTemporaryFilePath(), c.folder);
    }
    std::remove(dir.File("KESH.INI").c_str());
    unsetenv("TEMP");
    EXPECT_EQ(VqsTemporaryFilePath(), "");
}
