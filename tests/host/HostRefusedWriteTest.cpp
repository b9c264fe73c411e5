// A host on a repository on the server that refuses a write (as a full disk does) or ends a
// connection while a step's transaction is open: the step fails as a whole, stores nothing
// and shows one box naming the failure. A Generate System whose synchronisation meets it is
// cancelled, and the next one synchronises again.
#include "support/PgTestServer.h"
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// An element link that the synchronisation has not brought up to date, as the dump shows it.
constexpr char kOutOfDate[] = "guidBlob = x'00'\n";

using vqtest::CountOf;
using vqtest::RunningHost;

// The dump less the segment link's last synchronisation option, which a generation's start
// stores as it locates the segment, before it synchronises.
std::string WithoutLastSyncOption(std::string dump)
{
    for (std::size_t at; (at = dump.find("lastSyncOption = ")) != std::string::npos;)
        dump.erase(dump.rfind('\n', at) + 1, dump.find('\n', at) - dump.rfind('\n', at));
    return dump;
}

const std::string kOpenSystemView =
    "register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n";
const std::string kGenerateSystem =
    "select-row 59648 1\nidle\nexpect-dialog 160\nclick 1\ncommand-id 32792\nidle\ngeneration-log\n";

// What the server does at a write the fault trigger selects.
enum class Fault { Refused, RefusedOnce, DataConnectionEnded, LockConnectionEnded, EveryConnectionEnded };

class HostRefusedWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
            GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    }

    // A new sample repository on the server.
    void NewSample()
    {
        m_uri = vqtest::PgTestServer::Instance().NewDatabase();
        ASSERT_EQ(std::system(("'" + Tool() + "' sample '" + m_uri + "'").c_str()), 0);
        const std::size_t name = m_uri.find(":///") + 4;
        m_database = m_uri.substr(name, m_uri.find('?') - name);
    }

    // Whether the box names the fault.
    bool Names(const std::string& box, Fault fault) const
    {
        if (fault == Fault::Refused || fault == Fault::RefusedOnce)
            return box.find("the disk is full.") != std::string::npos;
        return box.find("the server of " + m_uri) != std::string::npos && box.find(" lost") != std::string::npos;
    }

    static std::string Tool() { return std::getenv("VQSREPO"); }
    void Sql(const std::string& sql) const { vqtest::PgTestServer::Instance().Run(m_database, sql); }

    // From now on the server meets every write of the table that `when` selects with the fault,
    // at the write or, `atCommit`, at the commit of its transaction. `writes` names the kinds
    // of write; `when` reads OLD for a DELETE.
    void Arm(const std::string& table, const std::string& when, Fault fault, bool atCommit = false,
             const std::string& writes = "INSERT OR UPDATE") const
    {
        const char* const actions[] = {
            "RAISE EXCEPTION 'disk full' USING ERRCODE = '53100';",
            // A sequence counts the writes met, whatever becomes of their transactions.
            "IF nextval('vq_repository.faults') = 1 THEN RAISE EXCEPTION 'disk full' USING ERRCODE = '53100'; END IF;",
            "PERFORM pg_terminate_backend(pg_backend_pid());",
            "PERFORM pg_terminate_backend(pid, 10000) FROM pg_locks"
            " WHERE locktype = 'advisory' AND objsubid = 1 AND granted;",
            "PERFORM pg_terminate_backend(pid) FROM pg_stat_activity"
            " WHERE datname = current_database() AND pid <> pg_backend_pid();"
            " PERFORM pg_terminate_backend(pg_backend_pid());",
        };
        Sql("CREATE SEQUENCE vq_repository.faults;"
            "CREATE FUNCTION vq_repository.fault() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN " +
            std::string(actions[static_cast<int>(fault)]) + " RETURN COALESCE(NEW, OLD); END $$;" +
            (atCommit ? "CREATE CONSTRAINT TRIGGER fault AFTER " : "CREATE TRIGGER fault BEFORE ") + writes +
            " ON vq_repository." + table + (atCommit ? " DEFERRABLE INITIALLY DEFERRED" : "") +
            " FOR EACH ROW WHEN (" + when + ") EXECUTE FUNCTION vq_repository.fault();");
    }
    void Disarm() const { Sql("DROP FUNCTION vq_repository.fault() CASCADE; DROP SEQUENCE vq_repository.faults;"); }

    std::string Dump() const { return vqtest::DumpOf(m_uri); }

    // Runs the lines on a new host of the sample: what they printed.
    std::string RunOnce(const std::string& lines)
    {
        vqtest::TempDir folder;
        vqtest::RunningHost host(folder.Path(), m_uri, "USER");
        return host.Run(lines);
    }

    std::string m_uri;
    std::string m_database;
};

