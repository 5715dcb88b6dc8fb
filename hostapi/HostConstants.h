// Constants of the After Effects effect API: commands, errors, flags,
// parameter types, pixel formats and API version numbers.
//
// Groups are unnamed enums with a 32-bit base so that they mix freely with the
// A_long typedefs the records use. Values with bit 31 set are written as
// negative numbers: that is what the host's 32-bit signed fields hold.
#pragma once

#include "hostapi/HostTypes.h"

// ---------------------------------------------------------------------------
// API version. The host reports its level in PF_InData::version; an effect
// states the level it was built for.
// ---------------------------------------------------------------------------
constexpr A_long PF_PLUG_IN_VERSION = 13;
constexpr A_long PF_PLUG_IN_SUBVERS = 28;
constexpr A_long PF_AE_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE_PLUG_IN_SUBVERS = 28;
constexpr A_long AEFX_API_VERSION = 8;
constexpr A_long AEFX_API_SUBVERS = 32;

// The level each host release introduced.
constexpr A_long PF_AE31_PLUG_IN_VERSION = 11;
constexpr A_long PF_AE31_PLUG_IN_SUBVERS = 6;
constexpr A_long PF_AE31_PLUG_IN_SUBVERS_STRICTIFY = 8;
constexpr A_long PF_AE40_PLUG_IN_VERSION = 12;
constexpr A_long PF_AE40_PLUG_IN_SUBVERS = 1;
constexpr A_long PF_AE41_PLUG_IN_VERSION = 12;
constexpr A_long PF_AE41_PLUG_IN_SUBVERS = 2;
constexpr A_long PF_AE65_PLUG_IN_VERSION = 12;
constexpr A_long PF_AE65_PLUG_IN_SUBVERS = 11;
constexpr A_long PF_AE70_PLUG_IN_VERSION = 12;
constexpr A_long PF_AE70_PLUG_IN_SUBVERS = 12;
constexpr A_long PF_AE80_PLUG_IN_VERSION = 12;
constexpr A_long PF_AE80_PLUG_IN_SUBVERS = 13;
constexpr A_long PF_AE90_PLUG_IN_VERSION = 12;
constexpr A_long PF_AE90_PLUG_IN_SUBVERS = 14;
constexpr A_long PF_AE100_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE100_PLUG_IN_SUBVERS = 0;
constexpr A_long PF_AE105_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE105_PLUG_IN_SUBVERS = 1;
constexpr A_long PF_AE110_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE110_PLUG_IN_SUBVERS = 2;
constexpr A_long PF_AE1101_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE1101_PLUG_IN_SUBVERS = 3;
constexpr A_long PF_AE120_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE120_PLUG_IN_SUBVERS = 4;
constexpr A_long PF_AE121_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE121_PLUG_IN_SUBVERS = 5;
constexpr A_long PF_AE122_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE122_PLUG_IN_SUBVERS = 6;
constexpr A_long PF_AE130_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE130_PLUG_IN_SUBVERS = 7;
constexpr A_long PF_AE135_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE135_PLUG_IN_SUBVERS = 9;
constexpr A_long PF_AE136_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE136_PLUG_IN_SUBVERS = 10;
constexpr A_long PF_AE138_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE138_PLUG_IN_SUBVERS = 11;
constexpr A_long PF_AE140_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE140_PLUG_IN_SUBVERS = 13;
constexpr A_long PF_AE142_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE142_PLUG_IN_SUBVERS = 14;
constexpr A_long PF_AE150_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE150_PLUG_IN_SUBVERS = 15;
constexpr A_long PF_AE151_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE151_PLUG_IN_SUBVERS = 15;
constexpr A_long PF_AE160_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE160_PLUG_IN_SUBVERS = 16;
constexpr A_long PF_AE161_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE161_PLUG_IN_SUBVERS = 17;
constexpr A_long PF_AE170_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE170_PLUG_IN_SUBVERS = 18;
constexpr A_long PF_AE171_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE171_PLUG_IN_SUBVERS = 20;
constexpr A_long PF_AE175_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE175_PLUG_IN_SUBVERS = 21;
constexpr A_long PF_AE176_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE176_PLUG_IN_SUBVERS = 22;
constexpr A_long PF_AE177_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE177_PLUG_IN_SUBVERS = 23;
constexpr A_long PF_AE180_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE180_PLUG_IN_SUBVERS = 24;
constexpr A_long PF_AE182_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE182_PLUG_IN_SUBVERS = 25;
constexpr A_long PF_AE184_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE184_PLUG_IN_SUBVERS = 26;
constexpr A_long PF_AE220_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE220_PLUG_IN_SUBVERS = 27;
constexpr A_long PF_AE234_PLUG_IN_VERSION = 13;
constexpr A_long PF_AE234_PLUG_IN_SUBVERS = 28;

