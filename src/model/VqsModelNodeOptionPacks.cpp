// The packs that each record class names, in the order the pack bookkeeping lists them.
#include "model/VqsModelNodeOption.h"

#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"

#include <sstream>
#include <string>

namespace {

const int kConfigDumps = 3;
const int kPopulations = 25;
const int kTarskTables = 7;
const int kExternDatabases = 2;

class PackAppender {
public:
    explicit PackAppender(VqsPackSpecList& packs) : m_packs(packs) {}

    void Always(const CString& name, int type = VQPackNotDefined)
    {
        m_packs.AddTail(VqsModelNode::PackSpec{name, type});
    }
    void When(bool condition, const CString& name, int type = VQPackNotDefined)
    {
        if (condition)
            Always(name, type);
    }
    void NotEmpty(const CString& name, int type = VQPackNotDefined) { When(!name.IsEmpty(), name, type); }

private:
    VqsPackSpecList& m_packs;
};

// The first word of each pair of the blank-separated mapping text.
void AppendMappedPacks(PackAppender& append, const CString& mapping)
{
    std::istringstream words{std::string(static_cast<const char*>(mapping))};
    std::string from;
    std::string to;
    while (words >> from) {
        append.Always(from.c_str());
        words >> to;
    }
}

// The segment's default pack or event set, left out when the repository cannot read it.
template <class Read>
void AppendReadable(PackAppender& append, Read read, int type)
{
    try {
        read(append, type);
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
    }
}

} // namespace

#define VQS_NOT_DEFAULT(record, Name) !(record)->IsDefault##Name(), (record)->Get##Name()

void VqsModelNodeOptionQSRBSeg::CollectPacks(VqsPackSpecList& packs)
{
    const PxQSRBSegOptionsPtr qsr = GetTypedOptions();
    PackAppender append(packs);
    append.Always(qsr->GetDefPack());
    append.When(VQS_NOT_DEFAULT(qsr, ObjPack));
    for (int index = 0; index < kExternDatabases; ++index)
        append.NotEmpty(qsr->GetExternDBpack(index));
    append.NotEmpty(qsr->GetKORAXpack());
    append.When(VQS_NOT_DEFAULT(qsr, EventSet));
    append.When(VQS_NOT_DEFAULT(qsr, ReorgPack));
    append.When(VQS_NOT_DEFAULT(qsr, LogPack));
    append.When(VQS_NOT_DEFAULT(qsr, ROCoutput));
    append.When(VQS_NOT_DEFAULT(qsr, ROCFileLocation));
    append.When(VQS_NOT_DEFAULT(qsr, BSExtractPack));
    append.When(VQS_NOT_DEFAULT(qsr, Audit));
    append.When(VQS_NOT_DEFAULT(qsr, DictPack));
    append.When(VQS_NOT_DEFAULT(qsr, DBPack));
    append.When(VQS_NOT_DEFAULT(qsr, StationInfo));
    append.NotEmpty(qsr->GetDupAudit());
    append.When(VQS_NOT_DEFAULT(qsr, AdhocInfo));
    append.NotEmpty(qsr->GetSecurityGuardPack());
    append.NotEmpty(qsr->GetGuardFilePack());
    append.NotEmpty(qsr->GetRDBGenSet());
    append.NotEmpty(qsr->GetModelBaseGenSet());
    append.When(!qsr->IsDefaultConfigDictPack() && !qsr->GetConfigDictPack().IsEmpty(), qsr->GetConfigDictPack());
    append.NotEmpty(qsr->GetGenWorkPack());
    append.NotEmpty(qsr->GetGenKORAXPack());
    for (int index = 0; index < kConfigDumps; ++index)
        append.When(qsr->GetConfigDumpKind(index) == PxConfigDumpKindOnPack && !qsr->GetConfigDumpPack(index).IsEmpty(),
                    qsr->GetConfigDumpPack(index));
    for (int index = 0; index < kPopulations; ++index)
        append.When(!qsr->IsDefaultPopulationPack(index), qsr->GetPopulationPack(index));
    append.When(!qsr->IsDefaultEventSecurityGuardPack() && !qsr->GetEventSecurityGuardPack().IsEmpty(),
                qsr->GetEventSecurityGuardPack());
    AppendMappedPacks(append, qsr->GetPackMapping());
}

void VqsModelNodeOptionNTBSeg::CollectPacks(VqsPackSpecList& packs)
{
    const PxNTBSegOptionsPtr nt = GetTypedOptions();
    PackAppender append(packs);
    AppendReadable(append, [&](PackAppender& to, int type) { to.Always(nt->GetDefPack(), type); }, VQPackTablespace);
    append.When(nt->GetEnableOLTP() && !nt->GetOLTPOnPack().IsEmpty(), nt->GetOLTPOnPack(), VQPackPath);
    AppendReadable(
        append, [&](PackAppender& to, int type) { to.When(VQS_NOT_DEFAULT(nt, EventSet), type); }, VQPackTablespace);
    append.NotEmpty(nt->GetReorgPack(), VQPackPath);
    append.When(VQS_NOT_DEFAULT(nt, LogPack), VQPackPath);
    append.When(VQS_NOT_DEFAULT(nt, ROCoutput), VQPackPath);
    append.NotEmpty(nt->GetBSExtractPack(), VQPackPath);
}

