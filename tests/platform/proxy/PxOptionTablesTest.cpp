// The field tables of every record class, walked on real records: each row must make sense
// on its own (a unique name, a default that can be read, within its limits and length, taken
// from an option of the same kind), and the values the option pages fix must be the rows'.
#include "PxPlatformRecords.h"

#include "proxy/PxClass.h"
#include "proxy/PxException.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Where(const PxOptionsPtr& record, const PxOptionField& field)
{
    return std::string(record->GetClassName().GetString()) + "::" + field.name;
}

const PxOptionField* FieldOf(const PxOptionsPtr& record, const std::string& name)
{
    for (const PxOptionField* field : record->GetOptionFields())
        if (name == field->name)
            return field;
    return nullptr;
}

// The first option a default rule names that the record declares (the engine's choice).
const PxOptionField* Source(const PxOptionsPtr& record, const char* names)
{
    std::stringstream list(names);
    for (std::string name; std::getline(list, name, ',');)
        if (const PxOptionField* field = FieldOf(record, name.substr(0, name.find('['))))
            return field;
    return nullptr;
}

bool IsText(const PxOptionField& field) { return field.type == PxOptionType::Text; }

int Values(const PxOptionField& field) { return field.indexCount == 0 ? 1 : field.indexCount; }

class PxOptionTablesTest : public ::testing::Test {
protected:
    // The Tarsk and QSR records, with the platform-neutral options they carry.
    std::vector<PxOptionsPtr> Records() const { return m_records.Records({VQHostNT, VQHostQSR, VQHostTarsk, VQHostUnix}); }

    PxPlatformRecords m_records;
};

TEST_F(PxOptionTablesTest, EveryRecordNamesEachOptionOnce)
{
    for (const PxOptionsPtr& record : Records()) {
        std::set<std::string> names;
        for (const PxOptionField* field : record->GetOptionFields())
            EXPECT_TRUE(names.insert(field->name).second) << Where(record, *field);
    }
}

TEST_F(PxOptionTablesTest, EveryDefaultCanBeReadAndFitsItsLimitsAndLength)
{
    for (const PxOptionsPtr& record : Records()) {
        for (const PxOptionField* field : record->GetOptionFields()) {
            SCOPED_TRACE(Where(record, *field));
            if (field->lower.present && field->upper.present) {
                EXPECT_LE(field->lower.value, field->upper.value);
            }
            if (field->initial.rule == PxOptionDefault::None) {
                EXPECT_THROW(record->GetOptionValueText(*field, 0), PxExceptionDefOption);
                continue;
            }
            for (int index = 0; index < Values(*field); ++index) {
                CString value;
                ASSERT_NO_THROW(value = record->GetOptionValueText(*field, index)) << "index " << index;
                if (IsText(*field)) {
                    if (field->maxLength > 0) {
                        EXPECT_LE(static_cast<unsigned>(value.GetLength()), field->maxLength) << "index " << index;
                    }
                    continue;
                }
                std::int64_t number = std::strtoll(value.GetString(), nullptr, 10);
                if (field->lower.present) {
                    EXPECT_GE(number, field->lower.value) << "index " << index;
                }
                if (field->upper.present) {
                    EXPECT_LE(number, field->upper.value) << "index " << index;
                }
            }
        }
    }
}

TEST_F(PxOptionTablesTest, DefaultsTakenFromOtherOptionsTakeThemFromOptionsOfTheSameKind)
{
    for (const PxOptionsPtr& record : Records()) {
        for (const PxOptionField* field : record->GetOptionFields()) {
            const PxOptionDefault& initial = field->initial;
            PxOptionsPtr giver;
            if (initial.rule == PxOptionDefault::FromOption)
                giver = record;
            else if (initial.rule == PxOptionDefault::FromSegment)
                giver = m_records.Record("SALES", record->GetOptionsType());
            else
                continue;
            const PxOptionField* source = Source(giver, initial.text);
            if (!source) {
                ADD_FAILURE() << Where(record, *field) << " takes its default from " << initial.text;
                continue;
            }
            EXPECT_EQ(IsText(*source), IsText(*field)) << Where(record, *field) << " from " << source->name;
        }
    }
}