// ---------------------------------------------------------------------------
// The effect's own version word (PF_OutData::my_version, PiPL AE_Effect_Version).
// ---------------------------------------------------------------------------
enum : A_long {
  PF_Vers_BUILD_BITS = 0x1ff,
  PF_Vers_BUILD_SHIFT = 0,
  PF_Vers_STAGE_BITS = 0x3,
  PF_Vers_STAGE_SHIFT = 9,
  PF_Vers_BUGFIX_BITS = 0xf,
  PF_Vers_BUGFIX_SHIFT = 11,
  PF_Vers_SUBVERS_BITS = 0xf,
  PF_Vers_SUBVERS_SHIFT = 15,
  PF_Vers_VERS_BITS = 0x7,  // low three bits of the major version
  PF_Vers_VERS_SHIFT = 19,
  PF_Vers_VERS_HIGH_BITS = 0xf,  // the major version's bits above those three
  PF_Vers_VERS_HIGH_SHIFT = 26,
  PF_Vers_VERS_LOW_SHIFT = 3,
};

enum : A_long {
  PF_Stage_DEVELOP = 0,
  PF_Stage_ALPHA = 1,
  PF_Stage_BETA = 2,
  PF_Stage_RELEASE = 3,
};

// Packs a version into the word the host expects; the major version is split
// in two fields so that versions above 7 fit.
constexpr A_u_long PF_Version(A_u_long vers, A_u_long subvers, A_u_long bugvers, A_u_long stage,
                              A_u_long build) {
  return (((vers >> PF_Vers_VERS_LOW_SHIFT) & PF_Vers_VERS_HIGH_BITS) << PF_Vers_VERS_HIGH_SHIFT) |
         ((vers & PF_Vers_VERS_BITS) << PF_Vers_VERS_SHIFT) |
         ((subvers & PF_Vers_SUBVERS_BITS) << PF_Vers_SUBVERS_SHIFT) |
         ((bugvers & PF_Vers_BUGFIX_BITS) << PF_Vers_BUGFIX_SHIFT) |
         ((stage & PF_Vers_STAGE_BITS) << PF_Vers_STAGE_SHIFT) |
         ((build & PF_Vers_BUILD_BITS) << PF_Vers_BUILD_SHIFT);
}

// ---------------------------------------------------------------------------
// Commands (PF_Cmd). Number 2 is an unused gap.
// ---------------------------------------------------------------------------
enum : A_long {
  PF_Cmd_ABOUT = 0,
  PF_Cmd_GLOBAL_SETUP = 1,
  PF_Cmd_UNUSED_0 = 2,
  PF_Cmd_GLOBAL_SETDOWN = 3,
  PF_Cmd_PARAMS_SETUP = 4,
  PF_Cmd_SEQUENCE_SETUP = 5,
  PF_Cmd_SEQUENCE_RESETUP = 6,
  PF_Cmd_SEQUENCE_FLATTEN = 7,
  PF_Cmd_SEQUENCE_SETDOWN = 8,
  PF_Cmd_DO_DIALOG = 9,
  PF_Cmd_FRAME_SETUP = 10,
  PF_Cmd_RENDER = 11,
  PF_Cmd_FRAME_SETDOWN = 12,
  PF_Cmd_USER_CHANGED_PARAM = 13,
  PF_Cmd_UPDATE_PARAMS_UI = 14,
  PF_Cmd_EVENT = 15,
  PF_Cmd_GET_EXTERNAL_DEPENDENCIES = 16,
  PF_Cmd_COMPLETELY_GENERAL = 17,
  PF_Cmd_QUERY_DYNAMIC_FLAGS = 18,
  PF_Cmd_AUDIO_RENDER = 19,
  PF_Cmd_AUDIO_SETUP = 20,
  PF_Cmd_AUDIO_SETDOWN = 21,
  PF_Cmd_ARBITRARY_CALLBACK = 22,
  PF_Cmd_SMART_PRE_RENDER = 23,
  PF_Cmd_SMART_RENDER = 24,
  PF_Cmd_RESERVED1 = 25,
  PF_Cmd_RESERVED2 = 26,
  PF_Cmd_RESERVED3 = 27,
  PF_Cmd_GET_FLATTENED_SEQUENCE_DATA = 28,
  PF_Cmd_TRANSLATE_PARAMS_TO_PREFS = 29,
  PF_Cmd_RESERVED4 = 30,
  PF_Cmd_SMART_RENDER_GPU = 31,
  PF_Cmd_GPU_DEVICE_SETUP = 32,
  PF_Cmd_GPU_DEVICE_SETDOWN = 33,
  PF_Cmd_NUM_CMDS = 34,
};

