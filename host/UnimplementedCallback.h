#pragma once
// Stand-ins for callbacks the host does not offer (yet): each has exactly the
// slot's signature and answers PF_Err_INVALID_CALLBACK, or null / nothing when
// the slot returns a pointer or nothing, so an effect never jumps to null.

#include <type_traits>

#include "hostapi/HostApi.h"

namespace vmhost {

template <class R>
R unimplementedAnswer() {
    if constexpr (std::is_void_v<R>) {
        return;
    } else if constexpr (std::is_pointer_v<R>) {
        return nullptr;
    } else {
        return static_cast<R>(PF_Err_INVALID_CALLBACK);
    }
}

template <class F>
struct Unimplemented;

template <class R, class... A>
struct Unimplemented<R (*)(A...)> {
    static R call(A...) { return unimplementedAnswer<R>(); }
};

template <class R, class... A>
struct Unimplemented<R (*)(A..., ...)> {
    static R call(A..., ...) { return unimplementedAnswer<R>(); }
};

// stubOut(table.slot) points the slot at the matching stand-in.
template <class F>
void stubOut(F& slot) {
    slot = &Unimplemented<F>::call;
}

}  // namespace vmhost