TEST_F(HostRefusedWriteTest, AGenerateSystemWhoseSynchronisationMeetsARefusedWriteIsCancelledAndSynchronisesNextTime)
{
    NewSample();
    // Every element link differs from its design element: the synchronisation brings each up
    // to date. The server refuses the first of those writes at its commit and takes the others.
    Sql("UPDATE vq_repository.px_attribute SET bytes = '\\x00' WHERE name = 'guidBlob';");
    Arm("px_attribute", "NEW.name = 'guidBlob'", Fault::RefusedOnce, true);
    const std::string before = Dump();
    vqtest::TempDir folder;
    vqtest::RunningHost host(folder.Path(), m_uri, "USER");
    const std::string refused = host.Run(kOpenSystemView + kGenerateSystem);
    const std::vector<std::string> boxes = RunningHost::Boxes(refused);
    ASSERT_EQ(boxes.size(), 1u) << refused;
    EXPECT_TRUE(Names(boxes[0], Fault::RefusedOnce)) << boxes[0];
    EXPECT_NE(refused.find("genlog: cancel 1: Syncronisation Error"), std::string::npos) << refused;
    const std::string unsynchronised = Dump();
    EXPECT_EQ(unsynchronised.find("syncPairCount"), std::string::npos);
    EXPECT_EQ(CountOf(unsynchronised, kOutOfDate), CountOf(before, kOutOfDate));

    Disarm();
    const std::string again = host.Run(kGenerateSystem);
    EXPECT_TRUE(RunningHost::Boxes(again).empty()) << again;
    EXPECT_EQ(again.find("genlog: cancel 2"), std::string::npos) << again;
    const std::string synchronised = Dump();
    EXPECT_NE(synchronised.find("syncPairCount = 12"), std::string::npos);
    EXPECT_LT(CountOf(synchronised, kOutOfDate), CountOf(before, kOutOfDate));
}