// ---------------------------------------------------------------------------
// Errors (PF_Err). Out of memory keeps its historic small value; the rest
// start at PF_FIRST_ERR.
// ---------------------------------------------------------------------------
constexpr A_long PF_FIRST_ERR = 512;

enum : A_long {
  PF_Err_NONE = 0,
  PF_Err_OUT_OF_MEMORY = 4,
  PF_Err_INTERNAL_STRUCT_DAMAGED = PF_FIRST_ERR,
  PF_Err_INVALID_INDEX = PF_FIRST_ERR + 1,
  PF_Err_UNRECOGNIZED_PARAM_TYPE = PF_FIRST_ERR + 2,
  PF_Err_INVALID_CALLBACK = PF_FIRST_ERR + 3,
  PF_Err_BAD_CALLBACK_PARAM = PF_FIRST_ERR + 4,
  PF_Interrupt_CANCEL = PF_FIRST_ERR + 5,
  PF_Err_CANNOT_PARSE_KEYFRAME_TEXT = PF_FIRST_ERR + 6,
};

// ---------------------------------------------------------------------------
// Output flags (PF_OutData::out_flags)
// ---------------------------------------------------------------------------
enum : A_long {
  PF_OutFlag_NONE = 0,
  PF_OutFlag_KEEP_RESOURCE_OPEN = 1 << 0,
  PF_OutFlag_WIDE_TIME_INPUT = 1 << 1,
  PF_OutFlag_NON_PARAM_VARY = 1 << 2,
  PF_OutFlag_RESERVED6 = 1 << 3,
  PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING = 1 << 4,
  PF_OutFlag_I_DO_DIALOG = 1 << 5,
  PF_OutFlag_USE_OUTPUT_EXTENT = 1 << 6,
  PF_OutFlag_SEND_DO_DIALOG = 1 << 7,
  PF_OutFlag_DISPLAY_ERROR_MESSAGE = 1 << 8,
  PF_OutFlag_I_EXPAND_BUFFER = 1 << 9,
  PF_OutFlag_PIX_INDEPENDENT = 1 << 10,
  PF_OutFlag_I_WRITE_INPUT_BUFFER = 1 << 11,
  PF_OutFlag_I_SHRINK_BUFFER = 1 << 12,
  PF_OutFlag_WORKS_IN_PLACE = 1 << 13,
  PF_OutFlag_RESERVED8 = 1 << 14,
  PF_OutFlag_CUSTOM_UI = 1 << 15,
  PF_OutFlag_RESERVED7 = 1 << 16,
  PF_OutFlag_REFRESH_UI = 1 << 17,
  PF_OutFlag_NOP_RENDER = 1 << 18,
  PF_OutFlag_I_USE_SHUTTER_ANGLE = 1 << 19,
  PF_OutFlag_I_USE_AUDIO = 1 << 20,
  PF_OutFlag_I_AM_OBSOLETE = 1 << 21,
  PF_OutFlag_FORCE_RERENDER = 1 << 22,
  PF_OutFlag_PiPL_OVERRIDES_OUTDATA_OUTFLAGS = 1 << 23,
  PF_OutFlag_I_HAVE_EXTERNAL_DEPENDENCIES = 1 << 24,
  PF_OutFlag_DEEP_COLOR_AWARE = 1 << 25,
  PF_OutFlag_SEND_UPDATE_PARAMS_UI = 1 << 26,
  PF_OutFlag_AUDIO_FLOAT_ONLY = 1 << 27,
  PF_OutFlag_AUDIO_IIR = 1 << 28,
  PF_OutFlag_I_SYNTHESIZE_AUDIO = 1 << 29,
  PF_OutFlag_AUDIO_EFFECT_TOO = 1 << 30,
  PF_OutFlag_AUDIO_EFFECT_ONLY = INT32_MIN,  // bit 31
};

