// Fault injection for tests: makes a chosen repository operation fail, so that the
// callers' failure paths can be driven, or runs an action at it (another process acting
// at that moment). Operations are named "Class::Method" after the
// class that declares them ("PxLink::CommitTransaction", "PxVQObject::WriteLock",
// "PxObject::ObjectPresent"); "*" names every operation. Armed faults are process-wide.
#pragma once

#include <functional>

class PxFaultInjection {
public:
    // The next calls of the operation throw a PxException with the message (whose
    // IsObjectDeleted answers `objectDeleted`): `skip` calls pass first, then `times` fail.
    static void Throw(const char* operation, const char* message = "Injected repository failure", int skip = 0,
                      int times = 1, bool objectDeleted = false);
    // The next attempts of a lock operation meet a refusal with this lock error code, which
    // then takes the usual way (the retry callback, giving up, ...).
    static void RefuseLock(const char* operation, int code, int skip = 0, int times = 1);
    // Runs the action at the next call of the operation, after `skip` calls, before the
    // operation does anything.
    static void Run(const char* operation, std::function<void()> action, int skip = 0);
    // Disarms every fault.
    static void Reset();

    // Called by the repository operations on entry; throws when a fault is due.
    static void Check(const char* operation);
    // Called by the lock operations before each attempt: the injected code, or -1.
    static int TakeLockRefusal(const char* operation);
};
