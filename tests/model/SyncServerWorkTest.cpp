// Synchronising on a PostgreSQL server: the links a synchronisation deletes are locked and
// released together, their option lists read together, so that the server transactions and
// reads it makes do not grow with them.
#include "../shell/ShellTestSupport.h"

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxHandle.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "support/PgTestServer.h"

#include <libpq-fe.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr int kComponents = 8;

// Components each with a profile link placed below it; the design no longer gives the first
// `stale` of them their profile, so Full Auto deletes those profile links.
std::string StaleProfiles(int stale)
{
    const int components = kComponents;
    std::string elements;
    std::string relations;
    for (int index = 0; index < components; ++index) {
        const std::string component = "C" + std::to_string(index);
        const std::string profile = "P" + std::to_string(index);
        const std::string own = index < stale ? "" : R"(, "ordinateProfile": ")" + profile + "\"";
        elements += std::string(index ? "," : "") + R"({"class": "PxLSEComponent", "name": ")" + component +
                    R"(", "usage": "B", "type": 0)" + own + R"(}, {"class": "PxLSEProfile", "name": ")" + profile + "\"}";
        relations += std::string(index ? "," : "") + R"({"source": ")" + profile + R"(", "target": ")" + component +
                     R"(", "relation": "O"})";
    }
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + elements + "], \"relations\": [" + relations +
           R"(]}], "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
               "systems": [{"name": "SYS1", "businessSegments": ["BIG"],
                            "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}]}]})";
}

// The write transactions the server has begun so far.
std::int64_t WriteTransactions(const std::string& uri)
{
    PGconn* db = PQconnectdb(uri.c_str());
    PGresult* result = PQexec(db, "SELECT txid_current()");
    const std::int64_t count = PQresultStatus(result) == PGRES_TUPLES_OK ? std::atoll(PQgetvalue(result, 0, 0)) : -1;
    PQclear(result);
    PQfinish(db);
    return count;
}

struct SyncServerWorkTest : ShellTest {
    // The links left in the segment, the write transactions the synchronisation made and the
    // reads of option lists of one link.
    struct Outcome {
        int links = 0;
        std::int64_t transactions = 0;
        int linkOptionReads = 0;
    };

    Outcome SynchroniseStaleProfiles(int stale)
    {
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(uri, vqrepo::ReadDescription(StaleProfiles(stale)));
        Outcome outcome;
        EXPECT_TRUE(app.SetResourceModule("vqsysres"));
        EXPECT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        const std::int64_t before = WriteTransactions(uri);
        PxTesting::ResetListReads();
        {
            VqsModel model(VqsSyncCommand);
            VqsBSLock segmentLock;
            VqsLockBag readBag(VqsReadLock);
            VqsLockBag updateBag(VqsFutureUpdateLock);
            VqsSyncResult result;
            EXPECT_EQ(model.RefreshForGeneration(segmentLock, readBag, updateBag, config, result, VqsSyncFullAuto,
                                                 PxHandle(), false, false),
                      1);
        }
        outcome.linkOptionReads = PxTesting::ListReads("PxVQSoftLink::GetAllOptions");
        // Less the transaction that reads the counter.
        outcome.transactions = WriteTransactions(uri) - before - 1;
        PxTypedList<PxVQElementSoftLinkPtr> links;
        config->GetBSSoftLink("BIG")->GetListOfElementSoftLinks(links);
        outcome.links = static_cast<int>(links.GetCount());
        app.CloseSession();
        return outcome;
    }
};

} // namespace

TEST_F(SyncServerWorkTest, TheServerTransactionsOfASynchronisationDoNotGrowWithTheLinksItDeletes)
{
    const Outcome few = SynchroniseStaleProfiles(2);
    const Outcome many = SynchroniseStaleProfiles(kComponents);
    EXPECT_EQ(few.links, 2 * kComponents - 2) << "two profile links went";
    EXPECT_EQ(many.links, kComponents) << "only the components' links are left";
    EXPECT_GT(few.transactions, 0);
    EXPECT_LE(many.transactions, few.transactions);
    EXPECT_EQ(many.linkOptionReads, few.linkOptionReads) << "the option lists of the links it deletes are read together";
}