// The failures a step meets inside its transaction: a held-back write refused or the data
// connection ended when the write is sent, the lock connection ended before the commit,
// every connection of the host ended (as at a restart of the server) at the first write.
// The host options' OK, New System's Finish and a rename in the host's transaction each show
// one box, naming the failure, and store nothing.
TEST_F(HostRefusedWriteTest, AStepWhoseTransactionFailsShowsOneBoxAndStoresNothing)
{
    const std::string hostOptions =
        "set-resource-module vqsysres\nopen-session\nopen-host-view\nidle\nselect-row 59649 0\n"
        "command-id 32775\nexpect-dialog 140\nset-text 1043 \"10.1.0.99\"\nclick 1\nexpect-message 61908\n"
        "answer IDNO\nidle\n";
    const std::string newSystem = kOpenSystemView +
                                  "select-row 59648 0\ncommand-id 32785\nexpect-dialog 124\nset-text 1378 \"NEWSYS\"\n"
                                  "click 12324\nclick 12324\nclick 12324\nclick 1012\nclick 12325\nidle\n";
    const std::string hostRename = kOpenSystemView +
                                   "prepare-transaction SALES 0\nrename LSECOMPONENT CLIENT CUSTOMER SALES\n"
                                   "transaction-closed\n";
    const std::string newSystemObject = "NEW.class = 'PxVQSystem'";
    struct Row {
        const char* what;
        Fault fault;
        std::string table;
        std::string when;
        // The step, from the start of the host; a dialog the failure keeps open ends as Cancel.
        const std::string& lines;
        const char* stored; // in the dump once the step stored its writes
    };
    const Row rows[] = {
        {"host options, refused", Fault::Refused, "px_attribute", "true", hostOptions, "10.1.0.99"},
        {"host options, data connection", Fault::DataConnectionEnded, "px_attribute", "true", hostOptions,
         "10.1.0.99"},
        {"host options, lock connection", Fault::LockConnectionEnded, "px_object", "true", hostOptions, "10.1.0.99"},
        {"host options, every connection", Fault::EveryConnectionEnded, "px_object", "true", hostOptions,
         "10.1.0.99"},
        {"New System, refused", Fault::Refused, "px_object", newSystemObject, newSystem, "\"NEWSYS\""},
        {"New System, data connection", Fault::DataConnectionEnded, "px_object", newSystemObject, newSystem,
         "\"NEWSYS\""},
        {"New System, lock connection", Fault::LockConnectionEnded, "px_object", newSystemObject, newSystem,
         "\"NEWSYS\""},
        {"New System, every connection", Fault::EveryConnectionEnded, "px_object", newSystemObject, newSystem,
         "\"NEWSYS\""},
        {"host rename, refused", Fault::Refused, "px_attribute", "true", hostRename, "\"CLIENT\""},
        {"host rename, data connection", Fault::DataConnectionEnded, "px_attribute", "true", hostRename,
         "\"CLIENT\""},
    };
    NewSample();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Arm(row.table, row.when, row.fault);
        const std::string printed = RunOnce(row.lines);
        Disarm();
        const std::vector<std::string> boxes = RunningHost::ErrorBoxes(printed);
        ASSERT_EQ(boxes.size(), 1u) << printed;
        EXPECT_TRUE(Names(boxes[0], row.fault)) << boxes[0];
        EXPECT_EQ(Dump().find(row.stored), std::string::npos);
        if (&row.lines == &hostRename) {
            EXPECT_NE(printed.find("result: rename 0"), std::string::npos) << "the host is told it failed";
        }
    }
}

