// A few options of every Tarsk, QSR and platform-neutral record, through their typed
// accessors: defaults and the options they follow, own values, default choices, limits,
// lengths and index ranges.
#include "PxPlatformRecords.h"

#include "proxy/PxException.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxQSRCompOptions.h"
#include "proxy/PxQSREventOptions.h"
#include "proxy/PxQSRGLGOptions.h"
#include "proxy/PxQSRProfileOptions.h"
#include "proxy/PxQSRReportOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"
#include "proxy/PxVQTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PxPlatformOptionsTest : public ::testing::Test {
protected:
    PxPlatformOptionsTest()
        : m_tarsk(m_records.Record("SALES", VQHostTarsk)), m_qsr(m_records.Record("SALES", VQHostQSR))
    {
    }

    PxPlatformRecords m_records;
    PxTarskBSegOptionsPtr m_tarsk;
    PxQSRBSegOptionsPtr m_qsr;
};

TEST_F(PxPlatformOptionsTest, TheNeutralSegmentOptionsAreOneStateOfThePlatformRecord)
{
    PxBSegOptionsPtr segment = m_tarsk;
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->GetTransTimeout(), 0);
    EXPECT_FALSE(segment->IsUpdatedTransTimeout());
    segment->SetTransTimeout(30);
    EXPECT_EQ(m_tarsk->GetTransTimeout(), 30);
    EXPECT_TRUE(m_tarsk->IsUpdated());
    EXPECT_THROW(segment->SetTransTimeout(10000), PxException);
    EXPECT_THROW(segment->SetTransTimeout(-1), PxException);
    EXPECT_EQ(segment->GetTransTimeout(), 30);
    segment->MakeDefaultTransTimeout();
    EXPECT_TRUE(segment->IsDefaultTransTimeout());
    EXPECT_TRUE(segment->IsUpdatedTransTimeout());

    std::int64_t limit = 0;
    EXPECT_TRUE(segment->HasUpperLimitHDBAPortNumber(limit));
    EXPECT_EQ(limit, 9999);
    EXPECT_EQ(segment->GetMaxLengthPCELevel(), 4u);
    segment->SetPCELevel("2R1A");
    EXPECT_THROW(segment->SetPCELevel("3R4XX"), PxException);
    segment->SetClientServer(2);
    EXPECT_EQ(segment->GetClientServer(), 2);
    EXPECT_EQ(segment->GetAsSys(), "SALES");
    EXPECT_FALSE(PxBSegOptionsPtr(m_qsr)->IsUpdatedClientServer());
}

TEST_F(PxPlatformOptionsTest, TarskPacksFollowTheDefaultPackAndTheElementsFollowTheSegment)
{
    m_tarsk->SetDefPack("DISK1");
    EXPECT_EQ(m_tarsk->GetObjPack(), "DISK1");
    EXPECT_EQ(m_tarsk->GetWorkPack(), "DISK1");
    EXPECT_EQ(m_tarsk->GetDefaultDBPack(), "DISK1");
    m_tarsk->SetObjPack("OBJ");
    EXPECT_EQ(m_tarsk->GetWorkPack(), "OBJ");
    EXPECT_EQ(m_tarsk->GetDBPack(), "DISK1");
    m_tarsk->SetDBPack("DB");
    EXPECT_EQ(m_tarsk->GetSysTablePack(6), "DB");
    EXPECT_EQ(m_tarsk->GetPCETablePack(6), "DB");
    EXPECT_THROW(m_tarsk->GetSysTablePack(7), PxException);
    m_tarsk->SetDefaultDuplexPack("DUP");
    EXPECT_EQ(m_tarsk->GetSysTableDuplexPack(0), "DUP");
    m_tarsk->SetROCusesDB(1);

    PxTarskCompOptionsPtr component = m_records.Record("CUSTOMER", VQHostTarsk);
    PxTarskProfileOptionsPtr profile = m_records.Record("CUSTBYNAME", VQHostTarsk);
    PxTarskReportOptionsPtr report = m_records.Record("MONTHLY", VQHostTarsk);
    EXPECT_EQ(component->GetCompPack(), "DB");
    EXPECT_EQ(component->GetQUBDuplexPack(), "DUP");
    EXPECT_EQ(profile->GetPack(), "DB");
    EXPECT_EQ(profile->GetDefaultProfileQUBDuplexPack(), "DUP");
    EXPECT_EQ(report->GetExtractPack(), "DISK1");
    EXPECT_EQ(report->GetReportROCusesDB(), 1);
    report->SetReportROCusesDB(0);
    EXPECT_EQ(report->GetDefaultReportROCusesDB(), 1);
}

