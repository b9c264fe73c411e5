#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxTypedList.h"

#include <gtest/gtest.h>

namespace {

class PxDesignSideTest : public PxStoreTest {
protected:
    PxDesignSideTest() : m_link(PxAttach(m_repository.Path()))
    {
        m_link->BeginTransaction();
        m_design = std::make_unique<PxLSEBuilder>(*m_link);
        m_segment = m_design->AddBusinessSegment("SALES");
    }
    ~PxDesignSideTest() override
    {
        if (m_link->IsInTransaction())
            m_link->AbortTransaction();
    }

    PxLSEIspecPtr AddIspec(const char* className, const char* name, const char* usage)
    {
        PxLSEIspecPtr ispec = m_design->AddElement(m_segment, className, name);
        m_design->SetText(ispec, "usage", usage);
        return ispec;
    }

    std::unique_ptr<PxVQLink> m_link;
    std::unique_ptr<PxLSEBuilder> m_design;
    PxLSEBusinessSegmentPtr m_segment;
};

TEST_P(PxDesignSideTest, TheIspecUsageIsStoredOnceAndReadInEveryForm)
{
    const struct {
        const char* letter;
        int number;
    } usages[] = {{"Q", 15}, {"I", 7}, {"O", 13}, {"B", 0}, {"D", -1}};
    for (const auto& usage : usages) {
        PxLSEIspecPtr ispec = AddIspec("PxLSEComponent", usage.letter, usage.letter);
        PxLSEIspecUsage read = ispec->GetUsage();
        EXPECT_EQ(read.Letter(), usage.letter[0]);
        EXPECT_EQ(read.Number(), usage.number);
        EXPECT_TRUE(read == usage.letter[0]);
        EXPECT_TRUE(read == usage.number);
    }
    EXPECT_FALSE(AddIspec("PxLSEEvent", "E", "B")->GetUsage() == 'I');
    EXPECT_THROW(AddIspec("PxLSEEvent", "E2", "BI"), PxException);
}

TEST_P(PxDesignSideTest, TheComponentTypeIsANumberWithItsLetter)
{
    const struct {
        int number;
        char letter;
    } types[] = {{1, 'D'}, {33, 'D'}, {10, 'M'}, {42, 'M'}, {17, 'T'}, {49, 'T'}, {0, 'S'}, {5, 'S'}};
    for (const auto& type : types) {
        PxLSEComponentPtr component = m_design->AddElement(m_segment, "PxLSEComponent", "C");
        m_design->SetNumber(component, "type", type.number);
        EXPECT_TRUE(component->GetType() == type.number);
        EXPECT_TRUE(component->GetType() == type.letter) << type.number;
    }
}

TEST_P(PxDesignSideTest, ElementsAndSegmentsAreFoundByExactNameInOrder)
{
    for (const char* name : {"ORDER", "CUSTOMER", "EVENT"})
        m_design->AddElement(m_segment, "PxLSEComponent", name);
    m_design->AddBusinessSegment("PAYROLL");
    PxLSEEnterprisePtr enterprise = m_link->GetLSEEnterprise();
    PxTypedList<PxLSEBusinessSegmentPtr> segments;
    enterprise->GetBSList(segments);
    ASSERT_EQ(segments.GetCount(), 2);
    EXPECT_EQ(segments.GetTail()->GetName(), "PAYROLL");
    EXPECT_TRUE(enterprise->GetBusinessSegment("SALES")->IsSameOid(m_segment));
    EXPECT_FALSE(enterprise->GetBusinessSegment("sales"));

    PxTypedList<PxLSEElementPtr> elements;
    m_segment->GetElementList(elements);
    ASSERT_EQ(elements.GetCount(), 3);
    EXPECT_EQ(elements.GetHead()->GetName(), "ORDER");
    EXPECT_TRUE(m_segment->GetElement("EVENT")->_IsKindOf("PxLSEIspec"));
    EXPECT_TRUE(m_segment->GetElement("EVENT")->_IsKindOf("PxLSEFormObject"));
    EXPECT_TRUE(m_segment->_IsKindOf("PxLSEElement"));
}

// The flags a wizard reads to tell which host types a segment may be generated for and
// whether its texts are double-byte: 0 until set, each one on its own.
TEST_P(PxDesignSideTest, TargetHostAndJapaneseFlagsOfASegment)
{
    using Getter = int (PxLSEBusinessSegment::*)() const;
    const struct {
        const char* property;
        Getter get;
    } flags[] = {{"targetHostNt", &PxLSEBusinessSegment::GetTargetHostNt},
                 {"targetHostQsr", &PxLSEBusinessSegment::GetTargetHostQsr},
                 {"targetHostOsTarsk", &PxLSEBusinessSegment::GetTargetHostOsTarsk},
                 {"targetHostUnix", &PxLSEBusinessSegment::GetTargetHostUnix},
                 {"japaneseSupport", &PxLSEBusinessSegment::GetJapaneseSupport}};
    for (const auto& flag : flags) {
        SCOPED_TRACE(flag.property);
        EXPECT_EQ(((*m_segment).*flag.get)(), 0);
        m_design->SetNumber(m_segment, flag.property, 1);
        EXPECT_EQ(((*m_segment).*flag.get)(), 1);
    }
    m_design->SetNumber(m_segment, "targetHostQsr", 0);
    EXPECT_EQ(m_segment->GetTargetHostQsr(), 0);
    EXPECT_EQ(m_segment->GetTargetHostNt(), 1);
}

TEST_P(PxDesignSideTest, RevisionsLanguagesAndSubsystemsOfASegment)
{
    GUID guid{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    m_design->AddRevision(m_segment, "GSDRevision", guid);
    EXPECT_FALSE(m_segment->GetRevision());
    EXPECT_EQ(m_segment->GetGSDRevision()->GetGuid(), guid);
    EXPECT_EQ(m_segment->GetGSDRevision()->GetUpdated(), 1);
    m_segment->GetGSDRevision()->SetUpdated(0);
    EXPECT_EQ(m_segment->GetGSDRevision()->GetUpdated(), 0);
    EXPECT_THROW(m_design->AddRevision(m_segment, "GSDRevision", guid), PxException);
    EXPECT_THROW(m_design->AddRevision(m_segment, "TeachRevision", guid), PxException);

    m_design->AddLanguage(m_segment, "ENGLISH", 1);
    PxLSELanguagePtr french = m_design->AddLanguage(m_segment, "FRENCH", 3);
    EXPECT_THROW(m_design->AddLanguage(m_segment, "KLINGON", 16), PxException);
    EXPECT_FALSE(m_segment->GetPrimaryLanguage());
    m_design->SetPrimaryLanguage(m_segment, french);
    EXPECT_EQ(m_segment->GetPrimaryLanguage()->GetSlot(), 3);
    m_design->AddSubsystem(m_segment, "QUERY", 11);
    PxTypedList<PxLSESubsystemPtr> subsystems;
    m_segment->GetSubsystemList(subsystems);
    ASSERT_EQ(subsystems.GetCount(), 1);
    EXPECT_EQ(subsystems.GetHead()->GetNumber(), 11);
}

TEST_P(PxDesignSideTest, RelationsOrdinatesConditionsAndDataUsages)
{
    PxLSEProfilePtr profile = m_design->AddElement(m_segment, "PxLSEProfile", "CUSTBYNAME");
    PxLSEIspecPtr customer = AddIspec("PxLSEComponent", "CUSTOMER", "B");
    PxLSEDataItemPtr item = m_design->AddElement(m_segment, "PxLSEDataItem", "CUSTNAME");
    PxLSEKeywordPtr keyword = m_design->AddElement(m_segment, "PxLSEKeyword", "ADDRESS");

    m_design->AddRelation(profile, customer, "O");
    PxTypedList<PxLSERelationPtr> relations;
    profile->GetTargetList(relations);
    ASSERT_EQ(relations.GetCount(), 1);
    EXPECT_EQ(relations.GetHead()->GetRelationString(), "O");
    EXPECT_TRUE(relations.GetHead()->GetTarget()->IsSameOid(customer));
    customer->GetSourceList(relations);
    ASSERT_EQ(relations.GetCount(), 1);
    EXPECT_TRUE(relations.GetHead()->GetSource()->IsSameOid(profile));

    m_design->AddOrdinate(profile, item, 1, 1);
    PxTypedList<PxLSEDataOrdinatePtr> ordinates;
    profile->GetOrdinateDictionary(ordinates);
    ASSERT_EQ(ordinates.GetCount(), 1);
    EXPECT_EQ(ordinates.GetHead()->GetSequence(), 1);
    EXPECT_TRUE(ordinates.GetHead()->GetTarget()->IsSameOid(item));
    m_design->AddCondition(profile, "CUSTNAME > \"A\"");
    PxTypedArray<PxLSELogicPtr> conditions;
    profile->GetConditions(conditions);
    EXPECT_EQ(conditions.GetSize(), 1);

    m_design->AddScreenDataUsage(customer, item, 'D', 1, false);
    m_design->AddScreenDataUsage(customer, keyword, 'B', 0, true);
    PxTypedList<PxLSEScreenDataUsagePtr> usages;
    customer->GetScreenDataUsageList(usages);
    ASSERT_EQ(usages.GetCount(), 2);
    EXPECT_EQ(usages.GetHead()->GetUsage(), 'D');
    EXPECT_EQ(usages.GetHead()->GetMemodata(), 1);
    EXPECT_TRUE(usages.GetTail()->_IsKindOf("PxLSEKeywordTermItemDataUsage"));
    m_design->AddDataItemToKeyword(keyword, item);
    PxTypedList<PxLSEDataItemPtr> items;
    keyword->GetDataItemList(items);
    EXPECT_EQ(items.GetCount(), 1);
}

TEST_P(PxDesignSideTest, LockRecordsAreFoundBySegment)
{
    PxLSEEnterprisePtr enterprise = m_link->GetLSEEnterprise();
    EXPECT_FALSE(enterprise->GetLockedObject(m_segment));
    m_design->LockBusinessSegment(m_segment, "bob/dev", 1);
    PxLSELockedObjectPtr record = enterprise->GetLockedObject(m_segment);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->GetExclusiveLock(), 1);
    EXPECT_EQ(record->GetUsercode(), "bob/dev");
}

TEST_P(PxDesignSideTest, TheBuilderRefusesWhatADesignClassHasNot)
{
    EXPECT_THROW(m_design->AddElement(m_segment, "PxLSEBusinessSegment", "X"), PxException);
    EXPECT_THROW(m_design->AddElement(m_segment, "PxVQSystem", "X"), PxException);
    PxLSEElementPtr report = m_design->AddElement(m_segment, "PxLSEReport", "MONTHLY");
    EXPECT_THROW(m_design->SetText(report, "usage", "B"), PxException);
    EXPECT_THROW(m_design->SetNumber(report, "defaultDevice", 1), PxException);
    m_design->SetText(report, "defaultDevice", "FL");
    EXPECT_EQ(PxLSEReportPtr(report)->GetDefaultDevice(), "FL");
    EXPECT_EQ(PxLSEBuilder::KnownProperty("PxLSEEvent", "primaryProfile"), PxLSEBuilder::PropertyType::Text);
    EXPECT_EQ(PxLSEBuilder::KnownProperty("PxLSEEvent", "type"), PxLSEBuilder::PropertyType::None);
    EXPECT_TRUE(PxLSEBuilder::IsRevisionOf("PxLSEComponent", "TeachRevision"));
    EXPECT_FALSE(PxLSEBuilder::IsRevisionOf("PxLSEReport", "DbRevision"));
}

PX_ON_BOTH_STORES(PxDesignSideTest);

} // namespace