// The lock connection ends as a write of the step goes to the server: one that its commit
// sends with it, held back until then, where the step's last writes are held back (the options
// dialogs, New Report Group, New Bundle, New Host, Generate System's synchronisation), else its
// own change, earlier in its transaction. The locks it held are gone by its commit: each
// options dialog's OK, each creating dialog's Finish and the synchronisation store nothing of
// the step and show one box naming the lost connection.
TEST_F(HostRefusedWriteTest, AStepWhoseLockConnectionEndsAtItsCommitStoresNothingAndShowsOneBox)
{
    const std::string systemTree = kOpenSystemView + "select-row 59648 1\nidle\ncommand-id 32797\nidle\n";
    const std::string segmentOf = systemTree + "select-row 59648 2\nidle\n";
    const std::string emptySystem = kOpenSystemView +
                                    "select-row 59648 0\nexpect-dialog 124\nset-text 1378 \"EMPTYSYS\"\nclick 12324\n"
                                    "click 12324\nclick 1011\nclick 12324\nclick 1012\nclick 12325\ncommand-id 32785\n"
                                    "idle\n";
    const std::string openHostView = "set-resource-module vqsysres\nopen-session\nopen-host-view\nidle\n";
    struct Row {
        const char* what;
        std::string setup; // run before the fault is armed
        std::string lines;
        std::string when; // the write the lock connection ends at
        const char* stored; // in the dump once the step stored its change; none: the dump is as before
    };
    const Row rows[] = {
        {"System Options", "",
         kOpenSystemView + "select-row 59648 1\nidle\nexpect-dialog 142\nset-text 1395 \"CHANGED SYSTEM\"\nclick 1\n"
                           "command-id 32772\nidle\n",
         "NEW.bytes = 'CHANGED SYSTEM'", "CHANGED SYSTEM"},
        {"Generate Set Options", "",
         kOpenSystemView + "select-row 59648 1\nidle\nselect-row 59648 0 1\nidle\nexpect-dialog 141\n"
                           "set-text 1398 \"CHANGED GENSET\"\nclick 1\ncommand-id 32772\nidle\n",
         "NEW.bytes = 'CHANGED GENSET'", "CHANGED GENSET"},
        {"host options", "",
         openHostView + "select-row 59649 0\ncommand-id 32775\nexpect-dialog 140\nset-text 1043 \"10.1.0.99\"\n"
                        "click 1\nexpect-message 61908\nanswer IDNO\nidle\n",
         "NEW.bytes = '10.1.0.99'", "10.1.0.99"},
        {"Business Segment options", "",
         segmentOf + "expect-dialog 144\nclick 1077\nclick 1\ncommand-id 32772\nidle\n", "NEW.name = 'updatedFlag'",
         "opt.LogAct"},
        {"New System", "",
         kOpenSystemView + "select-row 59648 0\ncommand-id 32785\nexpect-dialog 124\nset-text 1378 \"NEWSYS\"\n"
                           "click 12324\nclick 12324\nclick 12324\nclick 1012\nclick 12325\nidle\n",
         "NEW.bytes = 'NEWSYS'", "\"NEWSYS\""},
        {"Add Business Segment", emptySystem,
         kOpenSystemView + "select-row 59648 1\nidle\nexpect-dialog 264\nclick 12324\nclick 1503\nclick 12325\n"
                           "command-id 32771\nidle\n",
         "NEW.name = 'name' AND NEW.bytes = 'SALES'", nullptr},
        {"New Generate Set", "",
         kOpenSystemView + "select-row 59648 1\nidle\nexpect-dialog 243\nset-text 1381 \"NEWGEN\"\nclick 12324\n"
                           "click 12325\ncommand-id 32789\nidle\n",
         "NEW.bytes = 'NEWGEN'", "\"NEWGEN\""},
        {"New Report Group", "",
         segmentOf + "expect-dialog 223\nset-text 1031 \"NEWRG\"\nclick 1\ncommand-id 32788\nidle\n",
         "NEW.bytes = 'NEWRG'", "\"NEWRG\""},
        {"New Bundle", "",
         segmentOf + "expect-dialog 831\nset-text 1808 \"NEWBUN\"\nclick 1\ncommand-id 32829\nidle\n",
         "NEW.bytes = 'NEWBUN'", "\"NEWBUN\""},
        {"New Host", "",
         openHostView + "command-id 32783\nexpect-dialog 235\nclick 1425\nset-text 1466 \"BUILDHOST\"\n"
                        "set-text 1468 \"build.example\"\nclick 12324\nclick 32870\nset-text 1482 \"builder\"\n"
                        "set-text 1483 \"pw\"\nset-text 1484 \"pw\"\nclick 12325\nidle\n",
         "NEW.bytes = 'build.example'", "\"BUILDHOST\""},
        {"New Pack", "",
         openHostView + "command-id 32819\nexpect-dialog 241\nset-text 1376 \"archive\"\nclick 1375\nclick 1\nidle\n",
         "NEW.bytes = 'ARCHIVE'", "\"ARCHIVE\""},
        {"Generate System's synchronisation", "", kOpenSystemView + kGenerateSystem, "NEW.name = 'lastSyncOption'",
         "lastSyncOption"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NewSample();
        if (!row.setup.empty()) {
            ASSERT_TRUE(RunningHost::Boxes(RunOnce(row.setup)).empty());
        }
        const std::string before = Dump();
        Arm("px_attribute", row.when, Fault::LockConnectionEnded);
        const std::string printed = RunOnce(row.lines);
        Disarm();
        std::vector<std::string> boxes = RunningHost::Boxes(printed);
        boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                                   [](const std::string& box) { return box.find("-> IDNO") != std::string::npos; }),
                    boxes.end());
        ASSERT_EQ(boxes.size(), 1u) << printed;
        EXPECT_TRUE(Names(boxes[0], Fault::LockConnectionEnded)) << boxes[0];
        if (row.stored) {
            EXPECT_EQ(Dump().find(row.stored), std::string::npos) << "the step's change is not stored";
        } else {
            EXPECT_EQ(Dump(), before);
        }
    }
}

