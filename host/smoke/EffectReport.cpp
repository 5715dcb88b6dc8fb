#include "EffectReport.h"

#include <cstdio>
#include <utility>

namespace vmhost::smoke {

namespace {

struct FlagName {
    A_long bit;
    const char* name;
};

#define VM_FLAG(prefix, name) {prefix##name, #name}

constexpr FlagName kOutFlags[] = {
    VM_FLAG(PF_OutFlag_, KEEP_RESOURCE_OPEN),        VM_FLAG(PF_OutFlag_, WIDE_TIME_INPUT),
    VM_FLAG(PF_OutFlag_, NON_PARAM_VARY),            VM_FLAG(PF_OutFlag_, SEQUENCE_DATA_NEEDS_FLATTENING),
    VM_FLAG(PF_OutFlag_, I_DO_DIALOG),               VM_FLAG(PF_OutFlag_, USE_OUTPUT_EXTENT),
    VM_FLAG(PF_OutFlag_, SEND_DO_DIALOG),            VM_FLAG(PF_OutFlag_, DISPLAY_ERROR_MESSAGE),
    VM_FLAG(PF_OutFlag_, I_EXPAND_BUFFER),           VM_FLAG(PF_OutFlag_, PIX_INDEPENDENT),
    VM_FLAG(PF_OutFlag_, I_WRITE_INPUT_BUFFER),      VM_FLAG(PF_OutFlag_, I_SHRINK_BUFFER),
    VM_FLAG(PF_OutFlag_, WORKS_IN_PLACE),            VM_FLAG(PF_OutFlag_, CUSTOM_UI),
    VM_FLAG(PF_OutFlag_, REFRESH_UI),                VM_FLAG(PF_OutFlag_, NOP_RENDER),
    VM_FLAG(PF_OutFlag_, I_USE_SHUTTER_ANGLE),       VM_FLAG(PF_OutFlag_, I_USE_AUDIO),
    VM_FLAG(PF_OutFlag_, I_AM_OBSOLETE),             VM_FLAG(PF_OutFlag_, FORCE_RERENDER),
    VM_FLAG(PF_OutFlag_, PiPL_OVERRIDES_OUTDATA_OUTFLAGS), VM_FLAG(PF_OutFlag_, I_HAVE_EXTERNAL_DEPENDENCIES),
    VM_FLAG(PF_OutFlag_, DEEP_COLOR_AWARE),          VM_FLAG(PF_OutFlag_, SEND_UPDATE_PARAMS_UI),
    VM_FLAG(PF_OutFlag_, AUDIO_FLOAT_ONLY),          VM_FLAG(PF_OutFlag_, AUDIO_IIR),
    VM_FLAG(PF_OutFlag_, I_SYNTHESIZE_AUDIO),        VM_FLAG(PF_OutFlag_, AUDIO_EFFECT_TOO),
    VM_FLAG(PF_OutFlag_, AUDIO_EFFECT_ONLY),
};

constexpr FlagName kOutFlags2[] = {
    VM_FLAG(PF_OutFlag2_, SUPPORTS_QUERY_DYNAMIC_FLAGS),
    VM_FLAG(PF_OutFlag2_, I_USE_3D_CAMERA),
    VM_FLAG(PF_OutFlag2_, I_USE_3D_LIGHTS),
    VM_FLAG(PF_OutFlag2_, PARAM_GROUP_START_COLLAPSED_FLAG),
    VM_FLAG(PF_OutFlag2_, I_AM_THREADSAFE),
    VM_FLAG(PF_OutFlag2_, CAN_COMBINE_WITH_DESTINATION),
    VM_FLAG(PF_OutFlag2_, DOESNT_NEED_EMPTY_PIXELS),
    VM_FLAG(PF_OutFlag2_, REVEALS_ZERO_ALPHA),
    VM_FLAG(PF_OutFlag2_, PRESERVES_FULLY_OPAQUE_PIXELS),
    VM_FLAG(PF_OutFlag2_, SUPPORTS_SMART_RENDER),
    VM_FLAG(PF_OutFlag2_, FLOAT_COLOR_AWARE),
    VM_FLAG(PF_OutFlag2_, I_USE_COLORSPACE_ENUMERATION),
    VM_FLAG(PF_OutFlag2_, I_AM_DEPRECATED),
    VM_FLAG(PF_OutFlag2_, PPRO_DO_NOT_CLONE_SEQUENCE_DATA_FOR_RENDER),
    VM_FLAG(PF_OutFlag2_, AUTOMATIC_WIDE_TIME_INPUT),
    VM_FLAG(PF_OutFlag2_, I_USE_TIMECODE),
    VM_FLAG(PF_OutFlag2_, DEPENDS_ON_UNREFERENCED_MASKS),
    VM_FLAG(PF_OutFlag2_, OUTPUT_IS_WATERMARKED),
    VM_FLAG(PF_OutFlag2_, I_MIX_GUID_DEPENDENCIES),
    VM_FLAG(PF_OutFlag2_, AE13_5_THREADSAFE),
    VM_FLAG(PF_OutFlag2_, SUPPORTS_GET_FLATTENED_SEQUENCE_DATA),
    VM_FLAG(PF_OutFlag2_, CUSTOM_UI_ASYNC_MANAGER),
    VM_FLAG(PF_OutFlag2_, SUPPORTS_GPU_RENDER_F32),
    VM_FLAG(PF_OutFlag2_, SUPPORTS_THREADED_RENDERING),
    VM_FLAG(PF_OutFlag2_, MUTABLE_RENDER_SEQUENCE_DATA_SLOWER),
};

#undef VM_FLAG

std::string hex32(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

template <std::size_t N>
std::string describeFlags(A_long flags, const FlagName (&names)[N]) {
    const auto bits = static_cast<std::uint32_t>(flags);
    std::string text = hex32(bits);
    std::uint32_t named = 0;
    std::string list;
    for (const FlagName& flag : names) {
        const auto bit = static_cast<std::uint32_t>(flag.bit);
        if (bits & bit) {
            list += (list.empty() ? "" : " | ") + std::string(flag.name);
            named |= bit;
        }
    }
    for (int b = 0; b < 32; ++b) {
        if ((bits & ~named) & (1u << b)) list += (list.empty() ? "" : " | ") + std::string("bit ") + std::to_string(b);
    }
    return list.empty() ? text : text + " = " + list;
}

}  // namespace

std::string describeVersion(A_u_long packed) {
    static const char* const kStages[] = {"Develop", "Alpha", "Beta", "Release"};
    const unsigned major = (packed >> 19) & 0x7F;
    const unsigned minor = (packed >> 15) & 0xF;
    const unsigned bugFix = (packed >> 11) & 0xF;
    const unsigned stage = (packed >> 9) & 0x3;
    const unsigned build = packed & 0x1FF;
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(bugFix) + " " +
           kStages[stage] + " build " + std::to_string(build) + " (" + hex32(packed) + ")";
}

std::string describeOutFlags(PF_OutFlags flags) {
    return describeFlags(flags, kOutFlags);
}

std::string describeOutFlags2(PF_OutFlags2 flags) {
    return describeFlags(flags, kOutFlags2);
}

std::string indentMessage(const std::string& message, const std::string& indent) {
    std::string text = indent;
    for (std::size_t i = 0; i < message.size(); ++i) {
        const char c = message[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
            text += "\n" + indent;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace vmhost::smoke
