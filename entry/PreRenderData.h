#pragma once
// What travels from SmartFX pre-render to render: the frame's record in a 256-byte host
// handle. The host frees it after the frame through the deletion function we give it;
// that function receives nothing but the pointer, so the pointer carries the handle
// together with the callbacks that dispose of it.

#include "hostapi/HostApi.h"

struct PreRenderData {
    PF_Handle handle;
    PF_UtilCallbacks* utils;
};

// Disposes of the record's handle and the carrier; the host calls it once per frame.
void deletePreRenderData(void* preRenderData);