// A bundle's Delete, the Delete of an Ispec's entry in a bundle or its removal in the
// bundle's membership dialog (its element link, marked unused and in no other bundle but
// those of all Ispecs, goes with it) and a synchronisation that moves an Ispec out of or into
// the bundles of all Ispecs as its design usage changed or as it is new, or a component's
// profile link after the component's: the server refuses a write of the step's last object,
// at each table it writes, or the lock connection ends as the synchronisation's bundle moves
// go to the server with their commit. One box, and the repository is as before.
TEST_F(HostRefusedWriteTest, ABundleStepWhoseWriteFailsLeavesTheRepositoryAsBefore)
{
    const auto find = [](const std::string& text) {
        return "expect-dialog 143\nset-text 1403 \"" + text + "\"\nclick 1\ncommand-id 57636\nidle\n";
    };
    const std::string deleteSelected = "command-id 57632\nexpect-message 61908\nanswer IDNO\nidle\n";
    const std::string deleteBundle = kOpenSystemView + find("WEBALL") + deleteSelected;
    // The entries show under their bundle by name: CUSTOMER is the first of ORDERS.
    const std::string deleteCustomerEntry =
        kOpenSystemView + find("ORDERS") + "command-id 32795\nidle\nselect-row 59648 5\nidle\n" + deleteSelected;
    // CUSTOMER taken out of ORDERS in its membership dialog; a dialog the failure keeps open
    // ends as Cancel.
    const std::string removeCustomer = kOpenSystemView + find("ORDERS") +
                                       "expect-dialog 832\nselect 1821 0\nclick 1817\nclick 1\n"
                                       "command-id 32830\nidle\n";
    const std::string customerUnused = "UPDATE vq_repository.px_attribute SET number = 1 WHERE name = 'unusedMark'"
                                       " AND oid IN (SELECT oid FROM vq_repository.px_attribute"
                                       " WHERE name = 'name' AND bytes = 'CUSTOMER'::bytea);";
    // The element's links compare as out of date with the design.
    const auto outOfDate = [](const std::string& element) {
        return "UPDATE vq_repository.px_attribute SET bytes = '\\x00' WHERE name = 'guidBlob'"
               " AND oid IN (SELECT oid FROM vq_repository.px_attribute WHERE name = 'name' AND bytes = '" +
               element + "'::bytea);";
    };
    // The design changes the Ispec's usage.
    const auto usageChanged = [&](const std::string& ispec, const std::string& from, const std::string& to) {
        return "UPDATE vq_repository.px_attribute SET bytes = '" + to + "'::bytea WHERE name = 'usage' AND bytes = '" +
               from + "'::bytea AND oid IN (SELECT oid FROM vq_repository.px_attribute WHERE name = 'name'"
               " AND bytes = '" + ispec + "'::bytea);" + outOfDate(ispec);
    };
    const std::string eventOutput = usageChanged("EVENT", "B", "O");
    const std::string auditBoth = usageChanged("AUDIT", "O", "B");
    const std::string customerChanged = outOfDate("CUSTOMER");
    // ORDER's links are gone with their options and bundle entries: the synchronisation makes
    // a new link, which joins the bundles of all Ispecs.
    const std::string orderGone =
        "CREATE TEMP TABLE gone AS SELECT oid FROM vq_repository.px_attribute WHERE name = 'name'"
        " AND bytes = 'ORDER'::bytea AND oid IN (SELECT oid FROM vq_repository.px_object"
        " WHERE class = 'PxVQIspecSoftLink');"
        "INSERT INTO gone SELECT oid FROM vq_repository.px_attribute WHERE name IN ('ispec', 'softLink')"
        " AND number IN (SELECT oid FROM gone);"
        "UPDATE vq_repository.px_object SET present = false WHERE oid IN (SELECT oid FROM gone);"
        "DELETE FROM vq_repository.px_member WHERE member IN (SELECT oid FROM gone) OR owner IN (SELECT oid FROM gone);";
    const std::string generateSystem = kOpenSystemView + kGenerateSystem;
    struct Row {
        const char* what;
        const std::string& setUp;
        const std::string& lines;
        std::string table;
        const char* writes;
        std::string when;
        Fault fault = Fault::Refused;
    };
    const std::string none;
    const Row rows[] = {
        {"bundle, its object", none, deleteBundle, "px_object", "UPDATE",
         "NEW.class = 'PxVQBundle' AND NOT NEW.present"},
        {"bundle, its attributes", none, deleteBundle, "px_attribute", "DELETE", "OLD.name = 'containsAllIspecs'"},
        {"bundle, its membership", none, deleteBundle, "px_member", "DELETE", "OLD.role = 'bundles'"},
        {"entry, the link's object", customerUnused, deleteCustomerEntry, "px_object", "UPDATE",
         "NEW.class = 'PxVQIspecSoftLink' AND NOT NEW.present"},
        {"entry, the link's attributes", customerUnused, deleteCustomerEntry, "px_attribute", "DELETE",
         "OLD.name = 'ispecUsage'"},
        {"entry, the link's membership", customerUnused, deleteCustomerEntry, "px_member", "DELETE",
         "OLD.role = 'elementSoftLinks'"},
        {"membership dialog, the link's object", customerUnused, removeCustomer, "px_object", "UPDATE",
         "NEW.class = 'PxVQIspecSoftLink' AND NOT NEW.present"},
        {"a component's profile link", customerChanged, generateSystem, "px_attribute", "INSERT OR UPDATE",
         "NEW.name = 'ordinateName'"},
        {"a new link, its entry in the bundles", orderGone, generateSystem, "px_object", "INSERT",
         "NEW.class = 'PxVQIspecBundleData'"},
        {"out of the bundles, the entry's object", eventOutput, generateSystem, "px_object", "UPDATE",
         "NEW.class = 'PxVQIspecBundleData' AND NOT NEW.present"},
        {"out of the bundles, the entry's attributes", eventOutput, generateSystem, "px_attribute", "DELETE",
         "OLD.name = 'ispec'"},
        {"out of the bundles, the entry's membership", eventOutput, generateSystem, "px_member", "DELETE",
         "OLD.role = 'ispecBundleData'"},
        {"into the bundles, the entry's object", auditBoth, generateSystem, "px_object", "INSERT",
         "NEW.class = 'PxVQIspecBundleData'"},
        {"into the bundles, the entry's attributes", auditBoth, generateSystem, "px_attribute", "INSERT",
         "NEW.name = 'ispec'"},
        {"into the bundles, the entry's membership", auditBoth, generateSystem, "px_member", "INSERT",
         "NEW.role = 'ispecBundleData'"},
        {"out of the bundles, the lock connection", eventOutput, generateSystem, "px_object", "UPDATE",
         "NEW.class = 'PxVQIspecBundleData' AND NOT NEW.present", Fault::LockConnectionEnded},
        {"into the bundles, the lock connection", auditBoth, generateSystem, "px_object", "INSERT",
         "NEW.class = 'PxVQIspecBundleData'", Fault::LockConnectionEnded},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NewSample();
        if (!row.setUp.empty())
            Sql(row.setUp);
        const std::string before = WithoutLastSyncOption(Dump());
        Arm(row.table, row.when, row.fault, false, row.writes);
        const std::string printed = RunOnce(row.lines);
        Disarm();
        const std::vector<std::string> boxes = RunningHost::ErrorBoxes(printed);
        ASSERT_EQ(boxes.size(), 1u) << printed;
        EXPECT_TRUE(Names(boxes[0], row.fault)) << boxes[0];
        EXPECT_EQ(WithoutLastSyncOption(Dump()), before);
    }
}

