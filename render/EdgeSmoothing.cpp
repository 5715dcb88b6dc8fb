#include "render/EdgeSmoothing.h"

#include "AEUtil/SuiteScope.h"
#include "render/EdgeBandCopy.h"
#include "render/EdgeFlagBuilder.h"
#include "render/EdgeFlagMap.h"
#include "render/EdgeSmoothContext.h"
#include "render/EdgeSmoothDepth.h"
#include "render/EdgeSmoothingScan.h"
#include "render/PixelTask.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <vector>

namespace {

// Bands the blends are decided and applied in. Their number does not change the result; enough
// of them keep every worker busy when some bands hold more edges than others.
constexpr std::int32_t kSmoothingBands = 16;
// The rows at the top of a band whose blends it keeps: a quarter of the band, at most 8.
// Blends from the band above reach a few rows down in most pictures (two at most in the
// benchmark's cel art); where they reach further, the band decides again. Every kept row
// costs its blends an entry each, so the cap stays small.
constexpr std::int32_t kKeptShare = 4;
constexpr std::int32_t kMostKeptRows = 8;

template <class Pixel>
struct SmoothingJob {
    EdgeFlagMap& flags;
    const PF_EffectWorld& source;
    PF_EffectWorld& destination;
    typename EdgeSmoothDepth<Pixel>::Threshold threshold;
    std::uint32_t strength;
    std::int32_t curve;
    std::vector<EdgeBlendLog<Pixel>>& logs;  // one per band

