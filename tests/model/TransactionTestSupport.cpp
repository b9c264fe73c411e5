#include "TransactionTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"

namespace {

const char* const kDesign = R"({
  "timeStamp": 1700000000,
  "allowLongNames": 0,
  "businessSegments": [
    {"name": "SALES", "longName": "Sales and orders", "description": "Selling", "rocRequired": 1,
     "foregroundColor": 2, "backgroundColor": 7,
     "languages": [{"name": "ENGLISH", "slot": 1}, {"name": "FRENCH", "slot": 3}],
     "primaryLanguage": "FRENCH",
     "subsystems": [{"name": "PRIMARY", "number": 1}, {"name": "QUERY", "number": 11},
                    {"name": "ROC", "number": 12}, {"name": "BILLING", "number": 4}],
     "elements": [
       {"class": "PxLSEComponent", "name": "CUSTOMER", "longName": "Customer master", "usage": "B", "type": 10,
        "color": 0, "subsystem": "BILLING", "primaryProfile": "CUSTBYNAME"},
       {"class": "PxLSEEvent", "name": "ORDERS", "usage": "I", "color": 5, "primaryProfile": "ORDBYDATE"},
       {"class": "PxLSEComponent", "name": "PRINTOUT", "usage": "O", "type": 17},
       {"class": "PxLSEIspec", "name": "LOOKUP", "usage": "Q"},
       {"class": "PxLSEEvent", "name": "EVENT", "usage": "I",
        "missingRevisions": ["GraphicalRevision", "CharacterRevision", "DataItemRevision", "DbRevision",
                             "TeachRevision"]},
       {"class": "PxLSEComponent", "name": "BROKEN", "usage": "B", "type": 1, "missingRevisions": ["DbRevision"]},
       {"class": "PxLSEProfile", "name": "CUSTBYNAME", "isAutoMaintProfile": 1, "duplicates": 1},
       {"class": "PxLSEProfile", "name": "ORDBYDATE"},
       {"class": "PxLSEProfile", "name": "LOOSE"},
       {"class": "PxLSEReport", "name": "MONTHLY", "defaultDevice": "fl", "generateToAllLanguages": 1},
       {"class": "PxLSEGlobalLogic", "name": "CALC", "performable": 1, "parameters": "A,B"}
     ],
     "relations": [
       {"source": "CUSTBYNAME", "target": "LOOKUP", "relation": "R"},
       {"source": "CUSTBYNAME", "target": "CUSTOMER", "relation": "o"},
       {"source": "ORDBYDATE", "target": "ORDERS", "relation": "O"}
     ]},
    {"name": "EMPTY"},
    {"name": "PLAIN", "languages": [{"name": "GERMAN", "slot": 15}]},
    {"name": "NOREV", "missingRevisions": ["Revision"]},
    {"name": "NOGSD", "missingRevisions": ["GSDRevision"]}
  ],
  "systems": [
    {"name": "SYS1", "businessSegments": ["SALES"],
     "optionSets": [{"name": "NTGEN", "hostType": 0}, {"name": "QSRGEN", "hostType": 1}]},
    {"name": "SYS2", "businessSegments": ["SALES"],
     "optionSets": [{"name": "TARSKGEN", "hostType": 2}]},
    {"name": "SYS3", "businessSegments": ["EMPTY"],
     "optionSets": [{"name": "NTGEN", "hostType": 0}]}
  ]
})";

std::vector<std::string>* g_logLines = nullptr;

void RecordLog(int, const char* level, const char* text) { g_logLines->push_back(std::string(level) + " " + text); }

} // namespace

void TransactionTest::SetUp()
{
    ShellTest::SetUp();
    path = dir.File("design.vqr");
    vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(kDesign));
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(path.c_str(), "ABC/XYZ", &node));
    g_logLines = &logLines;
    app.RegisterWYRCallBack(nullptr, nullptr, &RecordLog);
    frametest::TestFrame* frame = host.MakeFrame();
    app.GetFrameList().AddTail(frame);
    view = frame->AddView();
    vqui::ClearTranscript();
}

void TransactionTest::TearDown()
{
    PxFaultInjection::Reset();
    app.RegisterWYRCallBack(nullptr, nullptr, nullptr);
    g_logLines = nullptr;
    app.CloseSession();
}

std::unique_ptr<PxVQLink> TransactionTest::OtherSession() const
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path.c_str(), "OTHER/USER", nullptr);
    return link;
}

std::unique_ptr<PxVQLink> TransactionTest::HostSession()
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path.c_str(), "ABC/XYZ", &node);
    return link;
}

PxVQSystemPtr TransactionTest::System(const char* name) { return app.GetEnterprise()->GetSystem(name); }

PxVQCurConfigPtr TransactionTest::CurConfig(const char* system) { return System(system)->GetCurConfig(); }

PxVQBSSoftLinkPtr TransactionTest::BSLink(const char* segment, const char* system)
{
    return CurConfig(system)->GetBSSoftLink(segment);
}

PxLSEBusinessSegmentPtr TransactionTest::Segment(const char* name)
{
    return app.GetLSEEnterprise()->GetBusinessSegment(name);
}

PxLSEElementPtr TransactionTest::Element(const char* segment, const char* name)
{
    return Segment(segment)->GetElement(name);
}

std::vector<int> TransactionTest::Heard() const
{
    std::vector<int> hints;
    for (const frametest::TestView::Notice& notice : view->notices)
        hints.push_back(notice.hint);
    return hints;
}

bool TransactionTest::Committed(const char* systemName) const
{
    std::unique_ptr<PxVQLink> other = OtherSession();
    return static_cast<bool>(other->GetLVQEnterprise()->GetSystem(systemName));
}
