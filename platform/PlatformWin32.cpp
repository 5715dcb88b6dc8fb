#include "platform/Platform.h"

#include <windows.h>

#include <new>

namespace platform {

static_assert(sizeof(CRITICAL_SECTION) <= 64, "CriticalSection storage too small");

bool isShiftKeyDown() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

std::uint16_t userDefaultUILanguage() {
    return GetUserDefaultUILanguage();
}

CriticalSection::CriticalSection() {
    InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}

CriticalSection::~CriticalSection() {
    DeleteCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}

void CriticalSection::enter() {
    EnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}

void CriticalSection::leave() {
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}

}  // namespace platform
