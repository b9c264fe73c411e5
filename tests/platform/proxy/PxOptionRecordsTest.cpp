#include "PxTestRepository.h"

#include "proxy/PxBSegOptions.h"
#include "proxy/PxCompOptions.h"
#include "proxy/PxException.h"
#include "proxy/PxGLGOptions.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class PxOptionRecordsTest : public ::testing::Test {
protected:
    PxOptionRecordsTest() : m_link(PxAttach(":memory:"))
    {
        m_link->BeginTransaction();
        m_config = m_link->GetLVQEnterprise()->CreateSystem("SYS")->GetCurConfig();
    }
    ~PxOptionRecordsTest() override
    {
        if (m_link->IsInTransaction())
            m_link->AbortTransaction();
    }

    void AddFourSets()
    {
        for (int hostType = 0; hostType < 4; ++hostType)
            m_sets[hostType] = m_config->CreateOptionSet(("SET" + std::to_string(hostType)).c_str(), hostType);
    }

    PxVQBSSoftLinkPtr AddSegment()
    {
        PxVQBSSoftLinkPtr segment = m_config->CreateBSSoftLink("SALES");
        segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
        PxVQIspecSoftLinkPtr(segment->CreateElementSoftLink("EVENT", VQSoftLinkIspec))->SetIspecType(0);
        segment->CreateElementSoftLink("MONTHLY", VQSoftLinkReport);
        segment->CreateElementSoftLink("CUSTBYNAME", VQSoftLinkProfile);
        segment->CreateElementSoftLink("STARTUP", VQSoftLinkGlobalLogic);
        segment->CreateElementSoftLink("SCRIPT", VQSoftLinkSQLScript);
        return segment;
    }

    static int Count(PxVQSoftLink& link)
    {
        PxTypedList<PxOptionsPtr> records;
        link.GetAllOptions(records);
        return static_cast<int>(records.GetCount());
    }

    std::unique_ptr<PxVQLink> m_link;
    PxVQCurConfigPtr m_config;
    PxVQOptionSetPtr m_sets[4];
};

TEST_F(PxOptionRecordsTest, BlankOptionsGiveOneRecordPerSoftLinkAndPlatform)
{
    AddFourSets();
    PxVQBSSoftLinkPtr segment = AddSegment();
    segment->CreateBlankOptions();
    PxTypedList<PxVQElementSoftLinkPtr> elements;
    segment->GetListOfElementSoftLinks(elements);
    for (POSITION position = elements.GetHeadPosition(); position;)
        elements.GetNext(position)->CreateBlankOptions();
    segment->CreateBlankOptions();

    EXPECT_EQ(Count(*segment), 4);
    for (POSITION position = elements.GetHeadPosition(); position;) {
        PxVQElementSoftLinkPtr element = elements.GetNext(position);
        EXPECT_EQ(Count(*element), element->_IsA("PxVQSQLScriptSoftLink") ? 0 : 4) << element->GetName();
    }
    PxTypedList<PxOptionsPtr> inSet;
    m_sets[VQHostTarsk]->GetAllOptions(inSet);
    EXPECT_EQ(inSet.GetCount(), 6);
}

TEST_F(PxOptionRecordsTest, AnOptionSetMadeLaterGetsRecordsForEveryLinkOfItsConfiguration)
{
    PxVQBSSoftLinkPtr segment = AddSegment();
    m_sets[VQHostQSR] = m_config->CreateOptionSet("QSRSET", VQHostQSR);
    m_sets[VQHostQSR]->CreateBlankOptions();
    m_sets[VQHostQSR]->CreateBlankOptions();

    PxTypedList<PxOptionsPtr> records;
    m_sets[VQHostQSR]->GetAllOptions(records);
    std::multiset<std::string> classes;
    for (POSITION position = records.GetHeadPosition(); position;)
        classes.insert(records.GetNext(position)->GetClassName().GetString());
    EXPECT_EQ(classes, (std::multiset<std::string>{"PxQSRBSegOptions", "PxQSRCompOptions", "PxQSREventOptions",
                                                    "PxQSRReportOptions", "PxQSRProfileOptions", "PxQSRGLGOptions"}));
}

