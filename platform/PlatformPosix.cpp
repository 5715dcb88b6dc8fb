// Stand-ins for the Win32 services on systems without them. A library has no keyboard
// or desktop language of its own here, so both come from the environment, the way a
// Windows emulation layer derives them.
#include "platform/Platform.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace platform {

static_assert(sizeof(std::mutex) <= 64, "CriticalSection storage too small");

namespace {

std::mutex& mutexIn(unsigned char* storage) {
    return *std::launder(reinterpret_cast<std::mutex*>(storage));
}

const char* firstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return nullptr;
}

}  // namespace

// VELUMIXER_SHIFT_DOWN=1 stands for a held Shift key.
bool isShiftKeyDown() {
    const char* value = std::getenv("VELUMIXER_SHIFT_DOWN");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

// VELUMIXER_UI_LANGUAGE gives the identifier (decimal or 0x hex); otherwise the
// locale variables decide: Japanese for ja_*, English (US) for everything else.
std::uint16_t userDefaultUILanguage() {
    if (const char* id = std::getenv("VELUMIXER_UI_LANGUAGE"); id != nullptr && *id != '\0') {
        return static_cast<std::uint16_t>(std::strtoul(id, nullptr, 0));
    }
    const char* locale = firstSet({"LC_ALL", "LC_MESSAGES", "LANG"});
    if (locale != nullptr && std::strncmp(locale, "ja", 2) == 0) return 0x0411;
    return 0x0409;
}

CriticalSection::CriticalSection() {
    new (storage_) std::mutex();
}

CriticalSection::~CriticalSection() {
    mutexIn(storage_).~mutex();
}

void CriticalSection::enter() {
    mutexIn(storage_).lock();
}

void CriticalSection::leave() {
    mutexIn(storage_).unlock();
}

}  // namespace platform
