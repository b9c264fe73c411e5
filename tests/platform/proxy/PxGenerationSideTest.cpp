#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqcSyncPair.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

template <class List>
std::string Names(List& list)
{
    std::string names;
    for (POSITION position = list.GetHeadPosition(); position;) {
        auto item = list.GetNext(position);
        if (!names.empty())
            names += ' ';
        names += item->GetAttributeText("name").GetString();
    }
    return names;
}

class PxGenerationSideTest : public PxStoreTest {
protected:
    PxGenerationSideTest() : m_link(PxAttach(m_repository.Path())), m_enterprise(m_link->GetLVQEnterprise())
    {
        m_link->BeginTransaction();
    }
    ~PxGenerationSideTest() override
    {
        PxFaultInjection::Reset();
        if (m_link->IsInTransaction())
            m_link->AbortTransaction();
    }

    PxVQBSSoftLinkPtr NewSegmentLink(const char* name = "SALES")
    {
        PxVQSystemPtr system = m_enterprise->CreateSystem("SYS");
        return system->GetCurConfig()->CreateBSSoftLink(name);
    }

    std::unique_ptr<PxVQLink> m_link;
    PxVQEnterprisePtr m_enterprise;
};

TEST_P(PxGenerationSideTest, EnterpriseListsKeepRepositoryOrderAndCountByKind)
{
    for (const char* name : {"SYS2", "SYS1", "SYS3"})
        m_enterprise->CreateSystem(name);
    m_enterprise->CreateHostInformation("HOSTB");
    m_enterprise->CreateHostInformation("HOSTA");
    m_enterprise->CreatePackInformation("PACK1");

    PxTypedList<PxVQSystemPtr> systems;
    m_enterprise->GetListOfSystems(systems);
    EXPECT_EQ(Names(systems), "SYS2 SYS1 SYS3");
    PxTypedList<PxVQHostInformationPtr> hosts;
    m_enterprise->GetListOfHostInformations(hosts);
    EXPECT_EQ(Names(hosts), "HOSTB HOSTA");
    EXPECT_EQ(m_enterprise->CountOfItems(PxKindSystem), 3);
    EXPECT_EQ(m_enterprise->CountOfItems(PxKindHost), 2);
    EXPECT_EQ(m_enterprise->CountOfItems(PxKindPack), 1);
    EXPECT_EQ(m_enterprise->CountOfItems(PxKindBundle), 0);
    EXPECT_EQ(m_enterprise->GetSystem("SYS1")->GetName(), "SYS1");
    EXPECT_FALSE(m_enterprise->GetSystem("sys1"));
    EXPECT_TRUE(m_enterprise->GetHostInformation("HOSTA"));
}