TEST_F(PxPlatformOptionsTest, TarskSystemTablesHaveDefaultsPerSlotLimitsForAllAndQubNumbersByTwoNames)
{
    EXPECT_EQ(m_tarsk->GetsysTablePageSize(5), 0);
    EXPECT_EQ(m_tarsk->GetsysTablePageSize(7), 3584);
    EXPECT_EQ(m_tarsk->GetBSPageLevelLocking(0), 0);
    EXPECT_EQ(m_tarsk->GetBSPageLevelLocking(1), 1);
    std::int64_t limit = 0;
    EXPECT_TRUE(m_tarsk->HasUpperLimitsysTableQub2(limit));
    EXPECT_EQ(limit, 999999);
    EXPECT_THROW(m_tarsk->SetsysTableQub2(3, 1000000), PxException);
    EXPECT_THROW(m_tarsk->SetsysTableQub2(14, 1), PxException);

    m_tarsk->SetsysTableQub2(2, 77);
    EXPECT_EQ(m_tarsk->GetSysTableQUB(2), 77);
    m_tarsk->SetPCETableQUB(0, 12);
    EXPECT_EQ(m_tarsk->GetsysTableQub2(7), 12);
    EXPECT_FALSE(m_tarsk->IsDefaultPCETableQUB(0));
    EXPECT_TRUE(m_tarsk->IsDefaultPCETableQUB(1));
    EXPECT_THROW(m_tarsk->GetPCETableQUB(7), PxException);
    EXPECT_TRUE(m_tarsk->HasUpperLimitPCETableQUB(limit));
    EXPECT_EQ(limit, 999999);

    m_tarsk->SetBSAudited(4, PxBSAuditedNo);
    EXPECT_EQ(m_tarsk->GetBSAudited(4), PxBSAuditedNo);
    EXPECT_EQ(m_tarsk->GetBSAudited(3), PxBSAuditedDefault);
    m_tarsk->SetRecovery(PxRecoveryDeferredUpdate);
    EXPECT_EQ(m_tarsk->GetRecovery(), PxRecoveryDeferredUpdate);
    m_tarsk->SetLDelim('<');
    EXPECT_EQ(m_tarsk->GetLDelim(), '<');
}

TEST_F(PxPlatformOptionsTest, TarskElementRecords)
{
    PxTarskCompOptionsPtr component = m_records.Record("CUSTOMER", VQHostTarsk);
    EXPECT_EQ(component->GetSOMName(), "GROUP1");
    EXPECT_THROW(component->SetSOMName("GROUP12"), PxException);
    component->SetSOMName("MOD1");
    component->MakeDefaultSOMName();
    EXPECT_EQ(component->GetSOMName(), "GROUP1");
    EXPECT_EQ(component->GetExpected(), 100);
    EXPECT_EQ(component->GetCompLoadFactor(), 80);
    EXPECT_THROW(component->SetCompLoadFactor(101), PxException);
    component->SetCompAudited(PxBSAuditedYes);
    EXPECT_EQ(component->GetCompAudited(), PxBSAuditedYes);

    PxTarskEventOptionsPtr event = m_records.Record("EVENT", VQHostTarsk);
    EXPECT_EQ(event->GetVolume(), 1000);
    EXPECT_EQ(PxTarskIspecOptionsPtr(event)->GetSOMName(), "GROUP1");
    PxOptionsPtr direct = m_records.Record("DIRECT", VQHostTarsk);
    EXPECT_TRUE(direct->_IsA("PxTarskCompOptions"));
    PxTarskIspecOptionsPtr(direct)->SetUserPrivilege(99);
    EXPECT_THROW(PxTarskIspecOptionsPtr(direct)->SetUserPrivilege(100), PxException);

    PxTarskProfileOptionsPtr profile = m_records.Record("CUSTBYNAME", VQHostTarsk);
    EXPECT_THROW(profile->SetPercent(101), PxException);
    profile->SetPercent(100);
    profile->SetProMaxPagesSpecify(1);
    EXPECT_FALSE(profile->IsUpdatedProfileNoDuplex());

    PxTarskReportOptionsPtr report = m_records.Record("MONTHLY", VQHostTarsk);
    report->SetExtractFileDevice(25, "TAPE9");
    report->SetExtractFileUse(25, 1);
    EXPECT_EQ(report->GetExtractFileDevice(25), "TAPE9");
    EXPECT_THROW(report->SetExtractFileDevice(26, "TAPE9"), PxException);
    EXPECT_THROW(report->GetExtractFileKind(-1), PxException);
    EXPECT_FALSE(report->IsUpdatedExtractFileUse(24));

    PxTarskGLGOptionsPtr logic = m_records.Record("STARTUP", VQHostTarsk);
    EXPECT_EQ(logic->GetGLGSOMName(), "GROUP1");
    EXPECT_EQ(logic->GetMaxLengthGLGSOMName(), 6u);
    logic->SetSeparateCompile(1);
    EXPECT_TRUE(logic->IsUpdated());
}

