#include "PxTestOptions.h"
#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class PxOptionsEngineTest : public PxStoreTest {
protected:
    PxOptionsEngineTest() : m_link(PxAttach(m_repository.Path()))
    {
        PxTestOptions::Register();
        m_link->BeginTransaction();
        PxVQCurConfigPtr config = m_link->GetLVQEnterprise()->CreateSystem("SYS")->GetCurConfig();
        m_optionSet = config->CreateOptionSet("GEN", VQHostUnix);
        m_segment = config->CreateBSSoftLink("SALES");
        m_record = NewRecord();
    }
    ~PxOptionsEngineTest() override
    {
        PxFaultInjection::Reset();
        if (m_link->IsInTransaction())
            m_link->AbortTransaction();
    }

    PxTestOptionsPtr NewRecord()
    {
        PxTestOptionsPtr record = m_optionSet->CreateMember("testRecords", "PxTestOptions");
        record->SetAttributeObject("softLink", m_segment);
        record->SetAttributeObject("optionSet", m_optionSet);
        return record;
    }

    std::unique_ptr<PxVQLink> m_link;
    PxVQOptionSetPtr m_optionSet;
    PxVQBSSoftLinkPtr m_segment;
    PxTestOptionsPtr m_record;
};

TEST_P(PxOptionsEngineTest, GettersFallBackToTheDefaultUntilAnOwnValueIsSet)
{
    EXPECT_EQ(m_record->GetCount(), 10);
    EXPECT_EQ(m_record->GetEnabled(), 1);
    EXPECT_EQ(m_record->GetDelimiter(), '/');
    EXPECT_EQ(m_record->GetLabel(), "DEFAULT");
    EXPECT_EQ(m_record->GetColour(), PxBColorCyan);
    EXPECT_EQ(m_record->GetExpected(2), 100);
    EXPECT_EQ(m_record->GetDevice(1), "DISK");
    EXPECT_FALSE(m_record->IsUpdatedCount());
    EXPECT_TRUE(m_record->IsDefaultCount());
    EXPECT_FALSE(m_record->IsUpdated());

    m_record->SetCount(42);
    m_record->SetDelimiter(';');
    m_record->SetLabel("OWN");
    m_record->SetShade(1, PxBColorBlue);
    EXPECT_EQ(m_record->GetCount(), 42);
    EXPECT_EQ(m_record->GetDelimiter(), ';');
    EXPECT_EQ(m_record->GetLabel(), "OWN");
    EXPECT_EQ(m_record->GetShade(1), PxBColorBlue);
    EXPECT_EQ(m_record->GetShade(0), PxBColorRed);
    EXPECT_TRUE(m_record->IsUpdatedCount());
    EXPECT_FALSE(m_record->IsDefaultCount());
    EXPECT_TRUE(m_record->IsUpdatedShade(1));
    EXPECT_FALSE(m_record->IsUpdatedShade(0));
    EXPECT_EQ(m_record->GetDefaultCount(), 10);
    EXPECT_TRUE(m_record->IsUpdated());

    m_record->ClearCount();
    EXPECT_EQ(m_record->GetCount(), 10);
    EXPECT_FALSE(m_record->IsUpdatedCount());
}

TEST_P(PxOptionsEngineTest, MakeDefaultIsAnOwnChoiceThatClearTakesBack)
{
    m_record->SetLabel("OWN");
    m_record->MakeDefaultLabel();
    EXPECT_EQ(m_record->GetLabel(), "DEFAULT");
    EXPECT_TRUE(m_record->IsDefaultLabel());
    EXPECT_TRUE(m_record->IsUpdatedLabel());
    EXPECT_TRUE(m_record->IsUpdated());
    m_record->ClearLabel();
    EXPECT_TRUE(m_record->IsDefaultLabel());
    EXPECT_FALSE(m_record->IsUpdatedLabel());
    EXPECT_FALSE(m_record->IsUpdated());
}

TEST_P(PxOptionsEngineTest, ValuesSurviveTheBufferAndAnAbortTakesThemBack)
{
    m_record->SetCount(7);
    m_record->MakeDefaultLabel();
    m_link->CommitTransaction();
    m_link->ClearAllBuffers();
    EXPECT_EQ(m_record->GetCount(), 7);
    EXPECT_TRUE(m_record->IsUpdatedLabel());
    EXPECT_TRUE(m_record->IsDefaultLabel());

    m_link->BeginTransaction();
    m_record->SetCount(8);
    m_link->AbortTransaction();
    EXPECT_EQ(m_record->GetCount(), 7);
}

