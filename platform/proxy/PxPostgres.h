// Internal: a thin layer over libpq. Every failure becomes a PxException with a text a
// user can read that names the repository when the server cannot be reached ("Cannot
// change the repository: the connection to the server of postgresql:///team was lost.").
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

struct pg_conn;
struct pg_result;

// The repository name as shown in messages: a password in the URI is left out.
std::string PxShownServerName(const std::string& uri);

// An array parameter of object ids: {1,2,3}.
std::string PxPgArray(const std::int64_t* oids, std::size_t count);
inline std::string PxPgArray(const std::vector<std::int64_t>& oids) { return PxPgArray(oids.data(), oids.size()); }
// An array parameter of texts: {"a","b"}.
std::string PxPgTextArray(const std::vector<std::string>& texts);
// A text as an element of an array parameter, quoted.
std::string PxPgArrayElement(const std::string& text);

class PxPgRows {
public:
    explicit PxPgRows(pg_result* result = nullptr) : m_result(result, &Clear) {}

    int Count() const;
    bool IsNull(int row, int column) const;
    std::int64_t Int(int row, int column) const;
    std::string Text(int row, int column) const;
    // The same text where the result keeps it, for as long as the rows live.
    std::string_view View(int row, int column) const;
    // A bytea column's bytes.
    std::string Bytes(int row, int column) const;
    // The number of rows a command changed.
    int Changed() const;
    pg_result* Result() const { return m_result.get(); }

private:
    static void Clear(pg_result* result);
    std::unique_ptr<pg_result, void (*)(pg_result*)> m_result;
};

class PxPgConnection {
public:
    // Connects; a server that cannot be reached, or has no database of the name, is
    // "Cannot open the repository <name>: ...".
    explicit PxPgConnection(const std::string& uri);
    ~PxPgConnection();
    PxPgConnection(const PxPgConnection&) = delete;
    PxPgConnection& operator=(const PxPgConnection&) = delete;

    const std::string& ShownName() const { return m_shown; }
    // Runs commands without parameters (one or several, separated by semicolons).
    void Execute(const char* sql, const char* what);
    // Runs the same commands, answering whether they ran; never throws.
    bool ExecuteQuietly(const char* sql) noexcept;
    // True while a transaction is open (or failed and not yet ended).
    bool InTransaction() const;
    // False once the connection to the server is lost.
    bool Connected() const;
    // From here every wait of the process's connections for the server's answer ends by
    // `deadline` at the latest (the module's last tries): past it the connection is cut, and the
    // call fails as on a lost connection. Without one, an answer is waited for as long as it takes.
    static void BoundAnswerWaits(std::optional<std::chrono::steady_clock::time_point> deadline) noexcept;
    // The round trips to a server every connection of the process made so far.
    static std::int64_t RoundTrips() noexcept;
    // The transactions the server began for them: a round trip that finds its connection
    // outside a transaction begins one.
    static std::int64_t Transactions() noexcept;
    // The rows their statements answered.
    static std::int64_t RowsReceived() noexcept;
    // Whether the last failure was another session being in the way (a lock timeout).
    bool LastFailureBusy() const { return m_lastBusy; }
    // The SQLSTATE of the last failure ("" when the connection was lost).
    const std::string& LastFailureState() const { return m_lastState; }
    // The names of the statements the connection counts as prepared on the server, sorted.
    std::vector<std::string> PreparedNames() const;

    // A run of a prepared statement (prepared once per connection, in the round trip of its
    // first run, keyed by the SQL text's address); parameters are bound in order ($1, $2, ...).
    class Query {
    public:
        Query(PxPgConnection& connection, const char* sql, const char* what);
        Query& Bind(std::int64_t value);
        Query& Bind(const std::string& text);
        Query& Bind(const char* text) { return Bind(std::string(text ? text : "")); }
        Query& BindBytes(const std::string& bytes);
        Query& BindNull();
        PxPgRows Run();

    private:
        friend class PxPgConnection;
        // Sends the run without waiting for its answer (pipeline mode); false when it
        // could not be sent.
        bool Send(const std::string& name);

        PxPgConnection& m_connection;
        const char* m_sql;
        const char* m_what;
        std::vector<std::string> m_values;
        std::vector<bool> m_null;
        std::vector<int> m_formats;
    };

    // Runs the queries in order in one round trip (libpq's pipeline mode), answering the
    // rows of each. The first failure throws as Fail does; the queries after it do not run.
    std::vector<PxPgRows> Pipeline(std::initializer_list<Query*> queries);
    std::vector<PxPgRows> Pipeline(const std::vector<Query*>& queries);

    // Sends the trips one after another, each as Pipeline would run it, and answers at once: a
    // thread of the connection sends them as fast as the server takes them in, so that they
    // reach it whatever the caller does meanwhile, and then reads their answers (a trip that
    // prepares a statement is answered before the next is sent). Their answers are for Receive;
    // any other use of the connection waits for the thread first.
    void Send(std::vector<std::vector<Query>> trips);
    // The answers of the trips sent, in order: each trip's rows, or none where it failed (the
    // server refused it, or the connection was lost); no transaction is left open.
    std::vector<std::optional<std::vector<PxPgRows>>> Receive();
    // Whether every trip sent has been answered, so that Receive does not wait for the server;
    // asked without waiting for Send's thread (by the connection's user, as any other use).
    bool AllAnswered() const;