TEST_F(PxOptionTablesTest, ListedDefaultsHoldOneNumberPerIndex)
{
    for (const PxOptionsPtr& record : Records()) {
        for (const PxOptionField* field : record->GetOptionFields()) {
            if (field->initial.rule != PxOptionDefault::ByIndex)
                continue;
            std::istringstream list(field->initial.text);
            int count = 0;
            for (long long number; list >> number;)
                ++count;
            EXPECT_TRUE(list.eof()) << Where(record, *field);
            EXPECT_EQ(count, Values(*field)) << Where(record, *field);
        }
    }
}

TEST_F(PxOptionTablesTest, AliasesNameIndexesTheirRowHas)
{
    std::set<const PxOptionTable*> tables;
    for (const PxOptionsPtr& record : Records())
        for (const PxClassInfo* info = &record->GetClassInfo(); info; info = info->base)
            if (info->options)
                tables.insert(info->options);
    int aliases = 0;
    for (const PxOptionTable* table : tables) {
        for (std::size_t i = 0; i < table->count; ++i) {
            const PxOptionField& field = *table->fields[i];
            if (!field.aliasOf)
                continue;
            ++aliases;
            EXPECT_TRUE(std::find(table->fields, table->fields + table->count, field.aliasOf) != table->fields + table->count)
                << field.name;
            EXPECT_GE(field.aliasOffset, 0) << field.name;
            EXPECT_LE(field.aliasOffset + field.indexCount, field.aliasOf->indexCount) << field.name;
        }
    }
    EXPECT_GE(aliases, 2);
}

// What the option pages fix of an option, checked on a blank record of the class.
struct Fixed {
    const char* record;
    const char* option;
    int count = 0;                        // values of an indexed option; 0: not checked
    int index = 0;                        // the index whose default is `value`
    const char* value = nullptr;          // the default as value text; null: not checked
    std::optional<std::int64_t> upper{};  // the upper limit
    unsigned maxLength = 0;               // 0: not checked
};