TEST_F(PxOptionRecordsTest, RecordsAnswerTheirLinkSetTypeAndKind)
{
    AddFourSets();
    PxVQBSSoftLinkPtr segment = AddSegment();
    m_sets[VQHostTarsk]->CreateBlankOptions();
    PxVQIspecSoftLinkPtr customer = segment->GetElementSoftLink("CUSTOMER");

    PxOptionsPtr record = customer->GetOptions(m_sets[VQHostTarsk]);
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->IsSameOid(m_sets[VQHostTarsk]->GetOptions(customer)));
    EXPECT_FALSE(customer->GetOptions(m_sets[VQHostNT]));
    EXPECT_EQ(record->GetOptionsType(), VQHostTarsk);
    EXPECT_EQ(record->GetOptionsKind(), PxOptionsKindComponent);
    EXPECT_TRUE(record->_IsKindOf("PxCompOptions"));
    EXPECT_TRUE(record->_IsKindOf("PxTarskIspecOptions"));
    EXPECT_TRUE(record->_IsKindOf("PxIspecOptions"));
    EXPECT_TRUE(record->_IsKindOf("PxVQOptions"));
    EXPECT_FALSE(record->_IsKindOf("PxEventOptions"));
    EXPECT_TRUE(PxCompOptionsPtr(record));
    EXPECT_TRUE(PxTarskIspecOptionsPtr(record));
    EXPECT_FALSE(PxQSRIspecOptionsPtr(record));

    PxVQOptionsPtr vqRecord = record;
    EXPECT_TRUE(vqRecord->GetSoftLink()->IsSameOid(customer));
    EXPECT_TRUE(vqRecord->GetOptionSet()->IsSameOid(m_sets[VQHostTarsk]));
    EXPECT_EQ(vqRecord->GetName(), "CUSTOMER");

    PxOptionsPtr event = segment->GetElementSoftLink("EVENT")->GetOptions(m_sets[VQHostTarsk]);
    EXPECT_TRUE(PxTarskEventOptionsPtr(event));
    EXPECT_EQ(event->GetOptionsKind(), PxOptionsKindEvent);
    EXPECT_EQ(segment->GetElementSoftLink("MONTHLY")->GetOptions(m_sets[VQHostTarsk])->GetOptionsKind(),
              PxOptionsKindReport);
    EXPECT_EQ(segment->GetElementSoftLink("CUSTBYNAME")->GetOptions(m_sets[VQHostTarsk])->GetOptionsKind(),
              PxOptionsKindProfile);
    PxOptionsPtr logic = segment->GetElementSoftLink("STARTUP")->GetOptions(m_sets[VQHostTarsk]);
    EXPECT_TRUE(PxGLGOptionsPtr(logic));
    EXPECT_EQ(logic->GetOptionsType(), VQHostTarsk);
    EXPECT_EQ(logic->GetOptionsKind(), PxOptionsKindGlobalLogic);
}

TEST_F(PxOptionRecordsTest, AnIspecTypeThatChangesItsRecordKindRenewsItsRecords)
{
    AddFourSets();
    PxVQBSSoftLinkPtr segment = m_config->CreateBSSoftLink("SALES");
    PxVQIspecSoftLinkPtr ispec = segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    ispec->CreateBlankOptions();
    PxNTCompOptionsPtr component = ispec->GetOptions(m_sets[VQHostNT]);
    ASSERT_TRUE(component);
    component->SetCompPack("KEEP");

    ispec->SetIspecType(3);
    EXPECT_TRUE(component->ObjectPresent());
    EXPECT_EQ(component->GetCompPack(), "KEEP");

    ispec->SetIspecType(5);
    EXPECT_TRUE(component->ObjectPresent()) << "an Ispec that is not an event has component records";

    ispec->SetIspecType(0);
    EXPECT_FALSE(component->ObjectPresent());
    EXPECT_TRUE(PxUnixEventOptionsPtr(ispec->GetOptions(m_sets[VQHostUnix])));
    EXPECT_FALSE(PxCompOptionsPtr(ispec->GetOptions(m_sets[VQHostUnix])));
    EXPECT_EQ(Count(*ispec), 4);
}