// PF_OutData::out_flags2. Bit 9 has no flag.
enum : A_long {
  PF_OutFlag2_NONE = 0,
  PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS = 1 << 0,
  PF_OutFlag2_I_USE_3D_CAMERA = 1 << 1,
  PF_OutFlag2_I_USE_3D_LIGHTS = 1 << 2,
  PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG = 1 << 3,
  PF_OutFlag2_I_AM_THREADSAFE = 1 << 4,
  PF_OutFlag2_CAN_COMBINE_WITH_DESTINATION = 1 << 5,
  PF_OutFlag2_DOESNT_NEED_EMPTY_PIXELS = 1 << 6,
  PF_OutFlag2_REVEALS_ZERO_ALPHA = 1 << 7,
  PF_OutFlag2_PRESERVES_FULLY_OPAQUE_PIXELS = 1 << 8,
  PF_OutFlag2_SUPPORTS_SMART_RENDER = 1 << 10,
  PF_OutFlag2_RESERVED9 = 1 << 11,
  PF_OutFlag2_FLOAT_COLOR_AWARE = 1 << 12,
  PF_OutFlag2_I_USE_COLORSPACE_ENUMERATION = 1 << 13,
  PF_OutFlag2_I_AM_DEPRECATED = 1 << 14,
  PF_OutFlag2_PPRO_DO_NOT_CLONE_SEQUENCE_DATA_FOR_RENDER = 1 << 15,
  PF_OutFlag2_RESERVED10 = 1 << 16,
  PF_OutFlag2_AUTOMATIC_WIDE_TIME_INPUT = 1 << 17,
  PF_OutFlag2_I_USE_TIMECODE = 1 << 18,
  PF_OutFlag2_DEPENDS_ON_UNREFERENCED_MASKS = 1 << 19,
  PF_OutFlag2_OUTPUT_IS_WATERMARKED = 1 << 20,
  PF_OutFlag2_I_MIX_GUID_DEPENDENCIES = 1 << 21,
  PF_OutFlag2_AE13_5_THREADSAFE = 1 << 22,
  PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA = 1 << 23,
  PF_OutFlag2_CUSTOM_UI_ASYNC_MANAGER = 1 << 24,
  PF_OutFlag2_SUPPORTS_GPU_RENDER_F32 = 1 << 25,
  PF_OutFlag2_RESERVED12 = 1 << 26,
  PF_OutFlag2_SUPPORTS_THREADED_RENDERING = 1 << 27,
  PF_OutFlag2_MUTABLE_RENDER_SEQUENCE_DATA_SLOWER = 1 << 28,
};

// PF_InData::in_flags
enum : A_long {
  PF_InFlag_NONE = 0,
  PF_InFlag_PROJECT_IS_RENDER_ONLY = 1 << 0,
};

// ---------------------------------------------------------------------------
// Render settings
// ---------------------------------------------------------------------------
enum : A_long {
  PF_Quality_DRAWING_AUDIO = -1,
  PF_Quality_LO = 0,
  PF_Quality_HI = 1,
};

enum : A_long {
  PF_MF_Alpha_PREMUL = 0,
  PF_MF_Alpha_STRAIGHT = 1,
};

enum : A_long {
  PF_Field_FRAME = 0,
  PF_Field_UPPER = 1,
  PF_Field_LOWER = 2,
};

