#include "ModelTestSupport.h"

#include "model/VqsModel.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsOptionNodeRegister.h"
#include "model/VqsTransaction.h"
#include "proxy/PxOptionRecords.h"
#include "proxy/PxVQOptionSet.h"

namespace {

// A node that takes any record, registered by a test after the module's own.
class AnyOptionNode : public VqsModelNodeOption {
public:
    AnyOptionNode(VqsModelNode* parent, const PxOptionsPtr& options) : VqsModelNodeOption(parent, options) {}
};

VqsModelNode* MakeAnyOptionNode(VqsModelNode* parent, const PxOptionsPtr& options)
{
    return new AnyOptionNode(parent, options);
}

struct OptionNodeRegistryTest : ModelTest {
    PxOptionsPtr Record(const char* optionSet, const char* element) const
    {
        const PxVQOptionSetPtr set = System("SYS1")->GetCurConfig()->GetOptionSet(optionSet);
        return set->GetOptions(PxVQSoftLinkPtr(Element("SYS1", "SALES", element)));
    }
    // A record of a class that no option node takes (a partition sub-record standing on its
    // own), put into the set's records by another tool.
    PxOptionsPtr AddUnsupportedRecord(const char* optionSet) const
    {
        const PxVQOptionSetPtr set = System("SYS1")->GetCurConfig()->GetOptionSet(optionSet);
        VqsTransaction transaction;
        return PxOptionsPtr(set->CreateMember(PxOptionRecords::kRole, "PxUnixOracleDBPartitionOptions"));
    }
};

} // namespace

TEST_F(OptionNodeRegistryTest, EachRecordClassGetsItsOwnOptionNodeOfKindTwenty)
{
    struct Case {
        const char* optionSet;
        const char* element;
        const std::type_info& nodeClass;
    };
    const Case cases[] = {
        {"QSRGEN", "MONTHLY", typeid(VqsModelNodeOptionQSRReport)},
        {"NTGEN", "CUSTOMER", typeid(VqsModelNodeOptionNTComp)},
        {"TARSKGEN", "EVENT", typeid(VqsModelNodeOptionTarskEvent)},
        {"UNIXGEN", "CUSTBYNAME", typeid(VqsModelNodeOptionUnixProfile)},
        {"NTGEN", "STARTUP", typeid(VqsModelNodeOptionGLG)},
    };
    EXPECT_EQ(VqsOptionNodeRegister::Count(), 21);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.optionSet) + " " + c.element);
        std::unique_ptr<VqsModelNode> node(VqsOptionNodeRegister::CreateNode(nullptr, Record(c.optionSet, c.element)));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(typeid(*node), c.nodeClass);
        EXPECT_EQ(node->GetKind(), VqsKindOption);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(OptionNodeRegistryTest, ARecordNoFactoryTakesIsNotSupported)
{
    EXPECT_EQ(VqsOptionNodeRegister::CreateNode(nullptr, AddUnsupportedRecord("NTGEN")), nullptr);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"These options currently are not supported."});
}

TEST_F(OptionNodeRegistryTest, ARecordAnotherUserDeletedGivesNoNodeAndNoMessage)
{
    const PxOptionsPtr record = Record("QSRGEN", "MONTHLY");
    auto other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("QSRGEN")->DeleteObject();
    other->CommitTransaction();
    EXPECT_EQ(VqsOptionNodeRegister::CreateNode(nullptr, record), nullptr);
    EXPECT_EQ(VqsOptionNodeRegister::CreateNode(nullptr, nullptr), nullptr);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(OptionNodeRegistryTest, TheFactoryRegisteredLastIsTriedFirst)
{
    VqsOptionNodeRegister::Register(&MakeAnyOptionNode);
    std::unique_ptr<VqsModelNode> node(VqsOptionNodeRegister::CreateNode(nullptr, Record("QSRGEN", "MONTHLY")));
    EXPECT_EQ(typeid(*node), typeid(AnyOptionNode));
}

TEST_F(OptionNodeRegistryTest, AnOptionSetWithUnsupportedRecordsSaysSoOnceAndShowsTheOthers)
{
    AddUnsupportedRecord("NTGEN");
    AddUnsupportedRecord("NTGEN");
    VqsModel model;
    VqsModelNodeOSet* optionSet = model.FindOptionSetNode(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    ASSERT_NE(optionSet, nullptr);
    optionSet->BuildOptionNodes(VqsLoadCached);
    CObList options;
    optionSet->GetOptionNodes(options);
    EXPECT_GT(options.GetCount(), 3);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"These options currently are not supported."});
}
