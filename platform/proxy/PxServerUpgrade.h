// Internal: what builds after the first added to a repository's schema on a server, and how a
// repository an earlier build made is brought up to date. Each addition is kept here once: a new
// repository's schema is the first build's tables with the additions made in the same
// transaction, and a repository of an earlier build gets those it lacks from its owner (the
// owner's session as it opens the repository for writing, or `vqsrepo upgrade`), with the rights
// the repository's other roles have on its tables and sequences. Any other role's session carries
// on with what the repository has.
#pragma once

#include <string>
#include <vector>

class PxPgConnection;

// What the repository on the connection (search path vq_repository) lacks of this build's schema.
struct PxSchemaGaps {
    // Key columns without their estimates (n_distinct): such a connection finds rows by key
    // wherever an index leads there.
    int estimates = 0;
    // The generation holds' identity (the column px_persistent_lock.hold_id, the sequence px_hold_id).
    bool holdIdentities = false;
    // The manual holds' identity (the column px_persistent_lock.manual_id).
    bool manualIdentities = false;
    // The manual holds' key, which only this build writes (the column px_persistent_lock.manual_key
    // and the trigger px_manual_holds_gone), by which its take-backs are made whichever earlier
    // build placed or changed the lock since.
    bool manualKeys = false;
    // The rights the other roles have on every earlier table or sequence of the repository that an
    // object added since lacks, as the GRANT statements that give them.
    std::vector<std::string> grants;
    // Whether the connection's role may make the additions: it may act as the owner of the
    // repository's tables.
    bool ownerMay = false;
    // The role that owns the repository's tables.
    std::string owner;

    bool Any() const { return estimates > 0 || holdIdentities || manualIdentities || manualKeys || !grants.empty(); }
};

PxSchemaGaps PxFindSchemaGaps(PxPgConnection& db);

// Makes what the repository lacks, as the owner of its tables (whoever of its members runs it),
// and grants the rights the other roles lack, in one transaction, and then takes the statistics of
// the tables whose estimates it set in another; answers what it changed, a sentence each. Each
// transaction takes its locks on the tables first, without waiting for another session's hold on
// one (an analysis or a vacuum; a session of an earlier build reading the locks) more than a lock-
// table transaction lasts, so that no session that comes to the table meanwhile queues behind it
// for longer. Throws as the server refuses, or naming the session that held a table, the change
// rolled back; statistics it could not take are left to the server's next analysis, and said so.
std::vector<std::string> PxCloseSchemaGaps(PxPgConnection& db, const PxSchemaGaps& gaps, const char* what);

// Runs the statements in a transaction of their own as the owner of the repository's tables, which
// only a role that may act as that owner may; throws as the server refuses, the transaction rolled back.
void PxRunAsOwner(PxPgConnection& db, const std::string& statements, const char* what);

// The additions as a new repository's schema makes them, after the first build's tables.
std::string PxSchemaAdditionsSql();

// Whether a generation hold the connection's role places takes an identity: the repository has
// them, and the role may draw one. Without, a hold it places has none (0).
bool PxPlacesHoldIdentities(PxPgConnection& db, const char* what);

// What the repository keeps of the manual holds: nothing (a manual hold placed gives its lock no
// identity, and a take-back names none: PxLockStore::TakeBackManual), their identity (manual_id,
// which a take-back names), or their key besides (manual_key, which a take-back names).
enum class PxManualHoldsKept { Nothing, Identity, Key };
PxManualHoldsKept PxKeptOfManualHolds(PxPgConnection& db, const char* what);
