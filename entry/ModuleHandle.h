#pragma once

// The effect module's own instance handle (HINSTANCE on Windows), kept at load time;
// resources such as dialog templates are loaded from it.
extern void* moduleHandle;