TEST_F(PxPlatformOptionsTest, QsrPacksFormATreeRootedInTheDefaultPack)
{
    m_qsr->SetDefPack("ROOT");
    int followers = 0;
    for (const char* pack : {"DictPack", "DBPack", "ReorgPack", "ObjPack", "BSExtractPack", "Audit", "LogPack",
                             "EventSet", "ROCoutput", "ROCFileLocation", "StationInfo", "AdhocInfo"}) {
        for (const PxOptionField* field : m_qsr->GetOptionFields()) {
            if (std::string(field->name) == pack) {
                EXPECT_EQ(m_qsr->GetOptionValueText(*field, 0), "ROOT") << pack;
                ++followers;
            }
        }
    }
    EXPECT_EQ(followers, 12);
    EXPECT_EQ(m_qsr->GetDupAudit(), "");
    m_qsr->SetDictPack("DICT");
    m_qsr->SetDBPack("DB");
    EXPECT_EQ(m_qsr->GetLogPack(), "DICT");
    EXPECT_EQ(m_qsr->GetReorgPack(), "ROOT");
    EXPECT_EQ(m_qsr->GetAdhocInfo(), "DB");
    EXPECT_EQ(m_qsr->GetEventMemoDataPack(), "DB");
    m_qsr->SetAudit("AUD");
    EXPECT_EQ(m_qsr->GetLogPack(), "AUD");
    EXPECT_EQ(m_qsr->GetObjPack(), "DICT");
    EXPECT_EQ(m_qsr->GetMaxLengthROCoutput(), 17u);
    EXPECT_THROW(m_qsr->SetROCoutput("A-PACK-NAME-TOO-LONG"), PxException);

    PxQSRCompOptionsPtr component = m_records.Record("CUSTOMER", VQHostQSR);
    EXPECT_EQ(component->GetCompPack(), "DB");
    EXPECT_EQ(component->GetMemoDataPack(), "DB");
    component->SetCompPack("OWN");
    EXPECT_EQ(component->GetMemoDataPack(), "OWN");
    EXPECT_EQ(PxQSRProfileOptionsPtr(m_records.Record("CUSTBYNAME", VQHostQSR))->GetPack(), "DB");
}

TEST_F(PxPlatformOptionsTest, QsrEventAndElementTolveOptionsFollowTheDefaultTolveOptions)
{
    m_qsr->SetDataSetBuffers(40);
    m_qsr->SetSetBuffers(9);
    m_qsr->SetSetBuffersPUser(3);
    m_qsr->SetReblockFactor(8);
    m_qsr->SetPopulationIncrease(12);
    m_qsr->SetCheckSum(1);
    EXPECT_EQ(m_qsr->GetEventBuffers(), 40);
    EXPECT_EQ(m_qsr->GetEventReblockFactor(), 8);
    EXPECT_EQ(m_qsr->GetPopuIncreaseTOLVE(24), 12);
    EXPECT_EQ(m_qsr->GetEventCheckSum(), 1);
    m_qsr->SetEventBuffers(5);
    m_qsr->SetDataSetBuffers(50);
    EXPECT_EQ(m_qsr->GetEventBuffers(), 5);
    EXPECT_EQ(m_qsr->GetDefaultEventBuffers(), 50);
    EXPECT_EQ(m_qsr->GetEventPercentage(), 100);
    EXPECT_EQ(m_qsr->GetEventMemoDataUseDef(), 1);

    PxQSRCompOptionsPtr component = m_records.Record("CUSTOMER", VQHostQSR);
    EXPECT_EQ(component->GetBuffers(), 50);
    EXPECT_EQ(component->GetIspecCheckSum(), 1);
    EXPECT_EQ(component->GetIspecReblockFactor(), 8);
    EXPECT_EQ(component->GetPercentage(), 100);
    EXPECT_EQ(component->GetSubsystemNum(), "1");
    EXPECT_THROW(component->SetBuffersPUser(1000), PxException);
    PxQSRProfileOptionsPtr profile = m_records.Record("CUSTBYNAME", VQHostQSR);
    EXPECT_EQ(profile->GetProfileBuffersPUser(), 3);
    profile->SetDupOrder(PxDupOrderNoSpecificOrder);
    profile->SetMemoryResident(PxMemoryResidentAll);
    EXPECT_EQ(profile->GetMemoryResident(), PxMemoryResidentAll);
    profile->SetSectionDefinition(std::string(760, 'S').c_str());
    EXPECT_EQ(profile->GetSectionDefinition().GetLength(), 760);
}