TEST_F(PxOptionRecordsTest, RecordsGoWithTheirOptionSetOrTheirLink)
{
    AddFourSets();
    PxVQBSSoftLinkPtr segment = AddSegment();
    for (PxVQOptionSetPtr& set : m_sets)
        set->CreateBlankOptions();
    m_sets[VQHostNT]->DeleteObject();
    EXPECT_EQ(Count(*segment), 3);

    PxVQElementSoftLinkPtr report = segment->GetElementSoftLink("MONTHLY");
    PxOptionsPtr record = report->GetOptions(m_sets[VQHostUnix]);
    report->DeleteObject();
    EXPECT_FALSE(record->ObjectPresent());
    PxTypedList<PxOptionsPtr> left;
    m_sets[VQHostUnix]->GetAllOptions(left);
    EXPECT_EQ(left.GetCount(), 5);
}

TEST_F(PxOptionRecordsTest, PackDefaultsFollowTheSegmentAndItsDefaultPack)
{
    AddFourSets();
    PxVQBSSoftLinkPtr segment = AddSegment();
    m_sets[VQHostUnix]->CreateBlankOptions();
    m_sets[VQHostNT]->CreateBlankOptions();

    PxUnixBSegOptionsPtr unix = segment->GetOptions(m_sets[VQHostUnix]);
    EXPECT_EQ(unix->GetDefPack(), "SALESTS");
    EXPECT_EQ(unix->GetObjPack(), "SALESPATH");
    EXPECT_EQ(PxUnixBSegOptions::GetInitialPackName("SALES", 2), "SALESTS");
    EXPECT_EQ(PxNTBSegOptions::GetInitialPackName("SALES", 2), "SALESFG");
    EXPECT_EQ(PxNTBSegOptions::GetInitialPackName("SALES", 3), "");
    EXPECT_EQ(PxNTBSegOptions::GetInitialPackName("", 1), "");
    EXPECT_EQ(PxNTBSegOptions::GetInitialPackName(std::string(40, 'S').c_str(), 1).GetLength(), 30);

    PxCompOptionsPtr component = segment->GetElementSoftLink("CUSTOMER")->GetOptions(m_sets[VQHostUnix]);
    PxProfileOptionsPtr profile = segment->GetElementSoftLink("CUSTBYNAME")->GetOptions(m_sets[VQHostUnix]);
    PxReportOptionsPtr report = segment->GetElementSoftLink("MONTHLY")->GetOptions(m_sets[VQHostUnix]);
    EXPECT_EQ(component->GetCompPack(), "SALESTS");
    EXPECT_EQ(report->GetExtractPack(), "SALESPATH");
    unix->SetDefPack("BIGPACK");
    EXPECT_EQ(component->GetCompPack(), "BIGPACK");
    EXPECT_EQ(profile->GetDefaultPack(), "BIGPACK");
    EXPECT_TRUE(component->IsDefaultCompPack());
    EXPECT_FALSE(component->IsUpdatedCompPack());
    component->SetCompPack("OWNPACK");
    unix->SetDefPack("OTHER");
    EXPECT_EQ(component->GetCompPack(), "OWNPACK");
    EXPECT_TRUE(component->IsUpdatedCompPack());
    EXPECT_FALSE(component->IsDefaultCompPack());
    EXPECT_TRUE(component->IsUpdated());
    component->ClearCompPack();
    EXPECT_EQ(component->GetCompPack(), "OTHER");
    EXPECT_FALSE(component->IsUpdated());
    EXPECT_EQ(PxCompOptionsPtr(segment->GetElementSoftLink("CUSTOMER")->GetOptions(m_sets[VQHostNT]))->GetCompPack(),
              "SALESFG");

    unix->DeleteObject();
    EXPECT_THROW(component->GetCompPack(), PxExceptionDefOption);
}