    // Sends the queries in one round trip and leaves their answers on the connection, where
    // the server waits while the connection holds as much as it takes in, until
    // TakeFlightAnswer takes them, in order; any other use of the connection first drops what
    // is left (the server stops the query it runs and skips the rest). False, with nothing
    // sent, when the connection is in a transaction or is to prepare its statements again.
    bool SendFlight(std::vector<Query> queries);
    // The rows of the next query of the flight; its failure (a refusal, a lost connection)
    // throws as Fail does, the rest of the flight forgotten.
    PxPgRows TakeFlightAnswer();
    // The answers of the flight not taken yet.
    std::size_t FlightLeft() const { return m_flight ? m_flight->runs - m_flight->taken : 0; }
    // Reads and forgets what is left of the flight.
    void DropFlight() noexcept;

    // The time a statement waits for a lock another session holds before it fails as busy: the
    // connection's own (a statement of its own, one round trip) ...
    void SetLockTimeout(int milliseconds, const char* what);
    // ... or, while set, a wait of its own for the statements from now on, set in each trip
    // (Execute, Pipeline, Query::Run, Send) ahead of its statements and local to the trip's
    // transaction, so that it costs no round trip; none goes back to the connection's own.
    void SetTripLockTimeout(std::optional<int> milliseconds) { m_tripLockTimeout = milliseconds; }
    std::optional<int> TripLockTimeout() const { return m_tripLockTimeout; }
    // Told of every statement that waited out its lock timeout (milliseconds): how long the
    // connection's user was kept waiting for another session's lock.
    void SetBusyWaitListener(void (*listener)(int milliseconds)) { m_busyWaitListener = listener; }

    // Writes put off to go with the next round trip: before each round trip but a quiet one,
    // `ahead` is asked for a query to run first in that trip; it answers none when nothing
    // waits.
    void SetAhead(std::function<std::optional<Query>()> ahead) { m_ahead = std::move(ahead); }

    // Plans made while the tables were small are not kept as they grow: every few runs a trip
    // carries `sizes` (one row: a size of each table the statements read) ahead of its own
    // queries; once a size has doubled since the statements were prepared (the least size the
    // checks found since), the next trip drops them all and prepares them again, so that the
    // server plans them with the tables as they are. Tables that double again and again cost
    // few preparations in all.
    void PrepareAgainOnGrowth(const char* sizes) { m_sizes = sizes; }
    // The same checked in every trip, for a connection that keeps one plan of each statement
    // (a generic plan, which the server may also make again at any run with the tables as they
    // are then): `guard` takes a limit for each of its `tables` ($1, $2, ...; null for none)
    // and answers their sizes, then one more column; when a size is past its limit it has the
    // server plan each run of the trip's transaction with its values and the tables as they are
    // (plan_cache_mode), so that no run uses a plan made while a table held less than half
    // what it holds.
    void GuardPlansAgainstGrowth(const char* guard, int tables)
    {
        m_sizes = guard;
        m_guardedTables = tables;
    }