TEST_P(PxOptionsEngineTest, LimitsLengthsAndIndexesAreTheRowsAndAreKept)
{
    std::int64_t limit = -5;
    EXPECT_TRUE(m_record->HasLowerLimitCount(limit));
    EXPECT_EQ(limit, 1);
    EXPECT_TRUE(m_record->HasUpperLimitCount(limit));
    EXPECT_EQ(limit, 99);
    limit = -5;
    EXPECT_FALSE(m_record->HasUpperLimitExpected(limit));
    EXPECT_EQ(limit, -5);
    EXPECT_EQ(m_record->GetMaxLengthLabel(), 8u);
    EXPECT_EQ(m_record->GetMaxLengthDevice(), 6u);

    EXPECT_THROW(m_record->SetCount(100), PxException);
    EXPECT_THROW(m_record->SetCount(0), PxException);
    EXPECT_THROW(m_record->SetExpected(0, -1), PxException);
    EXPECT_THROW(m_record->SetLabel("TOO-LONG!"), PxException);
    EXPECT_THROW(m_record->SetDevice(2, "TAPE"), PxException);
    EXPECT_THROW(m_record->GetExpected(-1), PxException);
    EXPECT_FALSE(m_record->IsUpdated());
    m_record->SetCount(99);
    m_record->SetLabel("EXACTLY8");
    EXPECT_EQ(m_record->GetLabel(), "EXACTLY8");
}

TEST_P(PxOptionsEngineTest, TheEmulationScopeShowsDefaultsWhileItLives)
{
    m_record->SetCount(50);
    m_record->SetExpected(0, 5);
    {
        PxInitialDataEmulationScope scope = m_record->GetInitialDataEmulationScope();
        EXPECT_EQ(m_record->GetCount(), 10);
        EXPECT_EQ(m_record->GetExpected(0), 100);
        EXPECT_TRUE(m_record->IsUpdatedCount());
    }
    EXPECT_EQ(m_record->GetCount(), 50);
}

TEST_P(PxOptionsEngineTest, CopyDataTakesOverEveryStateOfARecordOfTheSameKindOnly)
{
    PxTestOptionsPtr source = NewRecord();
    source->SetCount(30);
    source->MakeDefaultLabel();
    source->SetDevice(1, "TAPE");
    source->SetDefPack("PACKX");
    m_record->SetDelimiter(';');
    m_record->SetLabel("MINE");

    m_record->CopyData(source);
    EXPECT_EQ(m_record->GetCount(), 30);
    EXPECT_TRUE(m_record->IsUpdatedLabel());
    EXPECT_TRUE(m_record->IsDefaultLabel());
    EXPECT_EQ(m_record->GetDevice(1), "TAPE");
    EXPECT_EQ(m_record->GetDefPack(), "PACKX");
    EXPECT_FALSE(m_record->IsUpdatedDelimiter());

    PxOptionsPtr other = m_optionSet->CreateMember("testRecords", "PxUnixReportOptions");
    EXPECT_THROW(m_record->CopyData(other), PxException);
    EXPECT_THROW(m_record->CopyData(PxOptionsPtr()), PxException);
    EXPECT_EQ(m_record->GetCount(), 30);
}

TEST_P(PxOptionsEngineTest, TheRecordListsItsBasesOptionsFirst)
{
    std::string names;
    for (const PxOptionField* field : m_record->GetOptionFields())
        names += std::string(field->name) + " ";
    const PxOptionTable* base = PxBSegOptions::ClassInfo().options;
    ASSERT_TRUE(base);
    std::string expected;
    for (std::size_t i = 0; i < base->count; ++i)
        expected += std::string(base->fields[i]->name) + " ";
    expected += "Count Expected Enabled Delimiter Label Device Colour Shade Total Home Away Lost Size Choice Ping Pong ";
    EXPECT_EQ(names, expected);
}

TEST_P(PxOptionsEngineTest, EachAccessorIsAFaultInjectionPoint)
{
    PxFaultInjection::Throw("PxTestOptions::GetCount");
    EXPECT_THROW(m_record->GetCount(), PxException);
    EXPECT_EQ(m_record->GetCount(), 10);
    PxFaultInjection::Throw("PxBSegOptions::SetDefPack");
    EXPECT_THROW(m_record->SetDefPack("X"), PxException);
    EXPECT_FALSE(m_record->IsUpdatedDefPack());
}

TEST_P(PxOptionsEngineTest, ComputedDefaultsNeedTheRecordsBusinessSegment)
{
    EXPECT_EQ(m_record->GetAsSys(), "SALES");
    EXPECT_EQ(m_record->GetDefaultDefPack(), "SALESFG");
    PxTestOptionsPtr orphan = m_optionSet->CreateMember("testRecords", "PxTestOptions");
    EXPECT_THROW(orphan->GetDefPack(), PxExceptionDefOption);
    EXPECT_THROW(orphan->GetDefaultAsSys(), PxExceptionDefOption);
    orphan->SetDefPack("OWN");
    EXPECT_EQ(orphan->GetDefPack(), "OWN");
    EXPECT_EQ(orphan->GetCount(), 10);
}

