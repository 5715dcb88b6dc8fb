#pragma once
// How the effect presents itself to the host. The PiPL resource is generated from these
// values at build time and PF_Cmd_GLOBAL_SETUP reports the same ones, so they cannot drift.

#include <cstdint>

#include "resources/VersionNumbers.h"

namespace plugin {

constexpr const char kDisplayName[] = "Velumixer";
constexpr const char kCategory[] = "TRELM";
constexpr const char kMatchName[] = "TRELM VELUMIX";
constexpr const char kEntryPointName[] = "EntryPointFunc";

constexpr const char kCopyrightNotice[] = "Copyright (C) TRELM. All rights reserved.";

// Major, minor, bug-fix and build come from the build (VersionNumbers.h).
constexpr int kStage = 3;  // PF_Stage_RELEASE
constexpr const char kStageWord[] = "Release";

// The host's version packing: major<<19 | minor<<15 | bug-fix<<11 | stage<<9 | build.
constexpr std::int32_t packVersion(int major, int minor, int bug, int stage, int build) {
    return (major << 19) | (minor << 15) | (bug << 11) | (stage << 9) | build;
}
static_assert(packVersion(1, 1, 1, 3, 8) == 560648, "version packing");
static_assert(kMajorVersion < 4096 && kMinorVersion < 16 && kBugVersion < 16 && kBuild < 512,
              "the version does not fit the host's packing");
constexpr std::int32_t kPackedVersion = packVersion(kMajorVersion, kMinorVersion, kBugVersion, kStage, kBuild);

// SEQUENCE_DATA_NEEDS_FLATTENING | I_DO_DIALOG | USE_OUTPUT_EXTENT | PIX_INDEPENDENT |
// DEEP_COLOR_AWARE | SEND_UPDATE_PARAMS_UI
constexpr std::int32_t kOutFlags = 0x10 | 0x20 | 0x40 | 0x400 | 0x02000000 | 0x04000000;
// SUPPORTS_QUERY_DYNAMIC_FLAGS | PARAM_GROUP_START_COLLAPSED_FLAG | I_AM_THREADSAFE |
// REVEALS_ZERO_ALPHA | SUPPORTS_SMART_RENDER | FLOAT_COLOR_AWARE |
// SUPPORTS_GET_FLATTENED_SEQUENCE_DATA | SUPPORTS_THREADED_RENDERING
constexpr std::int32_t kOutFlags2 = 0x1 | 0x8 | 0x10 | 0x80 | 0x400 | 0x1000 | 0x800000 | 0x08000000;
static_assert(kOutFlags == 0x06000470, "out_flags");
static_assert(kOutFlags2 == 0x08801499, "out_flags2");

// The effect API version the PiPL says the effect was built against.
constexpr int kApiMajor = 13;
constexpr int kApiMinor = 27;
constexpr int kPiplMajor = 2;
constexpr int kPiplMinor = 0;

constexpr int kPiplResourceId = 16000;
constexpr int kPiplLanguage = 1033;  // English (United States)

}  // namespace plugin
