#include "render/RowKernelSet.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

namespace plain {
#include "render/RowKernels.inc"
}  // namespace plain

// The same loops for processors with AVX2. Everything in here has internal linkage, so no
// AVX2 code can stand in for a plain function elsewhere.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define VELUMIXER_AVX2_KERNELS 1
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
#include "render/RowKernels.inc"
}  // namespace avx2
#pragma GCC pop_options
#endif

}  // namespace

template <class Pixel>
RowKernels<Pixel> rowKernelsForThisProcessor() {
#ifdef VELUMIXER_AVX2_KERNELS
    if (__builtin_cpu_supports("avx2")) return avx2::kernelsOfThisSet<Pixel>();
#endif
    return plain::kernelsOfThisSet<Pixel>();
}

template <class Pixel>
RowKernels<Pixel> baselineRowKernels() {
    return plain::kernelsOfThisSet<Pixel>();
}

template RowKernels<PF_Pixel8> baselineRowKernels<PF_Pixel8>();
template RowKernels<PF_Pixel16> baselineRowKernels<PF_Pixel16>();
template RowKernels<PF_Pixel8> rowKernelsForThisProcessor<PF_Pixel8>();
template RowKernels<PF_Pixel16> rowKernelsForThisProcessor<PF_Pixel16>();
template RowKernels<PF_PixelFloat> rowKernelsForThisProcessor<PF_PixelFloat>();