// A user opens System Options or Generate Set Options of the second system while the host's
// transaction has failed (the server refused its rename), or after the server ended the
// host's data connection while it was idle: the opener is granted the enterprise's read, and
// the read after it fails. One box names the failure, and the read is given back: another
// user's Delete of a system, which takes the enterprise for write, goes on without waiting.
// The failure shows one box: at the rename, or at the opener after the loss.
TEST_F(HostRefusedWriteTest, AnOpenerWhoseReadFailsAfterItsLockLeavesNothingHeld)
{
    // The row is clicked before the failure: the options open on the selected row.
    const std::string secondSystem = kOpenSystemView + "select-row 59648 2\nidle\n";
    const std::string itsGenSet = secondSystem + "select-row 59648 0 1\nidle\n";
    const std::string openOptions = "command-id 32772\nidle\n";
    const std::string failedRename = "prepare-transaction SALES 0\nrename LSECOMPONENT CLIENT CUSTOMER SALES\n";
    const std::string dataConnection =
        "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE datname = current_database()"
        " AND pid <> pg_backend_pid() AND pid NOT IN (SELECT pid FROM pg_locks WHERE locktype = 'advisory'"
        " AND objsubid = 1 AND granted)";
    const std::string deleteThirdSystem = kOpenSystemView + "select-row 59648 3\nidle\n"
                                          "command-id 57632\nexpect-message 61908\nanswer IDNO\nidle\n";
    struct Row {
        const char* what;
        Fault fault;
        const std::string& selected;
    };
    const Row rows[] = {
        {"System Options, failed transaction", Fault::Refused, secondSystem},
        {"Generate Set Options, failed transaction", Fault::Refused, itsGenSet},
        {"System Options, data connection", Fault::DataConnectionEnded, secondSystem},
        {"Generate Set Options, data connection", Fault::DataConnectionEnded, itsGenSet},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NewSample();
        vqtest::TempDir folder;
        vqtest::RunningHost user(folder.Path(), m_uri, "USER");
        user.Run(row.selected);
        std::string printed;
        if (row.fault == Fault::Refused) {
            Arm("px_attribute", "true", row.fault);
            printed = user.Run(failedRename);
            ASSERT_NE(printed.find("result: rename 0"), std::string::npos) << printed;
            printed += user.Run(openOptions);
            user.Run("transaction-closed\nidle\n");
            Disarm();
        } else {
            Sql(dataConnection);
            printed = user.Run(openOptions);
        }
        const std::vector<std::string> boxes = RunningHost::ErrorBoxes(printed);
        ASSERT_EQ(boxes.size(), 1u) << printed;
        EXPECT_TRUE(Names(boxes[0], row.fault)) << boxes[0];

        vqtest::RunningHost other(folder.Path(), m_uri, "OTHER");
        const std::string deleted = other.Run(deleteThirdSystem);
        EXPECT_EQ(deleted.find("lock-wait:"), std::string::npos) << deleted;
        EXPECT_TRUE(RunningHost::ErrorBoxes(deleted).empty()) << deleted;
        EXPECT_EQ(Dump().find("Sample system 3"), std::string::npos) << "the Delete went on";
    }
}