TEST_F(PxPlatformOptionsTest, QsrSegmentIndexedOptionsEnumerationsAndAnOptionWithoutDefault)
{
    EXPECT_EQ(m_qsr->GetPopulationTOLVE(3), 65536);
    EXPECT_THROW(m_qsr->SetPopulationTOLVE(25, 1), PxException);
    m_qsr->SetPopulationTOLVE(3, 199600);
    m_qsr->SetDefServices(9, "SERVICE10");
    EXPECT_THROW(m_qsr->SetDefServices(10, "S"), PxException);
    m_qsr->SetExternDBpack(1, "EXT");
    EXPECT_EQ(m_qsr->GetExternDBpack(0), "");
    m_qsr->SetConfigDumpKind(2, PxConfigDumpKindOnPack);
    EXPECT_EQ(m_qsr->GetConfigDumpKind(2), PxConfigDumpKindOnPack);
    EXPECT_EQ(m_qsr->GetConfigDumpKind(1), PxConfigDumpKindOnTape);
    EXPECT_THROW(m_qsr->GetConfigDumpKind(3), PxException);
    std::int64_t limit = 0;
    EXPECT_TRUE(m_qsr->HasUpperLimitConfigDumpCycle(limit));
    EXPECT_EQ(limit, 999999);
    m_qsr->SetCopyAudit2tape(PxCopyAudit2tapeUserDefined);
    EXPECT_THROW(m_qsr->SetAuditTrail(std::string(661, 'A').c_str()), PxException);
    m_qsr->SetAuditTrail(std::string(660, 'A').c_str());

    EXPECT_THROW(m_qsr->GetConfigExistingDB(), PxExceptionDefOption);
    m_qsr->SetConfigExistingDB(2);
    EXPECT_EQ(m_qsr->GetConfigExistingDB(), 2);
    m_qsr->ClearConfigExistingDB();
    EXPECT_THROW(m_qsr->GetConfigExistingDB(), PxExceptionDefOption);
}

TEST_F(PxPlatformOptionsTest, QsrEventReportAndLogicRecords)
{
    PxQSREventOptionsPtr event = m_records.Record("EVENT", VQHostQSR);
    EXPECT_EQ(event->GetVolume(), 1000);
    EXPECT_EQ(event->GetService(), "");
    m_qsr->SetDefServices(0, "FIRST");
    EXPECT_EQ(event->GetService(), "FIRST");
    EXPECT_EQ(event->GetMaxLengthService(), 15u);
    event->SetSubsystemNum("LSS");
    EXPECT_EQ(PxQSRIspecOptionsPtr(event)->GetSubsystemNum(), "LSS");
    m_tarsk->SetDefService("TARSKSVC");
    EXPECT_EQ(PxIspecOptionsPtr(m_records.Record("EVENT", VQHostTarsk))->GetService(), "TARSKSVC");

    PxQSRReportOptionsPtr report = m_records.Record("MONTHLY", VQHostQSR);
    EXPECT_EQ(report->GetReportROCusesDB(), 0);
    m_qsr->SetROCusesDB(1);
    EXPECT_EQ(report->GetReportROCusesDB(), 1);
    report->SetExtractFileRecOrBlock(3, 40);
    EXPECT_THROW(report->SetExtractFileRecOrBlock(3, 1000), PxException);
    EXPECT_EQ(report->GetExtractFileRecOrBlock(3), 40);
    report->MakeDefaultSortDiskSize();
    EXPECT_TRUE(report->IsDefaultSortDiskSize());

    PxQSRGLGOptionsPtr logic = m_records.Record("STARTUP", VQHostQSR);
    ASSERT_TRUE(logic);
    EXPECT_TRUE(logic->GetOptionFields().empty());
}

} // namespace