void VqsModelNodeOptionUnixBSeg::CollectPacks(VqsPackSpecList& packs)
{
    const PxUnixBSegOptionsPtr unix = GetTypedOptions();
    PackAppender append(packs);
    append.Always(unix->GetDefPack(), VQPackTablespace);
    append.NotEmpty(unix->GetObjPack(), VQPackPath);
    append.When(unix->GetEnableOLTP() && !unix->GetOLTPOnPack().IsEmpty(), unix->GetOLTPOnPack(), VQPackPath);
    append.When(VQS_NOT_DEFAULT(unix, EventSet), VQPackTablespace);
    append.NotEmpty(unix->GetReorgPack(), VQPackPath);
    append.When(VQS_NOT_DEFAULT(unix, LogPack), VQPackPath);
    append.When(VQS_NOT_DEFAULT(unix, ROCoutput), VQPackPath);
    append.NotEmpty(unix->GetBSExtractPack(), VQPackPath);
}

void VqsModelNodeOptionTarskBSeg::CollectPacks(VqsPackSpecList& packs)
{
    const PxTarskBSegOptionsPtr tarsk = GetTypedOptions();
    PackAppender append(packs);
    append.Always(tarsk->GetDefPack());
    append.When(VQS_NOT_DEFAULT(tarsk, ObjPack));
    append.NotEmpty(tarsk->GetDefaultDuplexPack());
    append.When(VQS_NOT_DEFAULT(tarsk, DBPack));
    append.When(VQS_NOT_DEFAULT(tarsk, WorkPack));
    for (int index = 0; index < kTarskTables; ++index) {
        append.When(!tarsk->IsDefaultSysTablePack(index), tarsk->GetSysTablePack(index));
        append.When(!tarsk->IsDefaultSysTableQUB(index) && !tarsk->IsDefaultSysTableDuplexPack(index),
                    tarsk->GetSysTableDuplexPack(index));
    }
    for (int index = 0; index < kTarskTables; ++index) {
        append.When(!tarsk->IsDefaultPCETablePack(index), tarsk->GetPCETablePack(index));
        append.When(!tarsk->IsDefaultPCETableQUB(index) && !tarsk->IsDefaultPCETableDuplexPack(index),
                    tarsk->GetPCETableDuplexPack(index));
    }
}

void VqsModelNodeOptionNTComp::CollectPacks(VqsPackSpecList& packs)
{
    PackAppender(packs).When(VQS_NOT_DEFAULT(GetCompOptions(), CompPack), VQPackTablespace);
}

void VqsModelNodeOptionUnixComp::CollectPacks(VqsPackSpecList& packs)
{
    PackAppender(packs).When(VQS_NOT_DEFAULT(GetCompOptions(), CompPack), VQPackTablespace);
}

void VqsModelNodeOptionQSRComp::CollectPacks(VqsPackSpecList& packs)
{
    const PxQSRCompOptionsPtr qsr = GetTypedOptions();
    PackAppender append(packs);
    append.When(!qsr->IsDefaultCompPack() && !qsr->GetCompPack().IsEmpty(), qsr->GetCompPack());
    append.When(!qsr->IsDefaultIspecSecurityGuardPack() && !qsr->GetIspecSecurityGuardPack().IsEmpty(),
                qsr->GetIspecSecurityGuardPack());
}

void VqsModelNodeOptionTarskComp::CollectPacks(VqsPackSpecList& packs)
{
    const PxTarskCompOptionsPtr tarsk = GetTypedOptions();
    PackAppender append(packs);
    append.When(VQS_NOT_DEFAULT(tarsk, CompPack));
    append.When(!tarsk->IsDefaultWEXQUBno() && !tarsk->IsDefaultQUBDuplexPack(), tarsk->GetQUBDuplexPack());
}

void VqsModelNodeOptionReport::CollectPacks(VqsPackSpecList& packs)
{
    const int hostType = QueryOptionsType();
    const int type = hostType == VQHostNT || hostType == VQHostUnix ? VQPackPath : VQPackNotDefined;
    PackAppender(packs).When(VQS_NOT_DEFAULT(GetReportOptions(), ExtractPack), type);
}

void VqsModelNodeOptionNTProfile::CollectPacks(VqsPackSpecList& packs)
{
    PackAppender(packs).When(VQS_NOT_DEFAULT(GetProfileOptions(), Pack), VQPackTablespace);
}

void VqsModelNodeOptionUnixProfile::CollectPacks(VqsPackSpecList& packs)
{
    PackAppender(packs).When(VQS_NOT_DEFAULT(GetProfileOptions(), Pack), VQPackTablespace);
}

void VqsModelNodeOptionQSRProfile::CollectPacks(VqsPackSpecList& packs)
{
    PackAppender(packs).When(VQS_NOT_DEFAULT(GetProfileOptions(), Pack));
}

void VqsModelNodeOptionTarskProfile::CollectPacks(VqsPackSpecList& packs)
{
    const PxTarskProfileOptionsPtr tarsk = GetTypedOptions();
    PackAppender append(packs);
    append.When(VQS_NOT_DEFAULT(tarsk, Pack));
    append.When(!tarsk->GetProfileNoDuplex() && !tarsk->IsDefaultProfileWEXQUBno() &&
                    !tarsk->IsDefaultProfileQUBDuplexPack(),
                tarsk->GetProfileQUBDuplexPack());
}

#undef VQS_NOT_DEFAULT