// One action, one box, whatever the failure makes fail after it: a rename in the host's
// transaction whose write is refused and a row click while that transaction is left open;
// an Ispec's usage change in the host's transaction whose write is refused; the Business
// Segment options' OK and Bulk Options' Apply then OK with the data connection ended at the
// write (the dialog's end and the view read on without it). The box names the failure, never
// a function of the module.
TEST_F(HostRefusedWriteTest, EachActionOnAFailureShowsOneBox)
{
    const std::string segmentShown = kOpenSystemView + "select-row 59648 1\ncommand-id 32795\nidle\n";
    const std::string oltpEnabled =
        "INSERT INTO vq_repository.px_attribute(oid, name, type, number) SELECT oid, 'opt.EnableOLTP', 1, 1"
        " FROM vq_repository.px_object WHERE class = 'PxNTBSegOptions'"
        " ON CONFLICT (oid, name) DO UPDATE SET number = 1;";
    struct Row {
        const char* what;
        Fault fault;
        std::string setUp;
        std::string before;
        std::string action;
        std::string when = "true"; // which attribute writes meet the fault
    };
    const Row rows[] = {
        {"a row click in a failed host transaction", Fault::Refused, "", kOpenSystemView + "prepare-transaction SALES 0\n",
         "rename LSECOMPONENT CLIENT CUSTOMER SALES\nidle\nselect-row 59648 1\nidle\n"},
        {"an Ispec usage change", Fault::Refused, "", kOpenSystemView + "prepare-transaction SALES 0\n",
         "ispec-type-change SALES ORDER WYR_ISPEC_USAGE_INQUIRY\nidle\n", "NEW.name = 'ispecUsage'"},
        {"segment options OK", Fault::DataConnectionEnded, "", segmentShown,
         "select-row 59648 2\nexpect-dialog 144\ncheck 1077 1\nclick 1\ncommand-id 32772\nidle\n"},
        // The question before the Apply takes its default button, Yes.
        {"Bulk Options Apply, then OK", Fault::DataConnectionEnded, oltpEnabled, segmentShown,
         "select-row 59648 2\nexpect-dialog 144\nselect 12320 6\nselect 1958 1\nclick 1964\nset-text 1967 \"SVC1\"\n"
         "click 1001\nanswer IDOK\ncommand-id 32772\nidle\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NewSample();
        if (!row.setUp.empty())
            Sql(row.setUp);
        Arm("px_attribute", row.when, row.fault);
        vqtest::TempDir folder;
        vqtest::RunningHost host(folder.Path(), m_uri, "USER");
        host.Run(row.before);
        const std::string printed = host.Run(row.action);
        Disarm();
        const std::vector<std::string> boxes = RunningHost::ErrorBoxes(printed);
        ASSERT_EQ(boxes.size(), 1u) << printed;
        EXPECT_TRUE(Names(boxes[0], row.fault)) << boxes[0];
        EXPECT_EQ(boxes[0].find("Unexpected error in"), std::string::npos) << boxes[0];
    }
}

// A write of the host's transaction refused, at a rename of the host or at the Finish of New
// System that the user runs inside that transaction: the transaction has failed, so it holds
// nothing from then on. Another host's prepare of the segment and its New System of the same
// name wait for nothing while the transaction is still open, the later steps answer 0 without
// a box, and Transaction Closed stores nothing.
TEST_F(HostRefusedWriteTest, AHostTransactionWhoseWriteWasRefusedHoldsNothingBeforeItEnds)
{
    const std::string newInvoices = "select-row 59648 0\nidle\nexpect-dialog 124\nset-text 1378 \"Invoices\"\nclick 12324\n"
                                  "click 12324\ncheck 1011 1\nclick 12324\ncheck 1012 1\nclick 12325\ncommand-id 32785\n"
                                  "idle\n";
    const std::string otherHost = "set-resource-module vqsysres\nopen-session\nprepare-transaction SALES 0\n"
                                  "transaction-failed\nopen-system-view\nidle\nselect-row 59648 0\nidle\n"
                                  "expect-dialog 124\nset-text 1378 \"Invoices\"\nclick 12324\ndump\nclick 2\n"
                                  "command-id 32785\nidle\n";
    struct Row {
        const char* what;
        std::string table;
        std::string when;
        std::string steps; // in the host's transaction, up to the refused write
    };
    const Row rows[] = {
        {"a rename", "px_attribute", "NEW.bytes = 'CLIENT'", newInvoices + "rename LSECOMPONENT CLIENT CUSTOMER SALES\n"},
        {"New System", "px_object", "NEW.class = 'PxVQSystem'", newInvoices},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NewSample();
        Arm(row.table, row.when, Fault::Refused);
        vqtest::TempDir folder;
        vqtest::RunningHost holder(folder.Path(), m_uri, "HOLDER");
        const std::string failed = holder.Run(kOpenSystemView + "prepare-transaction SALES 0\n" + row.steps +
                                              "create LSECOMPONENT CUSTOMER SALES\n");
        const std::vector<std::string> boxes = RunningHost::ErrorBoxes(failed);
        ASSERT_EQ(boxes.size(), 1u) << failed;
        EXPECT_TRUE(Names(boxes[0], Fault::Refused)) << boxes[0];
        EXPECT_NE(failed.find("result: create 0"), std::string::npos) << failed;

        vqtest::RunningHost other(folder.Path(), m_uri, "OTHER");
        const std::string otherPrinted = other.Run(otherHost);
        EXPECT_EQ(otherPrinted.find("lock-wait"), std::string::npos) << otherPrinted;
        EXPECT_NE(otherPrinted.find("result: prepare-transaction 1"), std::string::npos) << otherPrinted;
        EXPECT_NE(otherPrinted.find("page \"System Generate Options\""), std::string::npos) << "the name is free";

        EXPECT_TRUE(RunningHost::Boxes(holder.Run("transaction-closed\n")).empty());
        Disarm();
        const std::string stored = Dump();
        EXPECT_EQ(stored.find("\"INVOICES\""), std::string::npos);
        EXPECT_EQ(stored.find("\"CLIENT\""), std::string::npos);
    }
}

} // namespace