enum : A_long {
  PF_WorldFlag_DEEP = 1 << 0,
  PF_WorldFlag_WRITEABLE = 1 << 1,
  PF_WorldFlag_RESERVED0 = 1 << 24,
  PF_WorldFlag_RESERVED1 = 1 << 25,
  PF_WorldFlag_RESERVED2 = 1 << 26,
  PF_WorldFlag_RESERVED3 = 1 << 27,
  PF_WorldFlag_RESERVED4 = 1 << 28,
  PF_WorldFlag_RESERVED5 = 1 << 29,
  PF_WorldFlag_RESERVED6 = 1 << 30,
  PF_WorldFlag_RESERVED = INT32_MIN,  // bit 31
};

enum : A_long {
  PF_NewWorldFlag_NONE = 0,
  PF_NewWorldFlag_CLEAR_PIXELS = 1 << 0,
  PF_NewWorldFlag_DEEP_PIXELS = 1 << 1,
  PF_NewWorldFlag_RESERVED0 = 1 << 2,
  PF_NewWorldFlag_RESERVED1 = 1 << 3,
};

// Pixel formats: four-character codes with the first character in the low
// byte (see PF_PixelFormatCode), so ARGB32 is "argb" read little-endian.
constexpr PF_PixelFormat PF_PixelFormat_ARGB32 = 0x62677261;      // "argb"
constexpr PF_PixelFormat PF_PixelFormat_ARGB64 = 0x36316561;      // "ae16"
constexpr PF_PixelFormat PF_PixelFormat_ARGB128 = 0x32336561;     // "ae32"
constexpr PF_PixelFormat PF_PixelFormat_GPU_BGRA128 = 0x41444340;
constexpr PF_PixelFormat PF_PixelFormat_RESERVED = 0x61444340;
constexpr PF_PixelFormat PF_PixelFormat_BGRA32 = 0x61726762;      // "bgra"
constexpr PF_PixelFormat PF_PixelFormat_VUYA32 = 0x61797576;      // "vuya"
constexpr PF_PixelFormat PF_PixelFormat_NTSCDV25 = 0x326E7664;    // "dvn2"
constexpr PF_PixelFormat PF_PixelFormat_PALDV25 = 0x32707664;     // "dvp2"
constexpr PF_PixelFormat PF_PixelFormat_INVALID = 0x66646162;     // "badf"
constexpr PF_PixelFormat PF_PixelFormat_FORCE_LONG_INT = -1;      // 0xFFFFFFFF

enum : A_long {
  PF_GPU_Framework_NONE = 0,
  PF_GPU_Framework_OPENCL = 1,
  PF_GPU_Framework_METAL = 2,
  PF_GPU_Framework_CUDA = 3,
};

// PF_PreRenderOutput::flags (16-bit)
enum : A_short {
  PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS = 0x1,
  PF_RenderOutputFlag_GPU_RENDER_POSSIBLE = 0x2,
  PF_RenderOutputFlag_RESERVED1 = 0x4,
};

enum : A_long {
  PF_SampleEdgeBehav_ZERO = 0,
};

enum : A_long {
  PF_MaskFlag_NONE = 0,
  PF_MaskFlag_INVERTED = 1 << 0,
  PF_MaskFlag_LUMINANCE = 1 << 1,
};

enum : A_long {
  PF_MaskMode_NONE = 0,
  PF_MaskMode_ADD = 1,
  PF_MaskMode_SUBTRACT = 2,
  PF_MaskMode_INTERSECT = 3,
  PF_MaskMode_LIGHTEN = 4,
  PF_MaskMode_DARKEN = 5,
  PF_MaskMode_DIFFERENCE = 6,
  PF_MaskMode_ACCUM = 7,
};

// Channel ranges of the integer pixel depths.
enum : A_long {
  PF_MAX_CHAN8 = 255,
  PF_HALF_CHAN8 = 128,
  PF_MAX_CHAN16 = 32768,
  PF_HALF_CHAN16 = 16384,
};

constexpr PF_Fixed PF_Fixed_MAXVAL = INT32_MAX;
constexpr PF_Fixed PF_Fixed_MINVAL = INT32_MIN;

enum : A_long {
  PF_MAX_WORLD_WIDTH = 30000,
  PF_MAX_WORLD_HEIGHT = 30000,
};

// iterate_generic: run the worker once per host thread instead of a fixed count.
constexpr A_long PF_Iterations_ONCE_PER_PROCESSOR = -1;

