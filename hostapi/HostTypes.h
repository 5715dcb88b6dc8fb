// Scalar typedefs and small value records of the After Effects effect API.
//
// Every width here is fixed: the host is built with 32-bit A_long on every
// platform, and `long` is 32-bit on Windows but 64-bit on LP64 Linux, so the
// native build only lays records out like the host because nothing says `long`.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Basic scalars
// ---------------------------------------------------------------------------
typedef int32_t A_long;
typedef uint32_t A_u_long;
typedef int16_t A_short;
typedef uint16_t A_u_short;
typedef char A_char;  // plain char: signed on every target we build for
typedef unsigned char A_u_char;
typedef unsigned char A_Boolean;
typedef double A_FpLong;
typedef float A_FpShort;
typedef A_long A_Err;
typedef void** A_Handle;
typedef A_long A_Fixed;
typedef A_u_long A_UFixed;
typedef intptr_t A_intptr_t;
typedef uint64_t A_u_longlong;
typedef A_u_longlong A_HandleSize;
typedef uint16_t A_UTF16Char;  // UTF-16 code unit; wchar_t is 4 bytes on Linux

// Under _WINDOWS the host's PF_Boolean is a plain (signed) char, unlike A_Boolean.
typedef char PF_Boolean;
typedef A_long PF_Fixed;  // 16.16
typedef A_u_long PF_UFixed;
typedef double PF_FpLong;
typedef float PF_FpShort;
typedef A_long PF_Err;
typedef A_long PF_Cmd;
typedef void** PF_Handle;
typedef PF_Handle PF_ArbitraryH;
typedef const void* const* PF_ConstHandle;

// The host's per-instance reference; effects only pass it back.
struct PF_ProgressInfo;
typedef PF_ProgressInfo* PF_ProgPtr;

// Every flags or enum field of the host's records is 32-bit (an A_long
// typedef), never a C enum type, so these are plain integers.
typedef A_long PF_ParamIndex;
typedef A_long PF_ParamType;
typedef A_long PF_ParamFlags;
typedef A_long PF_ParamUIFlags;
typedef A_long PF_ParamValue;
typedef A_short PF_ValueDisplayFlags;
typedef A_u_long PF_FSliderFlags;
typedef A_long PF_CallbackID;
typedef A_u_long PF_UnionablePixel;
typedef A_long PF_WorldFlags;
typedef A_long PF_OutFlags;
typedef A_long PF_OutFlags2;
typedef A_long PF_InFlags;
typedef A_long PF_ChangeFlags;
typedef A_long PF_Quality;
typedef A_long PF_ModeFlags;
typedef A_long PF_Field;
typedef A_long PF_Stage;
typedef A_long PF_PixelFormat;
typedef A_long PF_ChannelMask;
typedef A_long PF_PlatDataID;
typedef A_short PF_RenderOutputFlags;
typedef A_long PF_GPU_Framework;
typedef A_long PF_NewWorldFlags;
typedef A_long PF_KeyIndex;
typedef A_long PF_TimeDir;
typedef A_u_long PF_PathID;
typedef A_u_long PF_KernelFlags;
typedef A_long PF_XferMode;
typedef A_long PF_TransferMode;
typedef A_u_long PF_SampleEdgeBehav;
typedef A_long PF_MaskFlags;
typedef A_short PF_SoundChannels;
typedef A_short PF_SoundFormat;
typedef A_short PF_SoundSampleSize;
typedef void* PF_SndSamplePtr;

// App-suite argument types.
typedef A_short PF_App_ColorType;
typedef A_short PF_EyeDropperSampleMode;
typedef A_long PF_FontStyleSheet;
typedef A_long PF_CursorType;

// PICA (suite broker) scalars.
typedef int32_t SPErr;
typedef int32_t SPBoolean;

// Host objects the effect only ever holds pointers to.
struct PF_LayerAudioRec;
typedef PF_LayerAudioRec* PF_LayerAudio;
struct PF_CustomUIInfo;
struct PF_Context;
typedef PF_Context** PF_ContextH;
struct PF_AppProgressDialog;
typedef PF_AppProgressDialog* PF_AppProgressDialogP;
struct PF_App_Color;
struct PF_AppPersonalTextInfo;
struct PF_FontName;
// get_callback_addr hands back an untyped function address.
struct PF_CallbackFuncOpaque;
typedef PF_CallbackFuncOpaque* PF_CallbackFunc;

#pragma pack(push, 8)  // the host's packing for all of its public records

// ---------------------------------------------------------------------------
// Pixels: ARGB order in memory for every depth.
// ---------------------------------------------------------------------------
struct PF_Pixel {
  A_u_char alpha;
  A_u_char red;
  A_u_char green;
  A_u_char blue;
};
typedef PF_Pixel PF_Pixel8;
typedef PF_Pixel* PF_PixelPtr;

// 16-bit channels run from 0 to PF_MAX_CHAN16 (32768), not 65535.
struct PF_Pixel16 {
  A_u_short alpha;
  A_u_short red;
  A_u_short green;
  A_u_short blue;
};

struct PF_PixelFloat {
  PF_FpShort alpha;
  PF_FpShort red;
  PF_FpShort green;
  PF_FpShort blue;
};
typedef PF_PixelFloat PF_Pixel32;

// ---------------------------------------------------------------------------
// Geometry and time
// ---------------------------------------------------------------------------
struct PF_LRect {
  A_long left;
  A_long top;
  A_long right;
  A_long bottom;
};
typedef PF_LRect PF_Rect;
typedef PF_LRect PF_UnionableRect;

struct PF_Point {
  A_long h;
  A_long v;
};

struct PF_FixedPoint {
  PF_Fixed x;
  PF_Fixed y;
};

struct PF_FixedRect {
  PF_Fixed left;
  PF_Fixed top;
  PF_Fixed right;
  PF_Fixed bottom;
};

struct PF_Matrix {
  PF_Fixed mat[3][3];
};

struct PF_FloatMatrix {
  PF_FpLong mat[3][3];
};

struct PF_RationalScale {
  A_long num;
  A_u_long den;
};

struct PF_SpecVersion {
  A_short major;
  A_short minor;
};

struct A_Time {
  A_long value;
  A_u_long scale;
};

struct A_Ratio {
  A_long num;
  A_u_long den;
};

struct A_FloatPoint {
  A_FpLong x;
  A_FpLong y;
};

struct A_LRect {
  A_long left;
  A_long top;
  A_long right;
  A_long bottom;
};

#pragma pack(pop)

// ---------------------------------------------------------------------------
// Four-character codes. The host uses two byte orders:
//  * application IDs, channel and data types take the C multi-character
//    literal order, first character in the high byte ('FXTC' == 0x46585443);
//  * pixel formats put the first character in the low byte, so "argb" is
//    0x62677261 and the literal 'argb' is a different format (BGRA32).
// ---------------------------------------------------------------------------
constexpr A_long PF_FourCharCode(const char (&code)[5]) {
  return static_cast<A_long>((static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
                             (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
                             (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
                             static_cast<uint32_t>(static_cast<unsigned char>(code[3])));
}

constexpr PF_PixelFormat PF_PixelFormatCode(const char (&code)[5]) {
  return static_cast<PF_PixelFormat>(
      static_cast<uint32_t>(static_cast<unsigned char>(code[0])) |
      (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 8) |
      (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 16) |
      (static_cast<uint32_t>(static_cast<unsigned char>(code[3])) << 24));
}