TEST_P(PxGenerationSideTest, ANewSystemHasItsCurrentConfigurationAndOldOnesKeepOneOptionSet)
{
    PxVQSystemPtr system = m_enterprise->CreateSystem("SYS");
    PxVQCurConfigPtr current = system->GetCurConfig();
    ASSERT_TRUE(current);
    EXPECT_TRUE(current->GetSystem()->IsSameOid(system));
    EXPECT_TRUE(current->_IsKindOf("PxVQConfig"));
    EXPECT_EQ(current->GetObjectKind(), PxKindCurrentConfiguration);

    PxVQOldConfigPtr old = system->CreateOldConfig();
    EXPECT_FALSE(old->GetOptionSet());
    old->CreateOptionSet("GEN1", VQHostUnix);
    EXPECT_THROW(old->CreateOptionSet("GEN2", VQHostUnix), PxException);
    EXPECT_EQ(old->GetOptionSet()->GetName(), "GEN1");
    old->SetGenerationTime(1700000000);
    EXPECT_EQ(old->GetGenerationTime(), 1700000000);
    EXPECT_EQ(system->CountOfOldConfigs(), 1);

    GUID guid{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    current->SetBuildVersionGUID(guid);
    EXPECT_EQ(current->GetBuildVersionGUID(), guid);
}

TEST_P(PxGenerationSideTest, GenerateSetsAnswerTheKindOfTheirHostType)
{
    PxVQCurConfigPtr current = m_enterprise->CreateSystem("SYS")->GetCurConfig();
    const int kinds[] = {PxKindGenerateSetWindows, PxKindGenerateSetQSR, PxKindGenerateSetTarsk, PxKindGenerateSetUnix};
    for (int hostType = 0; hostType < 4; ++hostType) {
        PxVQOptionSetPtr set = current->CreateOptionSet(("SET" + std::to_string(hostType)).c_str(), hostType);
        EXPECT_TRUE(set->_IsKindOf("PxVQGenSet"));
        EXPECT_EQ(set->GetHostType(), hostType);
        EXPECT_EQ(set->GetObjectKind(), kinds[hostType]);
        EXPECT_TRUE(set->GetConfig()->IsSameOid(current));
    }
    EXPECT_THROW(current->CreateOptionSet("BAD", 4), PxException);
    EXPECT_EQ(current->CountOfOptionSets(), 4);
    PxVQGenSetPtr genSet = current->GetOptionSet("SET2");
    genSet->SetHostName("TARSKHOST");
    EXPECT_EQ(genSet->GetHostName(), "TARSKHOST");
}

TEST_P(PxGenerationSideTest, ElementLinksAreOfTheirTypesClassAndAnswerTheirKinds)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxVQElementSoftLinkPtr ispec = segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    EXPECT_TRUE(ispec->_IsKindOf("PxVQElementSoftLink"));
    EXPECT_TRUE(ispec->_IsKindOf("PxVQSoftLink"));
    EXPECT_TRUE(ispec->_IsA("PxVQIspecSoftLink"));
    EXPECT_FALSE(ispec->_IsKindOf("PxVQBSSoftLink"));
    EXPECT_EQ(ispec->GetObjectKind(), PxKindIspecSoftLink);
    EXPECT_TRUE(ispec->GetBSSoftLink()->IsSameOid(segment));

    const std::pair<int, const char*> types[] = {{VQSoftLinkReport, "PxVQReportSoftLink"},
                                                 {VQSoftLinkProfile, "PxVQProfileSoftLink"},
                                                 {VQSoftLinkGlobalLogic, "PxVQGlobalLogicSoftLink"},
                                                 {VQSoftLinkSQLScript, "PxVQSQLScriptSoftLink"}};
    for (auto [type, className] : types) {
        PxVQElementSoftLinkPtr link = segment->CreateElementSoftLink(className, type);
        EXPECT_TRUE(link->_IsA(className));
        EXPECT_EQ(link->GetElementType(), type);
    }
    EXPECT_EQ(ispec->GetElementType(), VQSoftLinkIspec);
    EXPECT_EQ(segment->GetElementType(), VQSoftLinkBusinessSegment);
    EXPECT_THROW(segment->CreateElementSoftLink("BAD", 9), PxException);

    PxTypedList<PxVQElementSoftLinkPtr> links;
    segment->GetListOfElementSoftLinks(links);
    EXPECT_EQ(links.GetCount(), 5);
    EXPECT_TRUE(segment->GetElementSoftLink("CUSTOMER")->IsSameOid(ispec));
}

TEST_P(PxGenerationSideTest, TheUnusedMarkIsWhatEveryValidityQueryReads)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxVQIspecSoftLinkPtr ispec = segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    ispec->SetUnusedMark(0);
    EXPECT_FALSE(ispec->IsObsolete());
    EXPECT_EQ(ispec->GetState(), 1);
    EXPECT_FALSE(ispec->IsRemovable());
    ispec->SetUnusedMark(7);
    EXPECT_EQ(ispec->GetUnusedMark(), 1);
    EXPECT_TRUE(ispec->IsObsolete());
    EXPECT_EQ(ispec->GetState(), 0);
    EXPECT_TRUE(ispec->IsRemovable());
}

