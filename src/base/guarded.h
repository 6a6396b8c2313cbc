#pragma once
// A record shared between threads behind one lock that is held only to copy it or to compute
// a decision from it: readers take a consistent copy, the owner commits a whole new record, and
// a decision that must see one version of the record runs inside the lock. Nothing that waits
// (a message, a box, a file) may run under it.

#include <mutex>
#include <utility>

namespace zentrava {

template <typename Record>
class Guarded {
public:
    Guarded() = default;
    explicit Guarded(Record record) : record_(std::move(record)) {}
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    // Any thread: a consistent copy.
    Record Read() const {
        const std::lock_guard lock(mutex_);
        return record_;
    }

    // The record is copied by the caller before locking and the old one is freed after
    // unlocking, so a reader never waits on an allocation.
    void Commit(Record record) {
        {
            const std::lock_guard lock(mutex_);
            std::swap(record_, record);
        }
    }

    // Runs fn(const Record&) under the lock and returns its result. fn must only compute.
    template <typename Fn>
    auto Decide(Fn&& fn) const {
        const std::lock_guard lock(mutex_);
        return std::forward<Fn>(fn)(std::as_const(record_));
    }

    // Runs fn(Record&) under the lock: a change that depends on the record as it is now.
    template <typename Fn>
    auto Update(Fn&& fn) {
        const std::lock_guard lock(mutex_);
        return std::forward<Fn>(fn)(record_);
    }

private:
    mutable std::mutex mutex_;
    Record record_{};
};

} // namespace zentrava