// ---------------------------------------------------------------------------
// Text lengths (without the terminating zero)
// ---------------------------------------------------------------------------
enum : A_long {
  PF_MAX_EFFECT_NAME_LEN = 31,
  PF_MAX_EFFECT_CATEGORY_NAME_LEN = 31,
  PF_MAX_EFFECT_PARAM_NAME_LEN = 31,
  PF_MAX_PARAM_DESCRIPTION_LEN = 31,
  PF_MAX_PARAM_VALUE_LEN = 31,
  PF_MAX_PATH_NAME_LEN = 31,
  PF_MAX_EFFECT_MSG_LEN = 255,
  PF_APP_LANG_TAG_SIZE = 6,  // "en_US" plus the terminator
};

constexpr A_long PF_AE65_AND_EARLIER_MAX_NUM_EFFECT_PARAMS = 127;

// ---------------------------------------------------------------------------
// Parameters
// ---------------------------------------------------------------------------
enum : A_long {
  PF_Param_RESERVED = -1,
  PF_Param_LAYER = 0,
  PF_Param_SLIDER = 1,
  PF_Param_FIX_SLIDER = 2,
  PF_Param_ANGLE = 3,
  PF_Param_CHECKBOX = 4,
  PF_Param_COLOR = 5,
  PF_Param_POINT = 6,
  PF_Param_POPUP = 7,
  PF_Param_CUSTOM = 8,
  PF_Param_NO_DATA = 9,
  PF_Param_FLOAT_SLIDER = 10,
  PF_Param_ARBITRARY_DATA = 11,
  PF_Param_PATH = 12,
  PF_Param_GROUP_START = 13,
  PF_Param_GROUP_END = 14,
  PF_Param_BUTTON = 15,
  PF_Param_RESERVED2 = 16,
  PF_Param_RESERVED3 = 17,
  PF_Param_POINT_3D = 18,
};

// PF_ParamDef::flags. Two pairs share a bit: the meaning depends on the
// parameter type.
enum : A_long {
  PF_ParamFlag_RESERVED1 = 1 << 0,
  PF_ParamFlag_CANNOT_TIME_VARY = 1 << 1,
  PF_ParamFlag_CANNOT_INTERP = 1 << 2,
  PF_ParamFlag_RESERVED2 = 1 << 3,
  PF_ParamFlag_RESERVED3 = 1 << 4,
  PF_ParamFlag_COLLAPSE_TWIRLY = 1 << 5,
  PF_ParamFlag_START_COLLAPSED = PF_ParamFlag_COLLAPSE_TWIRLY,
  PF_ParamFlag_SUPERVISE = 1 << 6,
  PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS = 1 << 7,
  PF_ParamFlag_LAYER_PARAM_IS_TRACKMATTE = 1 << 7,
  PF_ParamFlag_EXCLUDE_FROM_HAVE_INPUTS_CHANGED = 1 << 8,
  PF_ParamFlag_SKIP_REVEAL_WHEN_UNHIDDEN = 1 << 9,
};

// PF_ParamDef::ui_flags
enum : A_long {
  PF_PUI_NONE = 0,
  PF_PUI_TOPIC = 1 << 0,
  PF_PUI_CONTROL = 1 << 1,
  PF_PUI_STD_CONTROL_ONLY = 1 << 2,
  PF_PUI_NO_ECW_UI = 1 << 3,
  PF_PUI_ECW_SEPARATOR = 1 << 4,
  PF_PUI_DISABLED = 1 << 5,
  PF_PUI_DONT_ERASE_TOPIC = 1 << 6,
  PF_PUI_DONT_ERASE_CONTROL = 1 << 7,
  PF_PUI_RADIO_BUTTON = 1 << 8,
  PF_PUI_INVISIBLE = 1 << 9,
};

// PF_ParamDef::uu.change_flags
enum : A_long {
  PF_ChangeFlag_NONE = 0,
  PF_ChangeFlag_CHANGED_VALUE = 1 << 0,
  PF_ChangeFlag_RESERVED = 1 << 1,
  PF_ChangeFlag_SET_TO_VARY = 1 << 2,
  PF_ChangeFlag_SET_TO_CONSTANT = 1 << 3,
};

