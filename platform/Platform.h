#pragma once
// The few operating-system services the effect uses. Windows builds call Win32;
// other builds use stand-ins with the same observable behaviour.

#include <cstdint>

namespace platform {

// True while the Shift key is held down.
bool isShiftKeyDown();

// The user's default user-interface language identifier (0x0411 Japanese, 0x0409 English US, ...).
std::uint16_t userDefaultUILanguage();

// A lock for short critical sections; not copyable, not movable.
class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter();
    void leave();

private:
    // Big enough for a Win32 CRITICAL_SECTION (40 bytes on x64) and a std::mutex.
    alignas(8) unsigned char storage_[64];
};

class ScopedLock {
public:
    explicit ScopedLock(CriticalSection& section) : section_(section) { section_.enter(); }
    ~ScopedLock() { section_.leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CriticalSection& section_;
};

}  // namespace platform