TEST_P(PxGenerationSideTest, SegmentLinkKeepsLanguagesSubsystemsAndRefusesUnknownSlots)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    segment->SetLanguage(1, "ENGLISH");
    segment->SetLanguage(15, "FRENCH");
    EXPECT_EQ(segment->GetLanguage(1), "ENGLISH");
    EXPECT_EQ(segment->GetLanguage(2), "");
    EXPECT_EQ(segment->GetLanguage(15), "FRENCH");
    EXPECT_THROW(segment->SetLanguage(0, "X"), PxException);
    EXPECT_THROW(segment->GetLanguage(16), PxException);
    segment->SetSubsystemName("A", "QUERY");
    segment->SetSubsystemName("LSS", "");
    EXPECT_EQ(segment->GetSubsystemName("A"), "QUERY");
    EXPECT_THROW(segment->SetSubsystemName("11", "X"), PxException);
}

TEST_P(PxGenerationSideTest, ProfileLinksAreListedUnderTheirComponent)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxVQIspecSoftLinkPtr first = segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    PxVQIspecSoftLinkPtr second = segment->CreateElementSoftLink("ORDER", VQSoftLinkIspec);
    PxVQProfileSoftLinkPtr profile = segment->CreateElementSoftLink("CUSTBYNAME", VQSoftLinkProfile);
    profile->SetComponent(first);
    profile->SetComponent(second);

    PxTypedList<PxVQProfileSoftLinkPtr> profiles;
    first->GetListOfProfileSoftLinks(profiles);
    EXPECT_EQ(profiles.GetCount(), 0);
    second->GetListOfProfileSoftLinks(profiles);
    ASSERT_EQ(profiles.GetCount(), 1);
    EXPECT_TRUE(profiles.GetHead()->IsSameOid(profile));
    EXPECT_TRUE(profile->GetComponent()->IsSameOid(second));
    profile->SetComponent(PxVQIspecSoftLinkPtr());
    EXPECT_FALSE(profile->GetComponent());
}

TEST_P(PxGenerationSideTest, ReportAliasesGoWithTheirReportLink)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxVQReportSoftLinkPtr report = segment->CreateElementSoftLink("MONTHLY", VQSoftLinkReport);
    PxVQReportGroupPtr group = segment->CreateReportGroup("GROUP1");
    PxVQReportSoftLinkAliasPtr alias = group->CreateReportSoftLinkAlias(report);
    alias->SetGenerateAs("MONTHLY2");
    EXPECT_TRUE(alias->GetSoftLink()->IsSameOid(report));
    EXPECT_TRUE(alias->GetReportGroup()->IsSameOid(group));
    EXPECT_TRUE(group->GetBSSoftLink()->IsSameOid(segment));
    EXPECT_TRUE(segment->GetReportGroup("GROUP1")->IsSameOid(group));

    report->DeleteObject();
    EXPECT_FALSE(alias->ObjectPresent());
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    group->GetListOfReportSoftLinkAliases(aliases);
    EXPECT_EQ(aliases.GetCount(), 0);
}

// The fill's writes end when the file cannot grow: the transaction is rolled back whole,
// and the next fill puts every entry in order after the one kept.
TEST_P(PxGenerationSideTest, ABundleFillTheDiskCannotHoldLeavesTheBundleAsItWas)
{
    if (GetParam() != PxStoreKind::File)
        GTEST_SKIP() << "only a file fills up";
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
    for (int i = 0; i < 300; ++i)
        ispecs.AddTail(segment->CreateElementSoftLink(("I" + std::to_string(i)).c_str(), VQSoftLinkIspec));
    PxVQBundlePtr bundle = segment->CreateBundle("B1");
    bundle->AddIspecToBundle(ispecs.GetTail());
    m_link->CommitTransaction();
    PxTesting::LimitDataFile(*m_link, 1); // no bigger than now
    m_link->BeginTransaction();
    try {
        bundle->AddIspecsToBundle(ispecs);
        FAIL() << "the disk never filled";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(),
                  "Cannot change the repository: the disk is full. The transaction was rolled back.");
    }
    m_link->AbortTransaction();
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundle->GetListOfIspecBundleData(entries);
    EXPECT_EQ(entries.GetCount(), 1);
    PxTypedList<PxVQIspecBundleDataPtr> ofFirst;
    ispecs.GetHead()->GetListOfIspecBundleData(ofFirst);
    EXPECT_EQ(ofFirst.GetCount(), 0);

    PxTesting::LimitDataFile(*m_link, 1 << 20);
    m_link->BeginTransaction();
    bundle->AddIspecsToBundle(ispecs);
    m_link->CommitTransaction();
    m_link->BeginTransaction();
    bundle->GetListOfIspecBundleData(entries);
    ASSERT_EQ(entries.GetCount(), 300);
    std::string order;
    for (POSITION position = entries.GetHeadPosition(); position;)
        order += entries.GetNext(position)->GetIspecInformation()->GetAttributeText("name").GetString() + std::string(" ");
    EXPECT_EQ(order.substr(0, 12), "I299 I0 I1 I");
    EXPECT_EQ(order.substr(order.size() - 10), "I297 I298 ");
}

