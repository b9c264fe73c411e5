#include "ServerStep.h"

#include "support/PgTestServer.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsSysApp.h"


namespace vqgrowth {

std::string ScaledSampleOnServer(int elements, bool analyzed)
{
    const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
    vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription({1, 1, elements}));
    if (analyzed)
        Analyze(uri);
    return uri;
}

PxVQCurConfigPtr SampleConfig() { return VqsGetApp()->GetEnterprise()->GetSystem("SYS1")->GetCurConfig(); }

std::int64_t ElementLinks(const PxVQCurConfigPtr& config)
{
    std::int64_t links = 0;
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    for (POSITION pos = segments.GetHeadPosition(); pos;) {
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segments.GetNext(pos)->GetListOfElementSoftLinks(elements);
        links += elements.GetCount();
    }
    return links;
}

ServerCount::ServerCount(const std::string& uri)
    : m_uri(uri), m_trips(PxPgConnection::RoundTrips()), m_transactions(PxPgConnection::Transactions()),
      m_writes(ServerTransactions(uri))
{
}

void ServerCount::Stop()
{
    m_trips = PxPgConnection::RoundTrips() - m_trips;
    m_transactions = PxPgConnection::Transactions() - m_transactions;
    // Less the reading of the counter itself.
    m_writes = ServerTransactions(m_uri) - m_writes - 1;
}

void ServerCount::Report(benchmark::State& state, std::int64_t links) const
{
    state.counters["links"] = static_cast<double>(links);
    const auto perLink = [links](std::int64_t count) {
        return links ? static_cast<double>(count) / static_cast<double>(links) : 0;
    };
    state.counters["trips/link"] = perLink(m_trips);
    state.counters["xacts/link"] = perLink(m_transactions);
    state.counters["writes"] = static_cast<double>(m_writes);
}

} // namespace vqgrowth