// Slider value display (16-bit field).
enum : A_short {
  PF_ValueDisplayFlag_NONE = 0,
  PF_ValueDisplayFlag_PERCENT = 1 << 0,
  PF_ValueDisplayFlag_PIXEL = 1 << 1,
  PF_ValueDisplayFlag_RESERVED1 = 1 << 2,
  PF_ValueDisplayFlag_REVERSE = 1 << 3,
};

enum : A_long {
  PF_FSliderFlag_NONE = 0,
  PF_FSliderFlag_WANT_PHASE = 1 << 0,
};

// Layer parameter default (PF_LayerDef::dephault).
enum : A_long {
  PF_LayerDefault_MYSELF = -1,
  PF_LayerDefault_NONE = 0,
};

// Special parameter indices.
enum : A_long {
  PF_ParamIndex_NONE = -1,
  PF_ParamIndex_CHECK_ALL = -2,
  PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS = -3,
  PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE = -4,
};

enum : A_long {
  PF_KeyIndex_NONE = -1,
};

enum : A_long {
  PF_TimeDir_GREATER_THAN = 0x0000,
  PF_TimeDir_LESS_THAN = 0x0001,
  PF_TimeDir_GREATER_THAN_OR_EQUAL = 0x1000,
  PF_TimeDir_LESS_THAN_OR_EQUAL = 0x1001,
};

// Selector passed with PF_Cmd_ARBITRARY_CALLBACK.
enum : A_long {
  PF_Arbitrary_NEW_FUNC = 0,
  PF_Arbitrary_DISPOSE_FUNC = 1,
  PF_Arbitrary_COPY_FUNC = 2,
  PF_Arbitrary_FLAT_SIZE_FUNC = 3,
  PF_Arbitrary_FLATTEN_FUNC = 4,
  PF_Arbitrary_UNFLATTEN_FUNC = 5,
  PF_Arbitrary_INTERP_FUNC = 6,
  PF_Arbitrary_COMPARE_FUNC = 7,
  PF_Arbitrary_PRINT_SIZE_FUNC = 8,
  PF_Arbitrary_PRINT_FUNC = 9,
  PF_Arbitrary_SCAN_FUNC = 10,
};

// ---------------------------------------------------------------------------
// Audio
// ---------------------------------------------------------------------------
enum : A_long {
  PF_SSS_1 = 1,
  PF_SSS_2 = 2,
  PF_SSS_4 = 4,
};

enum : A_long {
  PF_Channels_MONO = 1,
  PF_Channels_STEREO = 2,
};

// ---------------------------------------------------------------------------
// get_platform_data selectors
// ---------------------------------------------------------------------------
enum : A_long {
  PF_PlatData_MAIN_WND = 0,  // writes the host's main window handle (HWND)
  PF_PlatData_EXE_FILE_PATH_DEPRECATED = 1,
  PF_PlatData_RES_FILE_PATH_DEPRECATED = 2,
  PF_PlatData_RES_REFNUM = 3,
  PF_PlatData_RES_DLLINSTANCE = 4,
  PF_PlatData_SP_PLUG_REF = 5,
  PF_PlatData_BUNDLE_REF = 6,
  PF_PlatData_EXE_FILE_PATH_W = 7,  // UTF-16, 260 code units
  PF_PlatData_RES_FILE_PATH_W = 8,  // UTF-16, 260 code units
};

// ---------------------------------------------------------------------------
// Effect categories (PiPL category names)
// ---------------------------------------------------------------------------
constexpr const char PF_Category_AUDIO[] = "Audio";
constexpr const char PF_Category_BLUR_AND_SHARPEN[] = "Blur & Sharpen";
constexpr const char PF_Category_CHANNEL[] = "Channel";
constexpr const char PF_Category_DISTORT[] = "Distort";
constexpr const char PF_Category_IMAGE_CONTROL[] = "Image Control";
constexpr const char PF_Category_KEYING[] = "Keying";
constexpr const char PF_Category_OTHER[] = "Other";
constexpr const char PF_Category_PERSPECTIVE[] = "Perspective";
constexpr const char PF_Category_STYLIZE[] = "Stylize";
constexpr const char PF_Category_TEXT[] = "Text";
constexpr const char PF_Category_TRANSITION[] = "Transition";
constexpr const char PF_Category_VIDEO[] = "Video";