TEST_P(PxGenerationSideTest, BundlesHoldEachIspecOnceAndRefuseOtherLinksWhole)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxVQIspecSoftLinkPtr customer = segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    PxVQIspecSoftLinkPtr order = segment->CreateElementSoftLink("ORDER", VQSoftLinkIspec);
    PxVQElementSoftLinkPtr report = segment->CreateElementSoftLink("MONTHLY", VQSoftLinkReport);
    PxVQBundlePtr bundle = segment->CreateBundle("B1");

    PxVQIspecBundleDataPtr entry = bundle->AddIspecToBundle(customer);
    EXPECT_TRUE(bundle->AddIspecToBundle(customer)->IsSameOid(entry));
    EXPECT_TRUE(entry->GetIspecInformation()->IsSameOid(customer));
    EXPECT_TRUE(entry->GetBundleInformation()->IsSameOid(bundle));

    PxTypedList<PxVQElementSoftLinkPtr> mixed;
    mixed.AddTail(order);
    mixed.AddTail(report);
    EXPECT_THROW(bundle->AddIspecsToBundle(mixed), PxException);
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundle->GetListOfIspecBundleData(entries);
    EXPECT_EQ(entries.GetCount(), 1);

    PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
    ispecs.AddTail(order);
    ispecs.AddTail(customer);
    bundle->AddIspecsToBundle(ispecs);
    bundle->GetListOfIspecBundleData(entries);
    EXPECT_EQ(entries.GetCount(), 2);

    customer->DeleteIspecBundleData(bundle);
    bundle->GetListOfIspecBundleData(entries);
    ASSERT_EQ(entries.GetCount(), 1);
    EXPECT_TRUE(entries.GetHead()->GetIspecInformation()->IsSameOid(order));

    order->DeleteObject();
    bundle->GetListOfIspecBundleData(entries);
    EXPECT_EQ(entries.GetCount(), 0);

    bundle->SetLanguageSelection(15, 5);
    EXPECT_EQ(bundle->GetLanguageSelection(15), 1);
    EXPECT_EQ(bundle->GetLanguageSelection(1), 0);
    EXPECT_THROW(bundle->SetLanguageSelection(16, 1), PxException);
}

TEST_P(PxGenerationSideTest, BundleTakesAListInItsOrderAndEachIspecOnce)
{
    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    std::map<std::string, PxVQIspecSoftLinkPtr> ispecs;
    for (const char* name : {"CUSTOMER", "ORDER", "NOTES", "AUDIT", "ENQUIRY"})
        ispecs[name] = segment->CreateElementSoftLink(name, VQSoftLinkIspec);
    PxVQBundlePtr bundle = segment->CreateBundle("B1");
    bundle->AddIspecToBundle(ispecs["NOTES"]);

    PxTypedList<PxVQIspecSoftLinkPtr> list;
    for (const char* name : {"ORDER", "NOTES", "CUSTOMER", "ORDER", "AUDIT", "CUSTOMER"})
        list.AddTail(ispecs[name]);
    bundle->AddIspecsToBundle(list);

    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundle->GetListOfIspecBundleData(entries);
    std::string names;
    for (POSITION position = entries.GetHeadPosition(); position;)
        names += std::string(names.empty() ? "" : " ") +
                 entries.GetNext(position)->GetIspecInformation()->GetAttributeText("name").GetString();
    EXPECT_EQ(names, "NOTES ORDER CUSTOMER AUDIT");
    for (const char* name : {"CUSTOMER", "ORDER", "NOTES", "AUDIT"})
        EXPECT_EQ(ispecs[name]->CountOfMembers(PxVQBundle::kEntries), 1) << name;

    ispecs["AUDIT"]->DeleteObject();
    PxTypedList<PxVQIspecSoftLinkPtr> withDeleted;
    withDeleted.AddTail(ispecs["ENQUIRY"]);
    withDeleted.AddTail(ispecs["AUDIT"]);
    EXPECT_THROW(bundle->AddIspecsToBundle(withDeleted), PxException);
    bundle->GetListOfIspecBundleData(entries);
    EXPECT_EQ(entries.GetCount(), 3);
    EXPECT_EQ(ispecs["ENQUIRY"]->CountOfMembers(PxVQBundle::kEntries), 0);
}

