// The probe's pixel work: a scratch world from the world suite, copies
// through the World Transform suite, and an inversion on the worker threads.

#include "ProbeCommands.h"

namespace probe {

namespace {

// One suite held for the length of a call.
class HeldSuite {
public:
    HeldSuite(SPBasicSuite* sp, const char* name, int32_t version) : sp_(sp), name_(name), version_(version) {
        if (sp_ && sp_->AcquireSuite(name, version, &table_) != kSPNoError) table_ = nullptr;
    }
    ~HeldSuite() {
        if (table_) sp_->ReleaseSuite(name_, version_);
    }
    HeldSuite(const HeldSuite&) = delete;
    HeldSuite& operator=(const HeldSuite&) = delete;
    template <class Suite>
    const Suite* as() const {
        return static_cast<const Suite*>(table_);
    }

private:
    SPBasicSuite* sp_;
    const char* name_;
    int32_t version_;
    const void* table_ = nullptr;
};

struct Inversion {
    PF_EffectWorld* source;
    PF_EffectWorld* destination;
    PF_PixelFormat format;
};

template <class Pixel, class Channel>
void invertRow(const Pixel* from, Pixel* to, A_long width, Channel full) {
    for (A_long x = 0; x < width; ++x) {
        to[x].alpha = from[x].alpha;
        to[x].red = full - from[x].red;
        to[x].green = full - from[x].green;
        to[x].blue = full - from[x].blue;
    }
}

// Rows are dealt out by thread: each worker writes only its own rows.
PF_Err invertRows(void* refcon, A_long thread, A_long, A_long threads) {
    const auto* job = static_cast<const Inversion*>(refcon);
    for (A_long y = thread; y < job->destination->height; y += threads) {
        const char* from = reinterpret_cast<const char*>(job->source->data) + y * job->source->rowbytes;
        char* to = reinterpret_cast<char*>(job->destination->data) + y * job->destination->rowbytes;
        const A_long width = job->destination->width;
        if (job->format == PF_PixelFormat_ARGB32)
            invertRow(reinterpret_cast<const PF_Pixel8*>(from), reinterpret_cast<PF_Pixel8*>(to), width, A_u_char(255));
        else if (job->format == PF_PixelFormat_ARGB64)
            invertRow(reinterpret_cast<const PF_Pixel16*>(from), reinterpret_cast<PF_Pixel16*>(to), width,
                      A_u_short(32768));
        else
            invertRow(reinterpret_cast<const PF_PixelFloat*>(from), reinterpret_cast<PF_PixelFloat*>(to), width, 1.0f);
    }
    return PF_Err_NONE;
}

PF_Err newScratchWorld(PF_InData* in, const PF_WorldSuite2* v2, const PF_WorldSuite1* v1, PF_PixelFormat format,
                       const PF_EffectWorld& like, PF_EffectWorld* world) {
    if (v2) return v2->PF_NewWorld(in->effect_ref, like.width, like.height, 1, format, world);
    if (!v1 || format == PF_PixelFormat_ARGB128) return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    const PF_NewWorldFlags deep = format == PF_PixelFormat_ARGB64 ? PF_NewWorldFlag_DEEP_PIXELS : 0;
    return v1->new_world(in->effect_ref, like.width, like.height, PF_NewWorldFlag_CLEAR_PIXELS | deep, world);
}

}  // namespace

PF_Err renderPixels(PF_InData* in, A_long mode, PF_EffectWorld* input, PF_EffectWorld* output) {
    HeldSuite version2(in->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
    HeldSuite version1(in->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion1);
    HeldSuite transformSuite(in->pica_basicP, kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    const auto* v2 = version2.as<PF_WorldSuite2>();
    const auto* v1 = version1.as<PF_WorldSuite1>();
    const auto* transform = transformSuite.as<PF_WorldTransformSuite1>();
    if ((!v1 && !v2) || !transform) return PF_Err_INVALID_CALLBACK;

    PF_PixelFormat format = PF_PixelFormat_ARGB32;
    if (v2) {
        if (const PF_Err err = v2->PF_GetPixelFormat(input, &format)) return err;
    } else if (input->world_flags & PF_WorldFlag_DEEP) {
        format = PF_PixelFormat_ARGB64;
    }
    PF_EffectWorld scratch{};
    if (const PF_Err err = newScratchWorld(in, v2, v1, format, *input, &scratch)) return err;
    auto copy = in->quality == PF_Quality_HI ? transform->copy_hq : transform->copy;
    PF_Err err = copy(in->effect_ref, input, &scratch, nullptr, nullptr);
    if (err == PF_Err_NONE) {
        if (mode == kModeCopy) {
            err = copy(in->effect_ref, &scratch, output, nullptr, nullptr);
        } else {
            Inversion job{&scratch, output, format};
            err = in->utils->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &job, invertRows);
        }
    }
    if (v2)
        v2->PF_DisposeWorld(in->effect_ref, &scratch);
    else
        v1->dispose_world(in->effect_ref, &scratch);
    if (err == PF_Err_NONE) err = in->inter.progress(in->effect_ref, 1, 1);
    return err;
}

}  // namespace probe