const Fixed kFixed[] = {
    {"PxTarskCompOptions", "SOMName", 0, 0, "GROUP1", {}, 6},
    {"PxTarskEventOptions", "SOMName", 0, 0, "GROUP1", {}, 6},
    {"PxTarskGLGOptions", "GLGSOMName", 0, 0, "GROUP1", {}, 6},
    {"PxTarskBSegOptions", "SysTablePopulation", 7, 0, "10000"},
    {"PxTarskBSegOptions", "SysTablePopulation", 7, 2, "4000"},
    {"PxTarskBSegOptions", "SysTablePopulation", 7, 6, "5000"},
    {"PxTarskBSegOptions", "PCETablePopulation", 7, 1, "100000"},
    {"PxTarskBSegOptions", "PCETablePopulation", 7, 6, "100"},
    {"PxTarskBSegOptions", "SysTablePack", 7},
    {"PxTarskBSegOptions", "SysTableDuplexPack", 7},
    {"PxTarskBSegOptions", "PCETablePack", 7},
    {"PxTarskBSegOptions", "PCETableDuplexPack", 7},
    {"PxTarskBSegOptions", "sysTablePageSize", 14, 3, "448"},
    {"PxTarskBSegOptions", "sysTablePageSize", 14, 8, "1792"},
    {"PxTarskBSegOptions", "sysTablePageSize", 14, 13, "3584"},
    {"PxTarskBSegOptions", "sysTableQub2", 14, 0, "0"},
    {"PxTarskBSegOptions", "sysMaxPages", 14},
    {"PxTarskBSegOptions", "sysTableInitialReserve", 14, 4, "100"},
    {"PxTarskBSegOptions", "sysTableLoadFactor", 14, 4, "80"},
    {"PxTarskBSegOptions", "sysTableDataPageFactor", 14, 0, "1"},
    {"PxTarskBSegOptions", "sysTableDataPageFactor", 14, 1, "100"},
    {"PxTarskBSegOptions", "sysTableIndexPageFactor", 14, 0, "100"},
    {"PxTarskBSegOptions", "sysTableMergeFactor", 14, 0, "40"},
    {"PxTarskBSegOptions", "BSPageLevelLocking", 14, 0, "0"},
    {"PxTarskBSegOptions", "BSPageLevelLocking", 14, 13, "1"},
    {"PxTarskBSegOptions", "BSCompression", 14, 6, "1"},
    {"PxTarskBSegOptions", "BSMaxPagesSpecified", 14, 5, "0"},
    {"PxTarskBSegOptions", "BSAudited", 14, 0, "0"},
    {"PxTarskBSegOptions", "BSKeepAssigned", 14, 0, "0"},
    {"PxTarskBSegOptions", "CodeSetTranslationNumber", 0, 0, "0"},
    {"PxTarskReportOptions", "ExtractFileUse", 26},
    {"PxTarskReportOptions", "ExtractFileKind", 26},
    {"PxTarskReportOptions", "RecordFormat", 26},
    {"PxTarskReportOptions", "ExtractFileExpected", 26},
    {"PxTarskReportOptions", "ExtractFileRecOrBlock", 26},
    {"PxTarskReportOptions", "ExtractFileDevice", 26},
    {"PxTarskReportOptions", "ExtractFileFormatType", 26},
    {"PxTarskProfileOptions", "Percent", 0, 0, nullptr, 100},
    {"PxQSRBSegOptions", "AuditTrail", 0, 0, "", {}, 660},
    {"PxQSRBSegOptions", "DefServices", 10, 0, nullptr, {}, 15},
    {"PxQSRBSegOptions", "ExternDBuser", 2},
    {"PxQSRBSegOptions", "ExternDBname", 2},
    {"PxQSRBSegOptions", "ExternDBpack", 2},
    {"PxQSRBSegOptions", "ConfigDumpName", 3},
    {"PxQSRBSegOptions", "ConfigDumpKind", 3},
    {"PxQSRBSegOptions", "ConfigDumpCycle", 3},
    {"PxQSRBSegOptions", "PopulationTOLVE", 25, 0, "100000", 9999999999},
    {"PxQSRBSegOptions", "PopulationTOLVE", 25, 1, "2048"},
    {"PxQSRBSegOptions", "PopulationTOLVE", 25, 3, "65536"},
    {"PxQSRBSegOptions", "PopulationTOLVE", 25, 8, "99000"},
    {"PxQSRBSegOptions", "PopulationTOLVE", 25, 19, "500"},
    {"PxQSRBSegOptions", "PopulationTOLVE", 25, 20, "50000"},
    {"PxQSRBSegOptions", "PopuIncreaseTOLVE", 25},
    {"PxQSRBSegOptions", "PopuWarnTOLVE", 25},
    {"PxQSRBSegOptions", "PopulationPack", 25},
    {"PxQSRBSegOptions", "EventPercentage", 0, 0, "100", 100},
    {"PxQSRCompOptions", "Percentage", 0, 0, "100", 100},
    {"PxQSRCompOptions", "SubsystemNum", 0, 0, "1"},
    {"PxQSRCompOptions", "Expected", 0, 0, "100"},
    {"PxQSREventOptions", "Volume", 0, 0, "1000"},
    {"PxQSRReportOptions", "ExtractFileRecOrBlock", 26},
    {"PxQSRReportOptions", "ExtractFileLabelled", 26},
    {"PxQSRCompOptions", "Service", 0, 0, nullptr, {}, 15},
};

TEST_F(PxOptionTablesTest, TheRowsHoldWhatThePagesFix)
{
    std::vector<PxOptionsPtr> records = Records();
    for (const Fixed& fixed : kFixed) {
        SCOPED_TRACE(std::string(fixed.record) + "::" + fixed.option);
        auto record = std::find_if(records.begin(), records.end(),
                                   [&](const PxOptionsPtr& r) { return r->_IsA(fixed.record); });
        ASSERT_NE(record, records.end());
        const PxOptionField* field = FieldOf(*record, fixed.option);
        ASSERT_TRUE(field);
        if (fixed.count > 0) {
            EXPECT_EQ(field->indexCount, fixed.count);
        }
        if (fixed.value) {
            EXPECT_EQ((*record)->GetOptionValueText(*field, fixed.index), fixed.value) << "index " << fixed.index;
        }
        if (fixed.upper) {
            EXPECT_TRUE(field->upper.present);
            EXPECT_EQ(field->upper.value, *fixed.upper);
        }
        if (fixed.maxLength > 0) {
            EXPECT_EQ(field->maxLength, fixed.maxLength);
        }
    }
}

} // namespace