TEST_P(PxGenerationSideTest, SyncPairsStayPairedAndDropWhenAnEndGoes)
{
    PxLSEBuilder design(*m_link);
    PxLSEBusinessSegmentPtr designSegment = design.AddBusinessSegment("SALES");
    PxLSEElementPtr customer = design.AddElement(designSegment, "PxLSEComponent", "CUSTOMER");
    PxLSEElementPtr order = design.AddElement(designSegment, "PxLSEComponent", "ORDER");

    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxVQElementSoftLinkPtr customerLink = segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    PxVQElementSoftLinkPtr orderLink = segment->CreateElementSoftLink("ORDER", VQSoftLinkIspec);
    CList<VqcSyncPair, const VqcSyncPair&> pairs;
    pairs.AddTail(VqcSyncPair{customer, customerLink});
    pairs.AddTail(VqcSyncPair{order, orderLink});
    segment->SetSyncPairList(pairs);

    customerLink->DeleteObject();
    CList<VqcSyncPair, const VqcSyncPair&> read;
    segment->GetSyncPairList(read);
    ASSERT_EQ(read.GetCount(), 1);
    EXPECT_TRUE(read.GetHead().element->IsSameOid(order));
    EXPECT_TRUE(read.GetHead().link->IsSameOid(orderLink));

    pairs.RemoveAll();
    segment->SetSyncPairList(pairs);
    segment->GetSyncPairList(read);
    EXPECT_EQ(read.GetCount(), 0);
    pairs.AddTail(VqcSyncPair{order, PxVQElementSoftLinkPtr()});
    EXPECT_THROW(segment->SetSyncPairList(pairs), PxException);
}

TEST_P(PxGenerationSideTest, EveryPackHasDataOnEveryHostWithItsFourAssociations)
{
    m_enterprise->CreatePackInformation("PACK1");
    PxVQHostInformationPtr host = m_enterprise->CreateHostInformation("HOST1");
    PxVQPackInformationPtr pack2 = m_enterprise->CreatePackInformation("PACK2");
    m_enterprise->CreateHostInformation("HOST2");

    PxTypedList<PxVQHostPackDataPtr> data;
    pack2->GetListOfHostPackData(data);
    ASSERT_EQ(data.GetCount(), 2);
    PxVQHostPackDataPtr first = data.GetHead();
    EXPECT_TRUE(first->GetHostInformation()->IsSameOid(host));
    EXPECT_TRUE(first->GetPackInformation()->IsSameOid(pack2));
    EXPECT_TRUE(first->GetPackAssociationNT());
    EXPECT_TRUE(first->GetPackAssociationUnix());
    EXPECT_TRUE(first->GetPackAssociationA());
    PxVQKeshPackAssociationTarskPtr tarsk = first->GetPackAssociationTarsk();
    ASSERT_TRUE(tarsk);
    tarsk->SetPackId(8, "PK0008");
    EXPECT_EQ(tarsk->GetPackId(8), "PK0008");
    EXPECT_THROW(tarsk->SetPackId(9, "X"), PxException);
    EXPECT_THROW(tarsk->SetAcrName("TOOLONG"), PxException);
    EXPECT_THROW(first->GetPackAssociationNT()->SetTable(std::string(31, 'T').c_str()), PxException);
    first->GetPackAssociationNT()->SetPath(std::string(128, 'P').c_str());

    host->GetListOfHostPackData(data);
    EXPECT_EQ(data.GetCount(), 2);
    host->DeleteObject();
    pack2->GetListOfHostPackData(data);
    EXPECT_EQ(data.GetCount(), 1);
}