    EdgeSmoothContext<Pixel> context(std::int32_t band) const {
        return EdgeSmoothContext<Pixel>(flags, source, logs[static_cast<std::size_t>(band)], strength, curve);
    }
};

template <class Pixel>
PF_Err buildFlagBand(const SmoothingJob<Pixel>& job, std::int32_t i, std::int32_t n) {
    const Band band = rowBand(i, n, job.source.height);
    // Row by row, so that each row is still in cache from its clearing when it is built.
    for (std::int32_t y = band.first; y < band.first + band.count; ++y) {
        job.flags.clearRows(y, y + 1);
        buildEdgeFlagRows<Pixel>(job.flags, job.source, job.threshold, y, y + 1);
    }
    return PF_Err_NONE;
}

// Copies the band's rows and applies its blends of them; keeps the others. Each row is copied
// as the blends reach it, so its pixels are still in cache when they are blended; no other
// band writes these rows before the join.
template <class Pixel>
PF_Err smoothBand(const SmoothingJob<Pixel>& job, std::int32_t i, std::int32_t n) {
    const Band band = rowBand(i, n, job.source.height);
    EdgeBlendLog<Pixel>& log = job.logs[static_cast<std::size_t>(i)];
    log.start(job.source, job.destination, band.first, band.first + band.count,
              std::min(band.count / kKeptShare, kMostKeptRows));
    smoothFlaggedRows(job.context(i), band.first, band.first + band.count);
    log.finishCopy();
    return PF_Err_NONE;
}

// Brings in the blends other bands made on this band's rows. Pixels the bands above blended
// go back to their source value and take those blends, then their own band's again; the
// blends of the bands below come last.
template <class Pixel>
PF_Err joinBand(const SmoothingJob<Pixel>& job, std::int32_t i, std::int32_t n) {
    const Band band = rowBand(i, n, job.source.height);
    if (band.count == 0) return PF_Err_NONE;
    const std::int32_t first = band.first, end = band.first + band.count;
    const auto logOf = [&job](std::int32_t b) -> EdgeBlendLog<Pixel>& { return job.logs[static_cast<std::size_t>(b)]; };

    std::vector<std::int64_t> fromAbove;
    for (std::int32_t b = 0; b < i; ++b) logOf(b).addTargets(first, end, fromAbove);
    if (!fromAbove.empty()) {
        std::sort(fromAbove.begin(), fromAbove.end());
        fromAbove.erase(std::unique(fromAbove.begin(), fromAbove.end()), fromAbove.end());
        const std::int32_t width = job.source.width;
        for (const std::int64_t key : fromAbove) {
            const auto x = static_cast<std::int32_t>(key % width), y = static_cast<std::int32_t>(key / width);
            *worldPixel<Pixel>(job.destination, x, y) = *worldPixel<const Pixel>(job.source, x, y);
        }
        for (std::int32_t b = 0; b < i; ++b) logOf(b).applyOthers(first, end);
        if (logOf(i).keptAll(fromAbove)) {
            logOf(i).applyKept(fromAbove);
        } else {
            // Blends from above reached further down than the band kept its own: decide again.
            logOf(i).restart(fromAbove);
            smoothFlaggedRows(job.context(i), first, end);
        }
    }
    for (std::int32_t b = i + 1; b < n; ++b) logOf(b).applyOthers(first, end);
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err smoothEdgesIn(const EdgeSmoothSettings& settings) {
    const PF_EffectWorld& source = *settings.source;
    PF_EffectWorld& destination = *settings.destination;
    if (source.width != destination.width || source.height != destination.height) return PF_Err_BAD_CALLBACK_PARAM;

    AEUtil::SuiteScope suites(settings.inData->pica_basicP);
    const auto* transform =
        suites.acquire<PF_WorldTransformSuite1>(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    // Taken before the scratch world exists, so a missing suite cannot strand one.
    const auto* worlds = suites.acquire<PF_WorldSuite1>(kPFWorldSuite, kPFWorldSuiteVersion1);

    const PF_ProgPtr effectRef = settings.inData->effect_ref;
    if (settings.strength == 0) {
        // Nothing to smooth: the host's copy, whose result is the pass's.
        // The host's copy never writes its source; its signature just lacks the const.
        return transform->copy(effectRef, const_cast<PF_EffectWorld*>(&source), &destination, nullptr, nullptr);
    }
    // Otherwise each band copies its own rows just before it smooths them (smoothBand): the
    // host's copy would run on one thread and leave the destination out of cache.
    EdgeFlagMap flags;
    // The map is cleared band by band in the flag build, not on this thread.
    if (const PF_Err err = flags.create(*worlds, effectRef, source.width, source.height, false);
        err != PF_Err_NONE) {
        // Without a map the destination still holds the unsmoothed copy.
        copyRows<Pixel>(source, destination, 0, source.height);
        return err;
    }
    std::vector<EdgeBlendLog<Pixel>> logs(kSmoothingBands);
    const SmoothingJob<Pixel> job{flags,
                                  source,
                                  destination,
                                  EdgeSmoothDepth<Pixel>::threshold(settings.threshold),
                                  settings.strength,
                                  settings.curve,
                                  logs};
    PF_InData* inData = settings.inData;
    if (const PF_Err err = runPixelTask<SmoothingJob<Pixel>, buildFlagBand<Pixel>>(
            inData, PF_Iterations_ONCE_PER_PROCESSOR, job)) {
        return err;
    }
    if (const PF_Err err = runPixelTask<SmoothingJob<Pixel>, smoothBand<Pixel>>(inData, kSmoothingBands, job)) {
        return err;
    }
    return runPixelTask<SmoothingJob<Pixel>, joinBand<Pixel>>(inData, kSmoothingBands, job);
}

}  // namespace

PF_Err smoothEdges(const EdgeSmoothSettings& settings) {
    if (settings.inData == nullptr || settings.source == nullptr || settings.destination == nullptr) {
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    if (settings.variant != 0) return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    switch (settings.pixelFormat) {
    case kPixelFormat8:
        return smoothEdgesIn<PF_Pixel8>(settings);
    case kPixelFormat16:
        return smoothEdgesIn<PF_Pixel16>(settings);
    case kPixelFormat32:
        return smoothEdgesIn<PF_PixelFloat>(settings);
    default:
        return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    }
}
