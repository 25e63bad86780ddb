// Objects looked up by their window on every message. A window property
// would cost a round trip to Wine's server on each message, which made
// every notice of a large list's build many times slower; this table is
// the process's own memory.
#pragma once

#include "config/handler_failure.h"

#include <windows.h>

#include <stdexcept>
#include <unordered_map>
#include <vector>

// Windows of every thread: a shared lock guards the table.
template <typename Object> class WindowTable {
  public:
    Object* Find(HWND window) {
        AcquireSRWLockShared(&m_lock);
        auto found = m_objects.find(window);
        Object* object = found != m_objects.end() ? found->second : nullptr;
        ReleaseSRWLockShared(&m_lock);
        return object;
    }
    // False when the window has an object already or the table cannot
    // grow. The entry is made before the lock is taken, and an insertion
    // that fails under it gives the lock back: nothing waits on a lock held
    // by a failed insertion.
    bool Add(HWND window, Object* object) noexcept {
        return CatchHandlerFailure([&] {
                   Objects entry;
                   entry.emplace(window, object);
                   ExclusiveLock lock(m_lock);
                   if (!m_objects.insert(entry.extract(window)).inserted)
                       throw std::logic_error("window entered twice");
               }) == HandlerFailure::kNone;
    }
    void Remove(HWND window) noexcept {
        ExclusiveLock lock(m_lock);
        m_objects.erase(window);
    }
    // The windows entered now, in no order; as many as could be listed.
    std::vector<HWND> Windows() noexcept {
        std::vector<HWND> windows;
        AcquireSRWLockShared(&m_lock);
        CatchHandlerFailure([&] {
            windows.reserve(m_objects.size());
            for (const auto& entered : m_objects)
                windows.push_back(entered.first);
        });
        ReleaseSRWLockShared(&m_lock);
        return windows;
    }

  private:
    using Objects = std::unordered_map<HWND, Object*>;
    class ExclusiveLock {
      public:
        explicit ExclusiveLock(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
        ~ExclusiveLock() { ReleaseSRWLockExclusive(&m_lock); }
        ExclusiveLock(const ExclusiveLock&) = delete;
        ExclusiveLock& operator=(const ExclusiveLock&) = delete;

      private:
        SRWLOCK& m_lock;
    };

    SRWLOCK m_lock = SRWLOCK_INIT;
    Objects m_objects;
};