    // Throws the failure of the last command: `what` is a text with the reason as its last
    // insert (pxwhat). The SQLSTATE tells a busy repository or a full disk from the rest.
    // An open transaction the failure spoiled is rolled back.
    [[noreturn]] void Fail(const char* what, const char* sqlState);

private:
    // Fail with the server's message of the failed command.
    [[noreturn]] void Fail(const char* what, const char* sqlState, const std::string& serverMessage);
    // The failure of the last command as a reason a user can read; notes whether it was
    // another session in the way.
    std::string FailureReason(const char* sqlState, const std::string& serverMessage);
    // The name the statement was prepared under on this connection; null while it is not.
    const std::string* PreparedName(const char* sql) const;
    // A name no statement of this connection had before.
    std::string NewStatementName();
    std::optional<Query> Ahead() const;
    // Whether the next trip carries the sizes' check; the check's answer, once it came, from a
    // trip that prepared the statements again or not.
    bool SizesDue() const;
    std::optional<Query> SizesCheck(const char* what);
    // The statement that sets the trip's own lock timeout, while one is set.
    std::optional<Query> TripTimeout(const char* what);
    int LockTimeoutInForce() const { return m_tripLockTimeout.value_or(m_lockTimeout); }
    // A statement of a trip failed as `state` says, with `lockTimeout` in force.
    void NoteFailure(const std::string& state, int lockTimeout) const;
    void NoteSizes(const PxPgRows& sizes, bool preparedAgain);
    // The size past which a table counts as grown since the statements were prepared.
    std::int64_t GrownPast(std::size_t table) const;
    // The trip itself: the queries in order, each prepared first where it is not.
    std::vector<PxPgRows> Trip(const std::vector<Query*>& queries);
    // Each drop, preparation and run of a trip answers one result, in order.
    enum class Step { Drop, Preparation, Run };
    struct Answer {
        Step step;
        const char* sql;
        const char* what;
        std::string name;
        int lockTimeout = 0; // in force as it runs
    };
    struct SentTrip {
        std::vector<Answer> expected;
        const char* what = nullptr;
        bool sent = false;
        bool sizes = false; // its first query of the caller's is the check of the tables' sizes
        bool timed = false; // its first query sets its lock timeout
        int lockTimeout = 0; // in force for its statements once its own is set
        std::size_t answered = 0; // of `expected`, read so far
        bool ended = false; // its end (the sync) was read
    };
    // What the next result of a trip was: one of its answers (with its step; none for a result
    // past them, a connection lost after every step answered), its end, or a lost connection.
    struct Reply {
        enum class Kind { Answer, End, Lost };
        Kind kind;
        PxPgRows rows;
        const Answer* step = nullptr;
    };
    struct TripFailure {
        const char* what = nullptr;
        std::string state;
        std::string message;
        int lockTimeout = 0; // in force for the failed step
    };
    // Sends the queries of a trip in pipeline mode, and the sync that ends it. Each statement
    // not prepared yet is prepared in the trip, all of them before the first run but the trip's
    // lock timeout, so that no preparation runs after a statement that takes a lock, and none
    // waits for a table longer than the trip's statements; `preparing` names those prepared by
    // the trips sent before it and not answered yet. With `dropping`, every statement is
    // dropped first. `lockTimeout` is in force once the trip's own is set.
    SentTrip SendTrip(const std::vector<Query*>& queries, bool dropping,
                      std::unordered_map<const char*, std::string>& preparing, int lockTimeout);
    // The preparations of the queries not prepared yet, then their runs.
    void ExpectSteps(SentTrip& trip, std::vector<Query*>::const_iterator first,
                     std::vector<Query*>::const_iterator last, bool dropping,
                     std::unordered_map<const char*, std::string>& preparing);
    // The lock timeout each step waits under: the connection's until the trip's own is set, and
    // then `lockTimeout`.
    void NoteLockTimeouts(SentTrip& trip, int lockTimeout) const;
    // Whether the connection to the server is up, asked without waiting for Send's thread
    // (on that thread, say).
    bool Live() const;
    // What PQexec answers, the command sent (`sent`, as libpq's send answered), but waited for
    // as NextResult waits.
    pg_result* Exec(int sent);
    // The next result of the command sent (PQgetResult), waited for no later than the bound of
    // BoundAnswerWaits.
    pg_result* NextResult();
    // Waits until the server's answer can be read; false when the bound passed first, the
    // connection cut.
    bool AwaitAnswer();
    // Reads the next result of the trip. Every reader of a trip reads through here, so that
    // the statements the connection counts as prepared are those the server answered it
    // prepared, and not dropped since, however the trip ends.
    Reply ReadReply(SentTrip& trip);
    // Reads the trip's answers up to its end, noting its first failure; false when the
    // connection was lost before its end.
    bool ReadTrip(SentTrip& trip, std::vector<PxPgRows>& answers, TripFailure& failure);
    // Sends each trip of Send, on its thread, in pipeline mode.
    void SendEach(std::vector<std::vector<Query>>& trips, const std::vector<SentTrip>& leads);
    // Reads the answers of the trips sent and not read yet, on Send's thread; false when the
    // connection was lost before the last one's end, so that nothing more can be read.
    bool ReadSent();
    // Ends Send's pipeline once every answer was read, with no transaction left failed.
    void LeavePipeline();
    // Waits until Send's thread has sent everything and read the answers.
    void AwaitSending() const;

    pg_conn* m_connection = nullptr;
    std::string m_shown;
    bool m_lastBusy = false;
    std::string m_lastState;
    std::unordered_map<const char*, std::string> m_statements;
    std::uint64_t m_namesGiven = 0;
    std::function<std::optional<Query>()> m_ahead;
    int m_lockTimeout = 0; // the server's default: none
    std::optional<int> m_tripLockTimeout;
    std::atomic<void (*)(int milliseconds)> m_busyWaitListener{nullptr}; // also read by Send's thread
    const char* m_sizes = nullptr;
    int m_guardedTables = 0;
    std::vector<std::int64_t> m_sizesPrepared;
    std::int64_t m_runsSinceSizes = 0;
    bool m_prepareAgain = false;
    mutable std::thread m_sending; // of Send, while it sends and reads the answers
    std::atomic<bool> m_answered{true}; // Send's thread has read every answer
    std::vector<SentTrip> m_sent;
    // The queries of a flight, sent as one trip; their answers are taken as they are needed.
    struct Flight {
        SentTrip trip;
        std::size_t runs = 0;
        std::size_t taken = 0;
    };
    std::optional<Flight> m_flight;
    std::vector<std::optional<std::vector<PxPgRows>>> m_received;
};
