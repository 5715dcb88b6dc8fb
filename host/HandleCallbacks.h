#pragma once
// The handle functions of both utils and "PF Handle Suite". They carry no host
// reference, so they use the host bound to the calling thread.

#include "hostapi/HostApi.h"

namespace vmhost::handlecb {

PF_Handle newHandle(A_u_longlong size);
void* lockHandle(PF_Handle handle);
void unlockHandle(PF_Handle handle);
void disposeHandle(PF_Handle handle);
A_u_longlong handleSize(PF_Handle handle);
PF_Err resizeHandle(A_u_longlong newSize, PF_Handle* handle);

}  // namespace vmhost::handlecb
