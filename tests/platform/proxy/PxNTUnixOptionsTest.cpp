// The options of the NT and Unix records: every option against its type, default, limits,
// maximum length and index range, then the accessors of each record at work.
#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTEventOptions.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxNTReportOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixGLGOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// One row per option of a record: what the accessors must answer on a blank record. Every
// number of these records starts at 0.
struct NumberRow {
    const char* name;
    int count; // 0: one value; n: indexes 0 to n-1
    std::int64_t lower;
    std::int64_t upper;
    std::int64_t (*get)(PxOptions&, int);
    void (*set)(PxOptions&, int, std::int64_t);
    BOOL (*lowerLimit)(PxOptions&, std::int64_t&);
    BOOL (*upperLimit)(PxOptions&, std::int64_t&);
};

struct TextRow {
    const char* name;
    int count;
    const char* initial;
    unsigned maxLength;
    CString (*get)(PxOptions&, int);
    void (*set)(PxOptions&, int, const char*);
    unsigned (*getMaxLength)(PxOptions&);
};

// Flags, characters and enumerations.
struct SmallRow {
    const char* name;
    int count;
    std::int64_t initial;
    std::int64_t (*get)(PxOptions&, int);
    void (*set)(PxOptions&, int, std::int64_t);
};

// The record of type R behind the row's PxOptions argument `o`.
#define REC dynamic_cast<R&>(o)
#define NUMBER(Name, lower, upper)                                                                                \
    {#Name,                                                                                                       \
     0,                                                                                                           \
     lower,                                                                                                       \
     upper,                                                                                                       \
     [](PxOptions& o, int) { return REC.Get##Name(); },                                                           \
     [](PxOptions& o, int, std::int64_t v) { REC.Set##Name(v); },                                                 \
     [](PxOptions& o, std::int64_t& l) { return REC.HasLowerLimit##Name(l); },                                    \
     [](PxOptions& o, std::int64_t& l) { return REC.HasUpperLimit##Name(l); }}
#define NUMBER_AT(Name, count, lower, upper)                                                                      \
    {#Name,                                                                                                       \
     count,                                                                                                       \
     lower,                                                                                                       \
     upper,                                                                                                       \
     [](PxOptions& o, int i) { return REC.Get##Name(i); },                                                        \
     [](PxOptions& o, int i, std::int64_t v) { REC.Set##Name(i, v); },                                            \
     [](PxOptions& o, std::int64_t& l) { return REC.HasLowerLimit##Name(l); },                                    \
     [](PxOptions& o, std::int64_t& l) { return REC.HasUpperLimit##Name(l); }}
#define TEXT(Name, initial, maxLength)                                                                            \
    {#Name,                                                                                                       \
     0,                                                                                                           \
     initial,                                                                                                     \
     maxLength,                                                                                                   \
     [](PxOptions& o, int) { return REC.Get##Name(); },                                                           \
     [](PxOptions& o, int, const char* v) { REC.Set##Name(v); },                                                  \
     [](PxOptions& o) { return REC.GetMaxLength##Name(); }}
#define TEXT_AT(Name, count, initial, maxLength)                                                                  \
    {#Name,                                                                                                       \
     count,                                                                                                       \
     initial,                                                                                                     \
     maxLength,                                                                                                   \
     [](PxOptions& o, int i) { return REC.Get##Name(i); },                                                        \
     [](PxOptions& o, int i, const char* v) { REC.Set##Name(i, v); },                                             \
     [](PxOptions& o) { return REC.GetMaxLength##Name(); }}
#define SMALL(Name, initial)                                                                                      \
    {#Name, 0, initial, [](PxOptions& o, int) { return static_cast<std::int64_t>(REC.Get##Name()); },             \
     [](PxOptions& o, int, std::int64_t v) { REC.Set##Name(static_cast<decltype(REC.Get##Name())>(v)); }}
#define SMALL_AT(Name, count, initial)                                                                            \
    {#Name, count, initial, [](PxOptions& o, int i) { return static_cast<std::int64_t>(REC.Get##Name(i)); },      \
     [](PxOptions& o, int i, std::int64_t v) { REC.Set##Name(i, static_cast<decltype(REC.Get##Name(i))>(v)); }}

struct Table {
    std::vector<NumberRow> numbers;
    std::vector<TextRow> texts;
    std::vector<SmallRow> smalls;
};

std::size_t OwnOptionCount(const PxClassInfo& info) { return info.options ? info.options->count : 0; }

void ExpectIndexesRefused(PxOptions& record, int count, std::int64_t (*get)(PxOptions&, int))
{
    if (count == 0)
        return;
    EXPECT_THROW(get(record, count), PxException);
    EXPECT_THROW(get(record, -1), PxException);
}

void CheckNumbers(PxOptions& record, const std::vector<NumberRow>& rows)
{
    for (const NumberRow& row : rows) {
        SCOPED_TRACE(row.name);
        int last = std::max(row.count, 1) - 1;
        for (int index = 0; index <= last; ++index)
            EXPECT_EQ(row.get(record, index), 0);
        std::int64_t limit = -77;
        EXPECT_TRUE(row.lowerLimit(record, limit));
        EXPECT_EQ(limit, row.lower);
        EXPECT_TRUE(row.upperLimit(record, limit));
        EXPECT_EQ(limit, row.upper);

        EXPECT_NO_THROW(row.set(record, last, row.upper));
        EXPECT_EQ(row.get(record, last), row.upper);
        EXPECT_THROW(row.set(record, last, row.upper + 1), PxException);
        EXPECT_THROW(row.set(record, last, row.lower - 1), PxException);
        EXPECT_EQ(row.get(record, last), row.upper);
        if (last > 0) {
            EXPECT_EQ(row.get(record, 0), 0);
        }
        ExpectIndexesRefused(record, row.count, row.get);
    }
}

void CheckTexts(PxOptions& record, const std::vector<TextRow>& rows)
{
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        int last = std::max(row.count, 1) - 1;
        for (int index = 0; index <= last; ++index)
            EXPECT_EQ(row.get(record, index), row.initial);
        EXPECT_EQ(row.getMaxLength(record), row.maxLength);

        std::string longest(row.maxLength, 'X');
        EXPECT_NO_THROW(row.set(record, last, longest.c_str()));
        EXPECT_EQ(row.get(record, last), longest.c_str());
        EXPECT_THROW(row.set(record, last, (longest + "X").c_str()), PxException);
        if (row.count > 0) {
            EXPECT_THROW(row.get(record, row.count), PxException);
            EXPECT_THROW(row.set(record, row.count, ""), PxException);
        }
    }
}

void CheckSmalls(PxOptions& record, const std::vector<SmallRow>& rows)
{
    for (const SmallRow& row : rows) {
        SCOPED_TRACE(row.name);
        int last = std::max(row.count, 1) - 1;
        for (int index = 0; index <= last; ++index)
            EXPECT_EQ(row.get(record, index), row.initial);
        EXPECT_NO_THROW(row.set(record, last, 1));
        EXPECT_EQ(row.get(record, last), 1);
        ExpectIndexesRefused(record, row.count, row.get);
    }
}

// Every option the record class declares itself is a row of the table.
void CheckTable(PxOptions& record, const Table& table)
{
    SCOPED_TRACE(record.GetClassName().GetString());
    EXPECT_EQ(OwnOptionCount(record.GetClassInfo()), table.numbers.size() + table.texts.size() + table.smalls.size());
    CheckNumbers(record, table.numbers);
    CheckTexts(record, table.texts);
    CheckSmalls(record, table.smalls);
}

constexpr std::int64_t kTenDigits = 9999999999;
constexpr std::int64_t kEightDigits = 99999999;

Table NTSegmentTable()
{
    using R = PxNTBSegOptions;
    return {{NUMBER(MaxServers, 0, 99), NUMBER(IPCKey, 0, 999999)},
            {TEXT(GenDataBase, "", 30), TEXT(EVENTClusterIndex, "", 30), TEXT(DefService, "", 15),
             TEXT(OLTPDirectory, "", 128), TEXT(OLTPOnPack, "", 30), TEXT(OLTPName, "", 30),
             TEXT(EventSet, "SALESFG", 30), TEXT(ReorgPack, "SALESPATH", 30), TEXT(LogPack, "", 30),
             TEXT(ROCoutput, "", 30), TEXT(BSExtractPack, "SALESPATH", 30)},
            {SMALL(LogAct, 0), SMALL(LogTrans, 0), SMALL(ReverseMsgOrder, 0), SMALL(SQLViews, 0),
             SMALL(ConfirmGenWithInstall, 0), SMALL(GenerateHDBAInterface, 0), SMALL(EnableHDBAInterface, 0),
             SMALL(DefaultCompileType, PxCompileTypeOBJ), SMALL(EnableHDBA, 0)}};
}

Table UnixSegmentTable()
{
    using R = PxUnixBSegOptions;
    return {{NUMBER(UnixEventMultiRecordMaxInIspecs, 0, 99), NUMBER(UnixEventMultiRecordMaxInReports, 0, 99),
             NUMBER(MaxServers, 0, 99), NUMBER(IPCKey, 0, 999999), NUMBER_AT(BSPopulation, 2, 0, kTenDigits),
             NUMBER_AT(BSPercentFree, 2, 0, 99), NUMBER_AT(BSPercentUsed, 2, 0, 99),
             NUMBER_AT(BSPercentIncrease, 2, 0, 999), NUMBER_AT(BSInitialExtent, 2, 0, kTenDigits),
             NUMBER_AT(BSNextExtent, 2, 0, kTenDigits), NUMBER_AT(BSMinExtents, 2, 0, 99999),
             NUMBER_AT(BSMaxExtents, 2, 0, 99999), NUMBER_AT(BSInitTrans, 2, 0, 99999),
             NUMBER_AT(BSMaxTrans, 2, 0, 99999)},
            {TEXT(CollatingSequence, "ASCII", 30), TEXT(DefService, "", 15), TEXT(OLTPDirectory, "", 128),
             TEXT(OLTPOnPack, "", 30), TEXT(OLTPName, "", 30), TEXT(EventSet, "SALESTS", 30),
             TEXT(ObjPack, "SALESPATH", 30), TEXT(ReorgPack, "SALESPATH", 30), TEXT(LogPack, "", 30),
             TEXT(ROCoutput, "", 30), TEXT(BSExtractPack, "SALESPATH", 30), TEXT_AT(BSSQLsca, 2, "", 840),
             TEXT_AT(BSSQLnonsca, 2, "", 840), TEXT_AT(BSTablespace, 2, "", 30),
             TEXT_AT(BSTablePartitionColumns, 8, "", 20), TEXT_AT(BSAutoIndexPartitionColumns, 8, "", 20)},
            {SMALL(ShowDelim, 0), SMALL(LogAct, 0), SMALL(25LineTerminal, 0), SMALL(LogTrans, 0),
             SMALL(ReverseMsgOrder, 0), SMALL(LDelim, 0), SMALL(RDelim, 0), SMALL(IgnoreNationalItems, 0),
             SMALL(ConfirmGenWithInstall, 0), SMALL(SQLViews, 0), SMALL(DefaultCompileType, PxCompileTypeOBJ),
             SMALL_AT(BSMaxExtentsUnlimited, 2, 0), SMALL_AT(BSInitialExtentType, 2, 0),
             SMALL_AT(BSNextExtentType, 2, 0), SMALL_AT(BSPartitionType, 2, 'N')}};
}

Table NTComponentTable()
{
    using R = PxNTCompOptions;
    return {{}, {TEXT(ClusterIndex, "", 30)}, {SMALL(CompUserMaintained, 0)}};
}

Table UnixComponentTable()
{
    using R = PxUnixCompOptions;
    return {{NUMBER(UnixMultiRecordMaxInIspecs, 0, 99), NUMBER(UnixMultiRecordMaxInReports, 0, 99),
             NUMBER_AT(ComponentPopulation, 2, 0, kEightDigits), NUMBER_AT(ComponentPercentFree, 2, 0, 99),
             NUMBER_AT(ComponentPercentUsed, 2, 0, 99), NUMBER_AT(ComponentPercentIncrease, 2, 0, 999),
             NUMBER_AT(ComponentInitialExtent, 2, 0, kTenDigits), NUMBER_AT(ComponentNextExtent, 2, 0, kTenDigits),
             NUMBER_AT(ComponentMinExtents, 2, 0, 99999), NUMBER_AT(ComponentMaxExtents, 2, 0, 99999),
             NUMBER_AT(ComponentInitTrans, 2, 0, 99999), NUMBER_AT(ComponentMaxTrans, 2, 0, 99999)},
            {TEXT_AT(CompSQLsca, 2, "", 840), TEXT_AT(CompSQLnonsca, 2, "", 840),
             TEXT_AT(ComponentTablespace, 2, "", 30), TEXT_AT(ComponentTablePartitionColumns, 8, "", 20),
             TEXT_AT(ComponentAutoIndexPartitionColumns, 8, "", 20)},
            {SMALL(CompUserMaintained, 0), SMALL_AT(ComponentMaxExtentsUnlimited, 2, 0),
             SMALL_AT(ComponentInitialExtentType, 2, 0), SMALL_AT(ComponentNextExtentType, 2, 0),
             SMALL_AT(ComponentPartitionType, 2, 'N')}};
}

Table NTProfileTable()
{
    using R = PxNTProfileOptions;
    return {{}, {}, {SMALL(ProfUserMaintained, 0)}};
}

Table UnixProfileTable()
{
    using R = PxUnixProfileOptions;
    return {{NUMBER_AT(ProfilePopulation, 3, 0, kEightDigits), NUMBER_AT(ProfilePercentFree, 3, 0, 99),
             NUMBER_AT(ProfilePercentUsed, 3, 0, 99), NUMBER_AT(ProfilePercentIncrease, 3, 0, 999),
             NUMBER_AT(ProfileInitialExtent, 3, 0, kTenDigits), NUMBER_AT(ProfileNextExtent, 3, 0, kTenDigits),
             NUMBER_AT(ProfileMinExtents, 3, 0, 99999), NUMBER_AT(ProfileMaxExtents, 3, 0, 99999),
             NUMBER_AT(ProfileInitTrans, 3, 0, 99999), NUMBER_AT(ProfileMaxTrans, 3, 0, 99999)},
            {TEXT_AT(ProfSQLsca, 3, "", 840), TEXT_AT(ProfSQLnonsca, 3, "", 840),
             TEXT_AT(ProfileTablespace, 3, "", 30), TEXT_AT(ProfileTablePartitionColumns, 8, "", 20),
             TEXT_AT(ProfileAutoIndexPartitionColumns, 8, "", 20),
             TEXT_AT(ProfileOrdinateIndexPartitionColumns, 8, "", 20)},
            {SMALL(ProfUserMaintained, 0), SMALL_AT(ProfileMaxExtentsUnlimited, 3, 0),
             SMALL_AT(ProfileInitialExtentType, 3, 0), SMALL_AT(ProfileNextExtentType, 3, 0),
             SMALL_AT(ProfilePartitionType, 3, 'N')}};
}

Table UnixReportTable()
{
    using R = PxUnixReportOptions;
    return {{NUMBER_AT(ExtractFileRecOrBlock, 26, 0, 999)}, {TEXT(RollBackSegmentName, "", 30)}, {}};
}

template <class R>
Table GlobalLogicTable()
{
    return {{}, {}, {SMALL(SeparateCompile, 0)}};
}

Table PartitionTable()
{
    using R = PxUnixOracleDBPartitionOptions;
    return {{NUMBER(Population, 0, kTenDigits), NUMBER(PercentFree, 0, 99), NUMBER(PercentUsed, 0, 99),
             NUMBER(PercentIncrease, 0, 999), NUMBER(InitialExtent, 0, kTenDigits),
             NUMBER(NextExtent, 0, kTenDigits), NUMBER(MinExtents, 0, 99999), NUMBER(MaxExtents, 0, 99999),
             NUMBER(InitTrans, 0, 99999), NUMBER(MaxTrans, 0, 99999)},
            {TEXT(SQLsca, "", 840), TEXT(SQLnonsca, "", 840), TEXT(Tablespace, "", 30),
             TEXT_AT(LessThanValue, 8, "", 30)},
            {SMALL(MaxExtentsUnlimited, 0), SMALL(InitialExtentType, 0), SMALL(NextExtentType, 0)}};
}

#undef REC
#undef NUMBER
#undef NUMBER_AT
#undef TEXT
#undef TEXT_AT
#undef SMALL
#undef SMALL_AT

class PxNTUnixOptionsTest : public ::testing::Test {
protected:
    PxNTUnixOptionsTest() : m_link(PxAttach(":memory:"))
    {
        m_link->BeginTransaction();
        PxVQCurConfigPtr config = m_link->GetLVQEnterprise()->CreateSystem("SYS")->GetCurConfig();
        m_nt = config->CreateOptionSet("NTGEN", VQHostNT);
        m_unix = config->CreateOptionSet("UNIXGEN", VQHostUnix);
        m_segment = config->CreateBSSoftLink("SALES");
        m_segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
        PxVQIspecSoftLinkPtr(m_segment->CreateElementSoftLink("EVENT", VQSoftLinkIspec))->SetIspecType(0);
        m_segment->CreateElementSoftLink("MONTHLY", VQSoftLinkReport);
        m_segment->CreateElementSoftLink("CUSTBYNAME", VQSoftLinkProfile);
        m_segment->CreateElementSoftLink("STARTUP", VQSoftLinkGlobalLogic);
        m_nt->CreateBlankOptions();
        m_unix->CreateBlankOptions();
    }
    ~PxNTUnixOptionsTest() override
    {
        if (m_link->IsInTransaction())
            m_link->AbortTransaction();
    }

    // The record of the element (the business segment for null) in the option set of R's platform.
    template <class R>
    PxPtr<R> Record(const char* element = nullptr)
    {
        PxVQSoftLinkPtr link = element ? PxVQSoftLinkPtr(m_segment->GetElementSoftLink(element))
                                       : PxVQSoftLinkPtr(m_segment);
        bool nt = std::string(R::ClassInfo().name).starts_with("PxNT");
        PxPtr<R> record = link->GetOptions(nt ? m_nt : m_unix);
        EXPECT_TRUE(record) << R::ClassInfo().name;
        return record;
    }

    std::unique_ptr<PxVQLink> m_link;
    PxVQOptionSetPtr m_nt;
    PxVQOptionSetPtr m_unix;
    PxVQBSSoftLinkPtr m_segment;
};

TEST_F(PxNTUnixOptionsTest, SegmentOptionsHaveTheirTypesDefaultsLimitsLengthsAndIndexes)
{
    CheckTable(*Record<PxNTBSegOptions>(), NTSegmentTable());
    CheckTable(*Record<PxUnixBSegOptions>(), UnixSegmentTable());
}

TEST_F(PxNTUnixOptionsTest, ElementOptionsHaveTheirTypesDefaultsLimitsLengthsAndIndexes)
{
    CheckTable(*Record<PxNTCompOptions>("CUSTOMER"), NTComponentTable());
    CheckTable(*Record<PxUnixCompOptions>("CUSTOMER"), UnixComponentTable());
    CheckTable(*Record<PxNTProfileOptions>("CUSTBYNAME"), NTProfileTable());
    CheckTable(*Record<PxUnixProfileOptions>("CUSTBYNAME"), UnixProfileTable());
    CheckTable(*Record<PxUnixReportOptions>("MONTHLY"), UnixReportTable());
    CheckTable(*Record<PxNTGLGOptions>("STARTUP"), GlobalLogicTable<PxNTGLGOptions>());
    CheckTable(*Record<PxUnixGLGOptions>("STARTUP"), GlobalLogicTable<PxUnixGLGOptions>());

    EXPECT_EQ(OwnOptionCount(PxNTEventOptions::ClassInfo()), 0u);
    EXPECT_EQ(OwnOptionCount(PxUnixEventOptions::ClassInfo()), 0u);
    EXPECT_EQ(OwnOptionCount(PxNTIspecOptions::ClassInfo()), 0u);
    EXPECT_EQ(OwnOptionCount(PxUnixIspecOptions::ClassInfo()), 0u);
    EXPECT_EQ(OwnOptionCount(PxNTReportOptions::ClassInfo()), 0u);
}

TEST_F(PxNTUnixOptionsTest, PartitionOptionsHaveTheirTypesDefaultsLimitsLengthsAndIndexes)
{
    PxUnixOracleDBPartitionOptionsPtr partition = Record<PxUnixBSegOptions>()->CreateSubOptions("TP1");
    ASSERT_TRUE(partition);
    CheckTable(*partition, PartitionTable());
}

TEST_F(PxNTUnixOptionsTest, TheEventSetFollowsTheDefaultPackInForce)
{
    PxNTBSegOptionsPtr segment = Record<PxNTBSegOptions>();
    segment->SetDefPack("DBPACK");
    EXPECT_EQ(segment->GetEventSet(), "DBPACK");
    EXPECT_EQ(segment->GetDefaultEventSet(), "DBPACK");
    EXPECT_TRUE(segment->IsDefaultEventSet());
    EXPECT_FALSE(segment->IsUpdatedEventSet());

    segment->SetEventSet("EVENTS");
    segment->SetDefPack("OTHER");
    EXPECT_EQ(segment->GetEventSet(), "EVENTS");
    EXPECT_FALSE(segment->IsDefaultEventSet());

    segment->MakeDefaultEventSet();
    EXPECT_EQ(segment->GetEventSet(), "OTHER");
    EXPECT_TRUE(segment->IsDefaultEventSet());
    EXPECT_TRUE(segment->IsUpdatedEventSet());
    {
        PxInitialDataEmulationScope scope = segment->GetInitialDataEmulationScope();
        EXPECT_EQ(segment->GetEventSet(), "SALESFG");
    }
    segment->ClearEventSet();
    EXPECT_FALSE(segment->IsUpdatedEventSet());

    PxUnixBSegOptionsPtr unix = Record<PxUnixBSegOptions>();
    EXPECT_EQ(unix->GetEventSet(), "SALESTS");
    unix->SetDefPack("UNIXDB");
    EXPECT_EQ(unix->GetEventSet(), "UNIXDB");
    EXPECT_EQ(segment->GetEventSet(), "OTHER");
}

TEST_F(PxNTUnixOptionsTest, TheCompileTypeIsAChoiceThatKeepsWhatIsStored)
{
    PxNTBSegOptionsPtr segment = Record<PxNTBSegOptions>();
    EXPECT_EQ(segment->GetDefaultDefaultCompileType(), PxCompileTypeOBJ);
    segment->SetDefaultCompileType(PxCompileTypeDLL);
    EXPECT_EQ(segment->GetDefaultCompileType(), PxCompileTypeDLL);
    EXPECT_TRUE(segment->IsUpdatedDefaultCompileType());
    segment->SetDefaultCompileType(static_cast<PxEnumCompileType>(7));
    EXPECT_EQ(segment->GetDefaultCompileType(), 7);
    segment->ClearDefaultCompileType();
    EXPECT_EQ(segment->GetDefaultCompileType(), PxCompileTypeOBJ);
    EXPECT_FALSE(segment->IsUpdated());
}

TEST_F(PxNTUnixOptionsTest, SegmentStorageIsKeptPerStructure)
{
    PxUnixBSegOptionsPtr segment = Record<PxUnixBSegOptions>();
    segment->SetBSPercentFree(1, 30);
    segment->SetBSInitialExtentType(1, 'M');
    EXPECT_EQ(segment->GetBSPercentFree(1), 30);
    EXPECT_EQ(segment->GetBSPercentFree(0), 0);
    EXPECT_TRUE(segment->IsUpdatedBSPercentFree(1));
    EXPECT_FALSE(segment->IsUpdatedBSPercentFree(0));
    EXPECT_EQ(segment->GetBSInitialExtentType(1), 'M');
    EXPECT_EQ(segment->GetBSInitialExtentType(0), '\0');

    EXPECT_THROW(segment->SetBSPercentUsed(0, 100), PxException);
    EXPECT_FALSE(segment->IsUpdatedBSPercentUsed(0));
    EXPECT_THROW(segment->SetBSMaxTrans(2, 10), PxException);

    segment->SetBSMaxTrans(0, 40);
    segment->MakeDefaultBSMaxTrans(0);
    EXPECT_EQ(segment->GetBSMaxTrans(0), segment->GetDefaultBSMaxTrans(0));
    EXPECT_TRUE(segment->IsDefaultBSMaxTrans(0));
    EXPECT_TRUE(segment->IsUpdatedBSMaxTrans(0));
    segment->ClearBSMaxTrans(0);
    EXPECT_FALSE(segment->IsUpdatedBSMaxTrans(0));

    segment->SetBSPartitionType(1, 'E');
    segment->SetBSAutoIndexPartitionColumns(0, "CUSTNO");
    EXPECT_EQ(segment->GetBSPartitionType(0), 'N');
    EXPECT_EQ(segment->GetBSPartitionType(1), 'E');
    EXPECT_FALSE(segment->IsUpdatedBSPartitionType(0));
    EXPECT_EQ(segment->GetBSAutoIndexPartitionColumns(0), "CUSTNO");
    EXPECT_EQ(segment->GetBSTablePartitionColumns(0), "");
    segment->ClearBSPartitionType(1);
    EXPECT_EQ(segment->GetBSPartitionType(1), 'N');
}

TEST_F(PxNTUnixOptionsTest, PartitionRecordsHoldTheirOwnStorageOptions)
{
    PxUnixCompOptionsPtr component = Record<PxUnixCompOptions>("CUSTOMER");
    PxUnixOracleDBPartitionOptionsPtr partition = component->CreateSubOptions("TJAN");
    ASSERT_TRUE(partition);
    EXPECT_EQ(partition->GetOptionsType(), VQHostUnix);
    EXPECT_EQ(partition->GetOptionsKind(), PxOptionsKindComponent);

    partition->SetTablespace("JANPACK");
    partition->SetPercentFree(20);
    partition->MakeDefaultMaxTrans();
    partition->SetLessThanValue(0, "100");
    partition->SetLessThanValue(7, "ZZZ");
    EXPECT_THROW(partition->SetLessThanValue(8, "X"), PxException);
    EXPECT_THROW(partition->SetPercentUsed(100), PxException);
    EXPECT_TRUE(partition->IsDefaultMaxTrans());
    EXPECT_TRUE(partition->IsUpdatedMaxTrans());
    EXPECT_FALSE(partition->IsDefaultPercentFree());
    EXPECT_FALSE(component->IsUpdated());
    EXPECT_FALSE(component->IsUpdatedComponentPercentFree(0));

    PxUnixOracleDBPartitionOptionsPtr copy = Record<PxUnixProfileOptions>("CUSTBYNAME")->CreateSubOptions("TJAN");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetOptionsKind(), PxOptionsKindProfile);
    copy->SetMinExtents(5);
    copy->CopyData(partition);
    EXPECT_EQ(copy->GetTablespace(), "JANPACK");
    EXPECT_EQ(copy->GetPercentFree(), 20);
    EXPECT_TRUE(copy->IsDefaultMaxTrans());
    EXPECT_EQ(copy->GetLessThanValue(7), "ZZZ");
    EXPECT_FALSE(copy->IsUpdatedMinExtents());
}

// A record copied across host types takes the state of each option both platforms declare;
// the options only the target has hold nothing of their own; another kind is refused.
TEST_F(PxNTUnixOptionsTest, CopyingAcrossHostTypesConvertsTheSharedOptions)
{
    PxNTBSegOptionsPtr nt = Record<PxNTBSegOptions>();
    PxUnixBSegOptionsPtr unix = Record<PxUnixBSegOptions>();
    nt->SetIPCKey(1234);
    nt->MakeDefaultLogPack();
    nt->SetDefService("ORDERS");
    nt->SetEnableHDBA(1);
    unix->SetBSInitTrans(0, 5);
    unix->SetMaxServers(7);

    unix->CopyData(PxOptionsPtr(nt));
    EXPECT_EQ(unix->GetIPCKey(), 1234);
    EXPECT_TRUE(unix->IsUpdatedLogPack());
    EXPECT_TRUE(unix->IsDefaultLogPack());
    EXPECT_EQ(unix->GetDefService(), "ORDERS");
    EXPECT_FALSE(unix->IsUpdatedMaxServers());
    EXPECT_FALSE(unix->IsUpdatedBSInitTrans(0));

    unix->SetOLTPName("UNIXOLTP");
    nt->CopyData(PxOptionsPtr(unix));
    EXPECT_EQ(nt->GetOLTPName(), "UNIXOLTP");
    EXPECT_FALSE(nt->IsUpdatedEnableHDBA());

    EXPECT_THROW(unix->CopyData(PxOptionsPtr(Record<PxNTReportOptions>("MONTHLY"))), PxException);
    EXPECT_EQ(unix->GetIPCKey(), 1234);
}

TEST_F(PxNTUnixOptionsTest, ComponentRecordsKeepTheirOwnAndTheNeutralOptions)
{
    PxNTCompOptionsPtr nt = Record<PxNTCompOptions>("CUSTOMER");
    EXPECT_TRUE(PxNTIspecOptionsPtr(nt));
    nt->SetCompUserMaintained(1);
    nt->MakeDefaultClusterIndex();
    EXPECT_EQ(nt->GetClusterIndex(), nt->GetDefaultClusterIndex());
    EXPECT_TRUE(nt->IsUpdatedClusterIndex());
    nt->SetClusterIndex("CUSTBYNAME");
    nt->SetCompPack("COMPACK");
    EXPECT_EQ(nt->GetClusterIndex(), "CUSTBYNAME");
    EXPECT_EQ(nt->GetCompUserMaintained(), 1);
    EXPECT_EQ(nt->GetCompPack(), "COMPACK");
    EXPECT_FALSE(Record<PxUnixCompOptions>("CUSTOMER")->IsUpdated());

    PxUnixCompOptionsPtr unix = Record<PxUnixCompOptions>("CUSTOMER");
    unix->SetUnixMultiRecordMaxInIspecs(99);
    EXPECT_THROW(unix->SetUnixMultiRecordMaxInReports(100), PxException);
    unix->SetComponentPartitionType(0, 'L');
    unix->SetComponentTablePartitionColumns(7, "REGION");
    EXPECT_THROW(unix->SetComponentTablePartitionColumns(8, "REGION"), PxException);
    EXPECT_EQ(unix->GetComponentPartitionType(0), 'L');
    EXPECT_EQ(unix->GetComponentTablePartitionColumns(7), "REGION");
    EXPECT_THROW(unix->SetComponentPopulation(1, kEightDigits + 1), PxException);
    {
        PxInitialDataEmulationScope scope = unix->GetInitialDataEmulationScope();
        EXPECT_EQ(unix->GetUnixMultiRecordMaxInIspecs(), 0);
        EXPECT_EQ(unix->GetComponentPartitionType(0), 'N');
    }
    EXPECT_EQ(unix->GetUnixMultiRecordMaxInIspecs(), 99);
}

TEST_F(PxNTUnixOptionsTest, EventRecordsAreIspecRecordsOfTheirPlatform)
{
    PxNTEventOptionsPtr nt = Record<PxNTEventOptions>("EVENT");
    PxUnixEventOptionsPtr unix = Record<PxUnixEventOptions>("EVENT");
    EXPECT_TRUE(PxNTIspecOptionsPtr(nt));
    EXPECT_TRUE(PxUnixIspecOptionsPtr(unix));
    EXPECT_FALSE(PxNTCompOptionsPtr(nt));
    EXPECT_EQ(nt->GetOptionsKind(), PxOptionsKindEvent);
}

TEST_F(PxNTUnixOptionsTest, ProfileUserMaintainedMayBeMadeDefault)
{
    PxNTProfileOptionsPtr nt = Record<PxNTProfileOptions>("CUSTBYNAME");
    nt->MakeDefaultProfUserMaintained();
    EXPECT_EQ(nt->GetProfUserMaintained(), 0);
    EXPECT_EQ(nt->GetDefaultProfUserMaintained(), 0);
    EXPECT_TRUE(nt->IsDefaultProfUserMaintained());
    EXPECT_TRUE(nt->IsUpdatedProfUserMaintained());
    nt->SetProfUserMaintained(1);
    EXPECT_FALSE(nt->IsDefaultProfUserMaintained());

    PxUnixProfileOptionsPtr unix = Record<PxUnixProfileOptions>("CUSTBYNAME");
    unix->SetProfileMaxTrans(2, 12);
    unix->SetProfileOrdinateIndexPartitionColumns(0, "NAME");
    unix->SetProfilePartitionType(2, 'L');
    EXPECT_EQ(unix->GetProfileMaxTrans(2), 12);
    EXPECT_EQ(unix->GetProfileMaxTrans(1), 0);
    EXPECT_EQ(unix->GetProfileOrdinateIndexPartitionColumns(0), "NAME");
    EXPECT_TRUE(unix->IsUpdatedProfilePartitionType(2));
    EXPECT_THROW(unix->GetProfilePartitionType(3), PxException);
    EXPECT_FALSE(unix->IsUpdatedProfUserMaintained());
}

TEST_F(PxNTUnixOptionsTest, UnixReportsKeepRecordsPerBlockForEachExtractFile)
{
    PxUnixReportOptionsPtr report = Record<PxUnixReportOptions>("MONTHLY");
    report->SetExtractFileRecOrBlock(25, 40);
    report->MakeDefaultExtractFileRecOrBlock(3);
    EXPECT_EQ(report->GetExtractFileRecOrBlock(25), 40);
    EXPECT_EQ(report->GetExtractFileRecOrBlock(0), 0);
    EXPECT_TRUE(report->IsDefaultExtractFileRecOrBlock(3));
    EXPECT_TRUE(report->IsUpdatedExtractFileRecOrBlock(3));
    EXPECT_FALSE(report->IsUpdatedExtractFileRecOrBlock(0));
    EXPECT_THROW(report->SetExtractFileRecOrBlock(26, 1), PxException);

    EXPECT_TRUE(report->IsDefaultRollBackSegmentName());
    report->SetRollBackSegmentName("");
    EXPECT_FALSE(report->IsDefaultRollBackSegmentName());
    EXPECT_EQ(report->GetRollBackSegmentName(), "");
}

TEST_F(PxNTUnixOptionsTest, GlobalLogicsCompileSeparatelyPerPlatform)
{
    PxNTGLGOptionsPtr nt = Record<PxNTGLGOptions>("STARTUP");
    nt->SetSeparateCompile(1);
    EXPECT_EQ(nt->GetSeparateCompile(), 1);
    EXPECT_EQ(Record<PxUnixGLGOptions>("STARTUP")->GetSeparateCompile(), 0);
    nt->ClearSeparateCompile();
    EXPECT_FALSE(nt->IsUpdated());
}

} // namespace
