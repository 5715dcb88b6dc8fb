#include "host/AnsiCallbacks.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vmhost {

namespace {

// The host cannot know the buffer size either; like the C function it trusts
// the caller.
int hostSprintf(A_char* buffer, const A_char* format, ...) {
    if (!buffer || !format) return -1;
    va_list args;
    va_start(args, format);
    const int written = std::vsprintf(buffer, format, args);
    va_end(args);
    return written;
}

A_char* hostStrcpy(A_char* destination, const A_char* source) {
    if (!destination || !source) return destination;
    return std::strcpy(destination, source);
}

// Plain wrappers: the <cmath> names are overloaded, so their addresses are ambiguous.
A_FpLong hostAtan(A_FpLong x) { return std::atan(x); }
A_FpLong hostAtan2(A_FpLong y, A_FpLong x) { return std::atan2(y, x); }
A_FpLong hostCeil(A_FpLong x) { return std::ceil(x); }
A_FpLong hostCos(A_FpLong x) { return std::cos(x); }
A_FpLong hostExp(A_FpLong x) { return std::exp(x); }
A_FpLong hostFabs(A_FpLong x) { return std::fabs(x); }
A_FpLong hostFloor(A_FpLong x) { return std::floor(x); }
A_FpLong hostFmod(A_FpLong x, A_FpLong y) { return std::fmod(x, y); }
A_FpLong hostHypot(A_FpLong x, A_FpLong y) { return std::hypot(x, y); }
A_FpLong hostLog(A_FpLong x) { return std::log(x); }
A_FpLong hostLog10(A_FpLong x) { return std::log10(x); }
A_FpLong hostPow(A_FpLong x, A_FpLong y) { return std::pow(x, y); }
A_FpLong hostSin(A_FpLong x) { return std::sin(x); }
A_FpLong hostSqrt(A_FpLong x) { return std::sqrt(x); }
A_FpLong hostTan(A_FpLong x) { return std::tan(x); }
A_FpLong hostAsin(A_FpLong x) { return std::asin(x); }
A_FpLong hostAcos(A_FpLong x) { return std::acos(x); }

}  // namespace

PF_ANSICallbacks makeAnsiCallbacks() {
    PF_ANSICallbacks ansi{};
    ansi.atan = hostAtan;
    ansi.atan2 = hostAtan2;
    ansi.ceil = hostCeil;
    ansi.cos = hostCos;
    ansi.exp = hostExp;
    ansi.fabs = hostFabs;
    ansi.floor = hostFloor;
    ansi.fmod = hostFmod;
    ansi.hypot = hostHypot;
    ansi.log = hostLog;
    ansi.log10 = hostLog10;
    ansi.pow = hostPow;
    ansi.sin = hostSin;
    ansi.sqrt = hostSqrt;
    ansi.tan = hostTan;
    ansi.sprintf = hostSprintf;
    ansi.strcpy = hostStrcpy;
    ansi.asin = hostAsin;
    ansi.acos = hostAcos;
    return ansi;
}

}  // namespace vmhost
