// Internal: what a link's objects share with it. A link keeps one proxy object per
// repository object while anything refers to it; objects outlive their link and then
// refuse every repository call.
#pragma once

#include "proxy/PxLink.h"
#include "proxy/PxObject.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class PxSession;
struct PxListRead;
struct PxObjectRow;

class PxLinkCore : public std::enable_shared_from_this<PxLinkCore> {
public:
    explicit PxLinkCore(PxLink* link) : m_link(link) {}

    void Attach(std::shared_ptr<PxSession> session);
    // Ends the link's use of its session; its objects stay but can reach nothing.
    void Close() noexcept;
    bool IsAttached() const;
    PxLink* Link() const;
    // The session, for a repository call; throws when the link is not attached.
    std::shared_ptr<PxSession> Session() const;

    // The link's proxy object for a stored object.
    PxObjectPtr Object(const PxObjectRow& row);
    // The object with this id; null when no such object was ever stored.
    PxObjectPtr Load(std::int64_t oid);
    // The link's proxy object for the stored object while something refers to it; null otherwise.
    PxObjectPtr Existing(std::int64_t oid);
    // Records the latest list read of a role through the link; answers the one before.
    std::shared_ptr<const PxListRead> ExchangeListRead(const std::string& role, std::shared_ptr<const PxListRead> read);
    void Forget(const PxObject* object) noexcept;
    // The most proxy objects the link had alive at once since this was last asked.
    std::size_t TakeMostAlive();

    // Every buffered object reads the store again at its next use.
    void ClearBuffers() noexcept { m_generation.fetch_add(1); }
    unsigned BufferGeneration() const noexcept { return m_generation.load(); }
    // The session stepped the stored editions of these objects (the new edition by id): a
    // buffer that was at the edition stepped from stays current.
    void TakeOwnEditionSteps(const std::unordered_map<std::int64_t, std::int64_t>& editions);
    // The session's transaction was rolled back: buffers are stale, and the objects it
    // created never existed.
    void AfterRollback(const std::vector<std::int64_t>& created) noexcept;

    PxRetryFunction SetRetryFunction(PxRetryFunction function) { return m_retry.exchange(function); }
    PxRetryFunction RetryFunction() const { return m_retry.load(); }
    void SetBusyWaitsShown(bool shown) { m_busyWaitsShown.store(shown); }
    bool BusyWaitsShown() const { return m_busyWaitsShown.load(); }

private:
    PxObjectPtr ExistingLocked(std::int64_t oid);

    mutable std::mutex m_mutex;
    PxLink* m_link;
    std::shared_ptr<PxSession> m_session;
    std::unordered_map<std::int64_t, PxObject*> m_objects;
    std::size_t m_mostAlive = 0;
    std::unordered_map<std::string, std::shared_ptr<const PxListRead>> m_listReads;
    std::atomic<unsigned> m_generation{1};
    std::atomic<PxRetryFunction> m_retry{nullptr};
    std::atomic<bool> m_busyWaitsShown{true};
};