TEST_F(PxOptionRecordsTest, OnlyUnixSegmentComponentAndProfileRecordsTakeSubRecords)
{
    AddFourSets();
    PxVQBSSoftLinkPtr segment = AddSegment();
    m_sets[VQHostUnix]->CreateBlankOptions();
    m_sets[VQHostNT]->CreateBlankOptions();
    PxVQOptionsPtr unix = segment->GetOptions(m_sets[VQHostUnix]);
    PxVQOptionsPtr partition = unix->CreateSubOptions("TPART1");
    unix->CreateSubOptions("APART1");
    EXPECT_TRUE(partition->_IsA("PxUnixOracleDBPartitionOptions"));
    EXPECT_EQ(partition->GetName(), "TPART1");
    EXPECT_TRUE(partition->GetSoftLink()->IsSameOid(segment));
    EXPECT_TRUE(partition->GetOptionSet()->IsSameOid(m_sets[VQHostUnix]));
    EXPECT_EQ(partition->GetOptionsType(), VQHostUnix);
    EXPECT_EQ(partition->GetOptionsKind(), PxOptionsKindBusinessSegment);
    EXPECT_TRUE(unix->GetSubOptions("APART1"));

    PxTypedList<PxVQOptionsPtr> subs;
    unix->GetListOfSubOptions(subs);
    EXPECT_EQ(subs.GetCount(), 2);
    unix->DeleteSubOptions("TPART1");
    unix->DeleteSubOptions("NONE");
    EXPECT_FALSE(partition->ObjectPresent());
    unix->GetListOfSubOptions(subs);
    EXPECT_EQ(subs.GetCount(), 1);

    PxVQOptionsPtr nt = segment->GetOptions(m_sets[VQHostNT]);
    EXPECT_THROW(nt->CreateSubOptions("TPART1"), PxException);
}

TEST_F(PxOptionRecordsTest, AnOldConfigurationsLinksHaveRecordsInItsOneOptionSet)
{
    PxVQOldConfigPtr old = m_config->GetSystem()->CreateOldConfig();
    PxVQBSSoftLinkPtr segment = old->CreateBSSoftLink("SALES");
    segment->CreateBlankOptions();
    EXPECT_EQ(Count(*segment), 0);
    PxVQOptionSetPtr set = old->CreateOptionSet("LAST", VQHostQSR);
    segment->CreateBlankOptions();
    ASSERT_EQ(Count(*segment), 1);
    EXPECT_TRUE(segment->GetOptions(set)->_IsA("PxQSRBSegOptions"));
}

TEST_F(PxOptionRecordsTest, RecordsAreSharedBetweenSessions)
{
    PxTestRepository repository;
    std::unique_ptr<PxVQLink> first = PxAttach(repository.Path());
    std::unique_ptr<PxVQLink> second = PxAttach(repository.Path(), "bob/dev");
    first->BeginTransaction();
    PxVQCurConfigPtr config = first->GetLVQEnterprise()->CreateSystem("SYS")->GetCurConfig();
    PxVQOptionSetPtr set = config->CreateOptionSet("UNIXGEN", VQHostUnix);
    config->CreateBSSoftLink("SALES")->CreateBlankOptions();
    first->CommitTransaction();

    PxVQCurConfigPtr seen = second->GetLVQEnterprise()->GetSystem("SYS")->GetCurConfig();
    PxUnixBSegOptionsPtr theirs = seen->GetBSSoftLink("SALES")->GetOptions(seen->GetOptionSet("UNIXGEN"));
    ASSERT_TRUE(theirs);
    PxObjectEdition edition = theirs->GetObjectEdition();
    first->BeginTransaction();
    PxUnixBSegOptionsPtr(config->GetBSSoftLink("SALES")->GetOptions(set))->SetObjPack("SHARED");
    first->CommitTransaction();
    EXPECT_FALSE(edition.IsLatestEdition());
    theirs->Refresh();
    EXPECT_EQ(theirs->GetObjPack(), "SHARED");
    EXPECT_TRUE(theirs->IsUpdatedObjPack());
}

TEST_F(PxOptionRecordsTest, ADeletedGenerateSetIsStillNamedAsAnOptionSet)
{
    PxVQOptionSetPtr set = m_config->CreateOptionSet("GEN", VQHostQSR);
    set->DeleteObject();
    EXPECT_EQ(set->GetObjectKind(), PxKindOptionSet);
}

} // namespace