TEST_P(PxOptionsEngineTest, DefaultsFollowOtherOptionsOfTheRecordAndOfItsSegment)
{
    EXPECT_EQ(m_record->GetTotal(), 10);
    m_record->SetCount(12);
    EXPECT_EQ(m_record->GetTotal(), 12);
    EXPECT_EQ(m_record->GetDefaultTotal(), 12);
    m_record->MakeDefaultCount();
    EXPECT_EQ(m_record->GetTotal(), 10);

    EXPECT_EQ(m_record->GetHome(), "DISK");
    m_record->SetDevice(1, "TAPE");
    EXPECT_EQ(m_record->GetHome(), "TAPE");
    {
        PxInitialDataEmulationScope scope = m_record->GetInitialDataEmulationScope();
        EXPECT_EQ(m_record->GetHome(), "DISK");
    }
    EXPECT_THROW(m_record->GetLost(), PxExceptionDefOption);
    m_record->SetLost("OWN");
    EXPECT_EQ(m_record->GetLost(), "OWN");

    EXPECT_THROW(m_record->GetAway(), PxExceptionDefOption);
    m_segment->CreateBlankOptions();
    EXPECT_EQ(m_record->GetAway(), "SALESTS");
}

TEST_P(PxOptionsEngineTest, DefaultsByIndexAndOptionsWithoutDefault)
{
    EXPECT_EQ(m_record->GetSize(0), 224);
    EXPECT_EQ(m_record->GetDefaultSize(1), 448);
    EXPECT_THROW(m_record->GetSize(2), PxExceptionDefOption);
    m_record->SetSize(2, 896);
    EXPECT_EQ(m_record->GetSize(2), 896);

    EXPECT_THROW(m_record->GetChoice(), PxExceptionDefOption);
    EXPECT_THROW(m_record->GetDefaultChoice(), PxExceptionDefOption);
    m_record->MakeDefaultChoice();
    EXPECT_THROW(m_record->GetChoice(), PxExceptionDefOption);
    m_record->SetChoice(3);
    EXPECT_EQ(m_record->GetChoice(), 3);
    EXPECT_EQ(m_record->GetOptionValueText(*m_record->GetOptionFields()[0], 0), "SALES");
}

TEST_P(PxOptionsEngineTest, DefaultsThatNameEachOtherAreRefusedNotFollowedForEver)
{
    EXPECT_THROW(m_record->GetPing(), PxExceptionDefOption);
    m_record->SetPong(4);
    EXPECT_EQ(m_record->GetPing(), 4);
}

TEST_P(PxOptionsEngineTest, AnAliasIsASecondNameOfAnotherRowsValues)
{
    EXPECT_EQ(m_record->GetLaterExpected(0), 100);
    m_record->SetLaterExpected(1, 7);
    EXPECT_EQ(m_record->GetExpected(2), 7);
    EXPECT_TRUE(m_record->IsUpdatedExpected(2));
    EXPECT_FALSE(m_record->IsUpdatedExpected(1));
    m_record->MakeDefaultExpected(1);
    EXPECT_TRUE(m_record->IsDefaultLaterExpected(0));
    EXPECT_TRUE(m_record->IsUpdatedLaterExpected(0));
    m_record->ClearLaterExpected(1);
    EXPECT_FALSE(m_record->IsUpdatedExpected(2));

    std::int64_t limit = -5;
    EXPECT_TRUE(m_record->HasLowerLimitLaterExpected(limit));
    EXPECT_EQ(limit, 0);
    EXPECT_THROW(m_record->SetLaterExpected(0, -1), PxException);
    EXPECT_THROW(m_record->GetLaterExpected(2), PxException);
    for (const PxOptionField* field : m_record->GetOptionFields())
        EXPECT_STRNE(field->name, "LaterExpected");
}

TEST_P(PxOptionsEngineTest, ValueTextsOfEveryKind)
{
    auto text = [this](const char* name, int index) {
        for (const PxOptionField* field : m_record->GetOptionFields())
            if (std::string(field->name) == name)
                return std::string(m_record->GetOptionValueText(*field, index).GetString());
        return std::string("no such option");
    };
    m_record->SetTotal(-42);
    EXPECT_EQ(text("Total", 0), "-42");
    EXPECT_EQ(text("Delimiter", 0), "/");
    m_record->SetDelimiter(0);
    EXPECT_EQ(text("Delimiter", 0), "");
    EXPECT_EQ(text("Device", 1), "DISK");
    EXPECT_EQ(text("Colour", 0), "7");
    EXPECT_THROW(text("Device", 2), PxException);
}

PX_ON_BOTH_STORES(PxOptionsEngineTest);

} // namespace