TEST_P(PxGenerationSideTest, FtpPasswordsAreKeptEncipheredWhenAsked)
{
    PxVQHostInformationPtr host = m_enterprise->CreateHostInformation("HOST");
    host->SetFtpPassword("secret", 1);
    EXPECT_EQ(host->GetFtpPassword(1), "secret");
    EXPECT_NE(host->GetFtpPassword(0), "secret");
    EXPECT_EQ(host->GetAttributeText("ftpPassword").Find("secret"), -1);
    host->SetFtpPassword("plain", 0);
    EXPECT_EQ(host->GetFtpPassword(0), "plain");
    EXPECT_EQ(host->GetFtpPassword(1), "plain");
    host->SetPortNumber(65535);
    EXPECT_EQ(host->GetPortNumber(), 65535);
}

TEST_P(PxGenerationSideTest, RecoveryRecordsAreFoundByGenerateSetHandleAndUser)
{
    PxVQSystemPtr system = m_enterprise->CreateSystem("SYS");
    PxVQOptionSetPtr genSet = system->GetCurConfig()->CreateOptionSet("GEN", VQHostNT);
    PxVQRecoveryInfoPtr info = system->CreateRecoveryInfo(genSet);
    info->setGenerateType(PxVQRecoveryInfo::kBundleGenerate);
    info->SetUserId("bob/prod");
    info->CreateRecoveryFileInfo("REPORT1<AS1>");
    PxVQRecoveryInfoPtr other = system->CreateRecoveryInfo(PxVQOptionSetPtr());
    other->setGenerateType(PxVQRecoveryInfo::kReportGenerate);
    other->SetUserId("carol");

    EXPECT_TRUE(system->GetRecoveryInfo(genSet)->IsSameOid(info));
    EXPECT_TRUE(system->GetRecoveryInfo(other->GetHandle())->IsSameOid(other));
    EXPECT_TRUE(system->GetRecoveryInfo(info->GetHandle().GetDisplayString(1))->IsSameOid(info));
    EXPECT_FALSE(system->GetRecoveryInfo("nonsense"));
    EXPECT_TRUE(system->IsBundleRecoveryInfoPresent("bob"));
    EXPECT_TRUE(system->IsBundleRecoveryInfoPresent("bob/test"));
    EXPECT_TRUE(system->IsBundleRecoveryInfoPresent(""));
    EXPECT_FALSE(system->IsBundleRecoveryInfoPresent("carol"));
    EXPECT_TRUE(system->IsReportRecoveryInfoPresent("carol/x"));
    EXPECT_FALSE(system->IsMonitorRecoveryInfoPresent(""));
    EXPECT_EQ(system->CountOfRecoveryInfos(), 2);
    PxTypedList<PxVQRecoveryFileInfoPtr> files;
    info->GetListOfRecoveryFileInfos(files);
    ASSERT_EQ(files.GetCount(), 1);
    EXPECT_EQ(files.GetHead()->GetFileName(), "REPORT1<AS1>");
}

TEST_P(PxGenerationSideTest, EachOperationIsAFaultInjectionPointAndAnAbortLeavesNothing)
{
    PxFaultInjection::Throw("PxVQEnterprise::CreateSystem");
    EXPECT_THROW(m_enterprise->CreateSystem("SYS"), PxException);
    PxFaultInjection::Reset();
    EXPECT_EQ(m_enterprise->CountOfItems(PxKindSystem), 0);

    PxVQBSSoftLinkPtr segment = NewSegmentLink();
    PxFaultInjection::Throw("PxVQBSSoftLink::GetListOfElementSoftLinks");
    PxTypedList<PxVQElementSoftLinkPtr> links;
    EXPECT_THROW(segment->GetListOfElementSoftLinks(links), PxException);
    PxFaultInjection::Reset();

    segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    m_link->AbortTransaction();
    EXPECT_FALSE(segment->ObjectPresent());
    EXPECT_EQ(m_enterprise->CountOfItems(PxKindSystem), 0);
}

PX_ON_BOTH_STORES(PxGenerationSideTest);

} // namespace
