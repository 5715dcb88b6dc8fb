// The PICA suite broker (SPBasicSuite) and the PF suites acquired through it,
// with their names and version numbers.
//
// Version numbers do not follow the struct names: one name string can carry
// several layouts and the number picks the layout, e.g. "PF Handle Suite"
// version 2 is PF_HandleSuite1 and "PF AE App Suite" version 7 is PFAppSuite5.
#pragma once

#include "hostapi/EffectRecords.h"
#include "hostapi/HostTypes.h"

// ---------------------------------------------------------------------------
// PICA errors (SPErr). Four-character codes in multi-character literal order.
// ---------------------------------------------------------------------------
enum : SPErr {
  kSPNoError = 0,
  kSPOutOfMemoryError = -148,  // 0xFFFFFF6C
  kSPUnimplementedError = PF_FourCharCode("!IMP"),
  kSPUserCanceledError = PF_FourCharCode("stop"),
  kSPOperationInterrupted = PF_FourCharCode("intr"),
  kSPLogicError = PF_FourCharCode("fbar"),
  kSPBadParameterError = PF_FourCharCode("Parm"),
  kSPSuiteNotFoundError = PF_FourCharCode("S!Fd"),
  kSPSuiteAlreadyExistsError = PF_FourCharCode("SExi"),
  kSPSuiteAlreadyReleasedError = PF_FourCharCode("SRel"),
  kSPBadSuiteListIteratorError = PF_FourCharCode("SLIt"),
  kSPBadSuiteInternalVersionError = PF_FourCharCode("SIVs"),
  kSPBlockSizeOutOfRangeError = PF_FourCharCode("BkRg"),
  kSPBlockDebugNotEnabledError = PF_FourCharCode("!Nbl"),
  kSPCantChangeBlockDebugNowError = PF_FourCharCode("!Now"),
  kSPAlreadyInSPCallerError = PF_FourCharCode("AISC"),
  kSPBadFileListIteratorError = PF_FourCharCode("BFIt"),
  kSPBadPropertyListIteratorError = PF_FourCharCode("BPrI"),
  kSPBadAdapterListIteratorError = PF_FourCharCode("BdAL"),
  kSPAdapterAlreadyExistsError = PF_FourCharCode("AdEx"),
  kSPUnknownAdapterError = PF_FourCharCode("?Adp"),
  kSPCantAddHostPluginError = PF_FourCharCode("AdHo"),
  kSPBadPluginListIteratorError = PF_FourCharCode("PiLI"),
  kSPBadPluginHost = PF_FourCharCode("PiH0"),
  kSPPluginNotFound = PF_FourCharCode("P!Fd"),
  kSPPluginAlreadyReleasedError = PF_FourCharCode("AlRl"),
  kSPCantAcquirePluginError = PF_FourCharCode("!Acq"),
  kSPCantReleasePluginError = PF_FourCharCode("!Rel"),
  kSPCorruptPiPLError = PF_FourCharCode("CPPL"),
  kSPNotASweetPeaPluginError = PF_FourCharCode("NSPP"),
  kSPTroubleAddingFilesError = PF_FourCharCode("TAdd"),
  kSPTroubleInitializingError = PF_FourCharCode("TIni"),
  kSPPluginCachesFlushResponse = PF_FourCharCode("pFls"),
};

// ---------------------------------------------------------------------------
// Suite names and versions
// ---------------------------------------------------------------------------
constexpr const char kSPBasicSuite[] = "SP Basic Suite";
constexpr int32_t kSPBasicSuiteVersion = 4;

constexpr const char kPFHandleSuite[] = "PF Handle Suite";
constexpr int32_t kPFHandleSuiteVersion1 = 2;  // PF_HandleSuite1

constexpr const char kPFANSISuite[] = "PF ANSI Suite";
constexpr int32_t kPFANSISuiteVersion1 = 1;

constexpr const char kPFPixelDataSuite[] = "PF Pixel Data Suite";
constexpr int32_t kPFPixelDataSuiteVersion1 = 1;
constexpr int32_t kPFPixelDataSuiteVersion2 = 2;

constexpr const char kPFColorCallbacksSuite[] = "PF Color Suite";
constexpr int32_t kPFColorCallbacksSuiteVersion1 = 1;
constexpr const char kPFColorCallbacks16Suite[] = "PF Color16 Suite";
constexpr int32_t kPFColorCallbacks16SuiteVersion1 = 1;
constexpr const char kPFColorCallbacksFloatSuite[] = "PF ColorFloat Suite";
constexpr int32_t kPFColorCallbacksFloatSuiteVersion1 = 1;

constexpr const char kPFWorldSuite[] = "PF World Suite";
constexpr int32_t kPFWorldSuiteVersion1 = 1;  // PF_WorldSuite1
constexpr int32_t kPFWorldSuiteVersion2 = 2;  // PF_WorldSuite2

constexpr const char kPFPixelFormatSuite[] = "PF Pixel Format Suite";
constexpr int32_t kPFPixelFormatSuiteVersion2 = 2;

constexpr const char kPFIterate8Suite[] = "PF Iterate8 Suite";
constexpr int32_t kPFIterate8SuiteVersion1 = 1;
constexpr int32_t kPFIterate8SuiteVersion2 = 2;
// The 16-bit and float iterate suite names really are lower case.
constexpr const char kPFIterate16Suite[] = "PF iterate16 Suite";
constexpr int32_t kPFIterate16SuiteVersion1 = 1;
constexpr int32_t kPFIterate16SuiteVersion2 = 2;
constexpr const char kPFIterateFloatSuite[] = "PF iterateFloat Suite";
constexpr int32_t kPFIterateFloatSuiteVersion1 = 1;
constexpr int32_t kPFIterateFloatSuiteVersion2 = 2;

constexpr const char kPFWorldTransformSuite[] = "PF World Transform Suite";
constexpr int32_t kPFWorldTransformSuiteVersion1 = 1;

constexpr const char kPFFillMatteSuite[] = "PF Fill Matte Suite";
constexpr int32_t kPFFillMatteSuiteVersion2 = 2;

constexpr const char kPFParamUtilsSuite[] = "PF Param Utils Suite";
constexpr int32_t kPFParamUtilsSuiteVersion1 = 2;  // PF_ParamUtilsSuite1
constexpr int32_t kPFParamUtilsSuiteVersion3 = 3;  // PF_ParamUtilsSuite3

constexpr const char kPFAppSuite[] = "PF AE App Suite";
constexpr int32_t kPFAppSuiteVersion4 = 6;  // PFAppSuite4
constexpr int32_t kPFAppSuiteVersion5 = 7;  // PFAppSuite5
constexpr int32_t kPFAppSuiteVersion6 = 1;  // PFAppSuite6

constexpr const char kPFEffectSequenceDataSuite[] = "PF Effect Sequence Data Suite";
constexpr int32_t kPFEffectSequenceDataSuiteVersion1 = 1;

constexpr const char kPFColorParamSuite[] = "PF ColorParamSuite";
constexpr int32_t kPFColorParamSuiteVersion1 = 1;
constexpr const char kPFPointParamSuite[] = "PF PointParamSuite";
constexpr int32_t kPFPointParamSuiteVersion1 = 1;
constexpr const char kPFAngleParamSuite[] = "PF AngleParamSuite";
constexpr int32_t kPFAngleParamSuiteVersion1 = 1;

// Suites whose function tables Velumixer never uses; names only.
constexpr const char kPFSampling8Suite[] = "PF Sampling8 Suite";
constexpr int32_t kPFSampling8SuiteVersion1 = 1;
constexpr const char kPFSampling16Suite[] = "PF Sampling16 Suite";
constexpr int32_t kPFSampling16SuiteVersion1 = 1;
constexpr const char kPFSamplingFloatSuite[] = "PF SamplingFloat Suite";
constexpr int32_t kPFSamplingFloatSuiteVersion1 = 1;
constexpr const char kPFBatchSamplingSuite[] = "PF Batch Sampling Suite";
constexpr int32_t kPFBatchSamplingSuiteVersion1 = 1;
constexpr const char kPFPathQuerySuite[] = "PF Path Query Suite";
constexpr int32_t kPFPathQuerySuiteVersion1 = 1;
constexpr const char kPFPathDataSuite[] = "PF Path Data Suite";
constexpr int32_t kPFPathDataSuiteVersion1 = 1;
constexpr const char kPFEffectUISuite[] = "PF Effect UI Suite";
constexpr int32_t kPFEffectUISuiteVersion1 = 1;
constexpr const char kPFEffectCustomUISuite[] = "PF Effect Custom UI Suite";
constexpr int32_t kPFEffectCustomUISuiteVersion1 = 1;
constexpr int32_t kPFEffectCustomUISuiteVersion2 = 2;
constexpr const char kPFEffectCustomUIOverlayThemeSuite[] =
    "PF Effect Custom UI Overlay Theme Suite";
constexpr int32_t kPFEffectCustomUIOverlayThemeSuiteVersion1 = 1;
constexpr const char kPFHelperSuite[] = "AE Plugin Helper Suite";
constexpr int32_t kPFHelperSuiteVersion1 = 1;
constexpr int32_t kPFHelperSuiteVersion = 1;
constexpr const char kPFHelperSuite2[] = "AE Plugin Helper Suite2";
constexpr int32_t kPFHelperSuite2Version1 = 1;
constexpr int32_t kPFHelperSuite2Version2 = 2;
constexpr int32_t kPFHelperSuite2Version = 2;
constexpr const char kPF_MaskSuite[] = "AEGP Mask Suite";
constexpr int32_t kPF_MaskSuiteVersion1 = 1;

#pragma pack(push, 8)

// ---------------------------------------------------------------------------
// Suite broker
// ---------------------------------------------------------------------------
struct SPBasicSuite {
  SPErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
  SPErr (*ReleaseSuite)(const char* name, int32_t version);
  SPBoolean (*IsEqual)(const char* token1, const char* token2);
  SPErr (*AllocateBlock)(size_t size, void** block);
  SPErr (*FreeBlock)(void* block);
  SPErr (*ReallocateBlock)(void* block, size_t new_size, void** new_block);
  SPErr (*Undefined)(void);
};

// ---------------------------------------------------------------------------
// Memory
// ---------------------------------------------------------------------------
struct PF_HandleSuite1 {
  PF_Handle (*host_new_handle)(A_HandleSize size);
  void* (*host_lock_handle)(PF_Handle pf_handle);
  void (*host_unlock_handle)(PF_Handle pf_handle);
  void (*host_dispose_handle)(PF_Handle pf_handle);
  A_HandleSize (*host_get_handle_size)(PF_Handle pf_handle);
  PF_Err (*host_resize_handle)(A_HandleSize new_sizeL, PF_Handle* handlePH);
};

// ---------------------------------------------------------------------------
// The callback tables of PF_UtilCallbacks, as suites
// ---------------------------------------------------------------------------

// Same order as PF_ANSICallbacks, without its trailing ansi_procs.
struct PF_ANSICallbacksSuite1 {
  A_FpLong (*atan)(A_FpLong);
  A_FpLong (*atan2)(A_FpLong y, A_FpLong x);
  A_FpLong (*ceil)(A_FpLong);
  A_FpLong (*cos)(A_FpLong);
  A_FpLong (*exp)(A_FpLong);
  A_FpLong (*fabs)(A_FpLong);
  A_FpLong (*floor)(A_FpLong);
  A_FpLong (*fmod)(A_FpLong x, A_FpLong y);
  A_FpLong (*hypot)(A_FpLong x, A_FpLong y);
  A_FpLong (*log)(A_FpLong);
  A_FpLong (*log10)(A_FpLong);
  A_FpLong (*pow)(A_FpLong x, A_FpLong y);
  A_FpLong (*sin)(A_FpLong);
  A_FpLong (*sqrt)(A_FpLong);
  A_FpLong (*tan)(A_FpLong);
  int (*sprintf)(A_char* buffer, const A_char* format, ...);
  A_char* (*strcpy)(A_char* dst, const A_char* src);
  A_FpLong (*asin)(A_FpLong);
  A_FpLong (*acos)(A_FpLong);
};

struct PF_ColorCallbacksSuite1 {
  PF_Err (*RGBtoHLS)(PF_ProgPtr effect_ref, PF_Pixel* rgb, PF_Fixed* hls);
  PF_Err (*HLStoRGB)(PF_ProgPtr effect_ref, PF_Fixed* hls, PF_Pixel* rgb);
  PF_Err (*RGBtoYIQ)(PF_ProgPtr effect_ref, PF_Pixel* rgb, PF_Fixed* yiq);
  PF_Err (*YIQtoRGB)(PF_ProgPtr effect_ref, PF_Fixed* yiq, PF_Pixel* rgb);
  PF_Err (*Luminance)(PF_ProgPtr effect_ref, PF_Pixel* rgb, A_long* lum100);
  PF_Err (*Hue)(PF_ProgPtr effect_ref, PF_Pixel* rgb, A_long* hue);
  PF_Err (*Lightness)(PF_ProgPtr effect_ref, PF_Pixel* rgb, A_long* lightness);
  PF_Err (*Saturation)(PF_ProgPtr effect_ref, PF_Pixel* rgb, A_long* saturation);
};

struct PF_PixelDataSuite1 {
  PF_Err (*get_pixel_data8)(PF_EffectWorld* worldP, PF_PixelPtr pixelsP0, PF_Pixel8** pixPP);
  PF_Err (*get_pixel_data16)(PF_EffectWorld* worldP, PF_PixelPtr pixelsP0, PF_Pixel16** pixPP);
  PF_Err (*get_pixel_data_float)(PF_EffectWorld* worldP, PF_PixelPtr pixelsP0,
                                 PF_PixelFloat** pixPP);
};

struct PF_PixelDataSuite2 {
  PF_Err (*get_pixel_data8)(PF_EffectWorld* worldP, PF_PixelPtr pixelsP0, PF_Pixel8** pixPP);
  PF_Err (*get_pixel_data16)(PF_EffectWorld* worldP, PF_PixelPtr pixelsP0, PF_Pixel16** pixPP);
  PF_Err (*get_pixel_data_float)(PF_EffectWorld* worldP, PF_PixelPtr pixelsP0,
                                 PF_PixelFloat** pixPP);
  PF_Err (*get_pixel_data_float_gpu)(PF_EffectWorld* worldP, void** pixPP);
};

// ---------------------------------------------------------------------------
// Worlds
// ---------------------------------------------------------------------------

// "PF World Suite" version 1.
struct PF_WorldSuite1 {
  PF_Err (*new_world)(PF_ProgPtr effect_ref, A_long width, A_long height, PF_NewWorldFlags flags,
                      PF_EffectWorld* world);
  PF_Err (*dispose_world)(PF_ProgPtr effect_ref, PF_EffectWorld* world);
};

// "PF World Suite" version 2: new worlds of any pixel format.
struct PF_WorldSuite2 {
  PF_Err (*PF_NewWorld)(PF_ProgPtr effect_ref, A_long widthL, A_long heightL,
                        PF_Boolean clear_pixB, PF_PixelFormat pixel_format,
                        PF_EffectWorld* worldP);
  PF_Err (*PF_DisposeWorld)(PF_ProgPtr effect_ref, PF_EffectWorld* worldP);
  PF_Err (*PF_GetPixelFormat)(const PF_EffectWorld* worldP, PF_PixelFormat* pixel_formatP);
};

struct PF_PixelFormatSuite2 {
  PF_Err (*PF_AddSupportedPixelFormat)(PF_ProgPtr effect_ref, PF_PixelFormat pixel_format);
  PF_Err (*PF_ClearSupportedPixelFormats)(PF_ProgPtr effect_ref);
};

struct PF_WorldTransformSuite1 {
  PF_Err (*composite_rect)(PF_ProgPtr effect_ref, PF_Rect* src_rect, A_long src_opacity,
                           PF_EffectWorld* source_wld, A_long dest_x, A_long dest_y,
                           PF_Field field_rdr, PF_XferMode xfer_mode, PF_EffectWorld* dest_wld);
  PF_Err (*blend)(PF_ProgPtr effect_ref, const PF_EffectWorld* src1, const PF_EffectWorld* src2,
                  PF_Fixed ratio, PF_EffectWorld* dst);
  PF_Err (*convolve)(PF_ProgPtr effect_ref, PF_EffectWorld* src, const PF_Rect* area,
                     PF_KernelFlags flags, A_long kernel_size, void* a_kernel, void* r_kernel,
                     void* g_kernel, void* b_kernel, PF_EffectWorld* dst);
  // Nearest-pixel copy; copy_hq resamples when the rectangles differ in size.
  PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld* src, PF_EffectWorld* dst,
                 PF_Rect* src_r, PF_Rect* dst_r);
  PF_Err (*copy_hq)(PF_ProgPtr effect_ref, PF_EffectWorld* src, PF_EffectWorld* dst,
                    PF_Rect* src_r, PF_Rect* dst_r);
  PF_Err (*transfer_rect)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                          PF_Field field, const PF_Rect* src_rec, const PF_EffectWorld* src_world,
                          const PF_CompositeMode* comp_mode, const PF_MaskWorld* mask_world0,
                          A_long dest_x, A_long dest_y, PF_EffectWorld* dst_world);
  PF_Err (*transform_world)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                            PF_Field field, const PF_EffectWorld* src_world,
                            const PF_CompositeMode* comp_mode, const PF_MaskWorld* mask_world0,
                            const PF_FloatMatrix* matrices, A_long num_matrices,
                            PF_Boolean src2dst_matrix, const PF_Rect* dest_rect,
                            PF_EffectWorld* dst_world);
};

struct PF_FillMatteSuite2 {
  PF_Err (*fill)(PF_ProgPtr effect_ref, const PF_Pixel* color, const PF_Rect* dst_rect,
                 PF_EffectWorld* world);
  PF_Err (*fill16)(PF_ProgPtr effect_ref, const PF_Pixel16* color, const PF_Rect* dst_rect,
                   PF_EffectWorld* world);
  PF_Err (*fill_float)(PF_ProgPtr effect_ref, const PF_PixelFloat* color,
                       const PF_Rect* dst_rect, PF_EffectWorld* world);
  PF_Err (*premultiply)(PF_ProgPtr effect_ref, A_long forward, PF_EffectWorld* dst);
  PF_Err (*premultiply_color)(PF_ProgPtr effect_ref, PF_EffectWorld* src, const PF_Pixel* color,
                              A_long forward, PF_EffectWorld* dst);
  PF_Err (*premultiply_color16)(PF_ProgPtr effect_ref, PF_EffectWorld* src,
                                const PF_Pixel16* color, A_long forward, PF_EffectWorld* dst);
  PF_Err (*premultiply_color_float)(PF_ProgPtr effect_ref, PF_EffectWorld* src,
                                    const PF_PixelFloat* color, A_long forward,
                                    PF_EffectWorld* dst);
};

// ---------------------------------------------------------------------------
// Iteration
// ---------------------------------------------------------------------------

// Versions 1 and 2 share this layout; version 2 lets the host use more than
// 32 threads in iterate_generic.
struct PF_Iterate8Suite1 {
  PF_Err (*iterate)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                    PF_EffectWorld* src, const PF_Rect* area, void* refcon,
                    PF_IteratePixel8Func pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_origin)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                           PF_EffectWorld* src, const PF_Rect* area, const PF_Point* origin,
                           void* refcon, PF_IteratePixel8Func pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_lut)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                        PF_EffectWorld* src, const PF_Rect* area, A_u_char* a_lut0,
                        A_u_char* r_lut0, A_u_char* g_lut0, A_u_char* b_lut0,
                        PF_EffectWorld* dst);
  PF_Err (*iterate_origin_non_clip_src)(PF_InData* in_data, A_long progress_base,
                                        A_long progress_final, PF_EffectWorld* src,
                                        const PF_Rect* area, const PF_Point* origin, void* refcon,
                                        PF_IteratePixel8Func pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_generic)(A_long iterationsL, void* refconPV, PF_IterateGenericFunc fn_func);
};
typedef PF_Iterate8Suite1 PF_Iterate8Suite2;

struct PF_Iterate16Suite1 {
  PF_Err (*iterate)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                    PF_EffectWorld* src, const PF_Rect* area, void* refcon,
                    PF_IteratePixel16Func pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_origin)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                           PF_EffectWorld* src, const PF_Rect* area, const PF_Point* origin,
                           void* refcon, PF_IteratePixel16Func pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_origin_non_clip_src)(PF_InData* in_data, A_long progress_base,
                                        A_long progress_final, PF_EffectWorld* src,
                                        const PF_Rect* area, const PF_Point* origin, void* refcon,
                                        PF_IteratePixel16Func pix_fn, PF_EffectWorld* dst);
};
typedef PF_Iterate16Suite1 PF_Iterate16Suite2;  // same layout

struct PF_IterateFloatSuite1 {
  PF_Err (*iterate)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                    PF_EffectWorld* src, const PF_Rect* area, void* refcon,
                    PF_IteratePixelFloatFunc pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_origin)(PF_InData* in_data, A_long progress_base, A_long progress_final,
                           PF_EffectWorld* src, const PF_Rect* area, const PF_Point* origin,
                           void* refcon, PF_IteratePixelFloatFunc pix_fn, PF_EffectWorld* dst);
  PF_Err (*iterate_origin_non_clip_src)(PF_InData* in_data, A_long progress_base,
                                        A_long progress_final, PF_EffectWorld* src,
                                        const PF_Rect* area, const PF_Point* origin, void* refcon,
                                        PF_IteratePixelFloatFunc pix_fn, PF_EffectWorld* dst);
};
typedef PF_IterateFloatSuite1 PF_IterateFloatSuite2;  // same layout

// ---------------------------------------------------------------------------
// Parameters
// ---------------------------------------------------------------------------

// Opaque snapshot of a parameter's state, compared with PF_AreStatesIdentical.
struct PF_State {
  A_long reservedAL[4];
};

// "PF Param Utils Suite" version 2.
struct PF_ParamUtilsSuite1 {
  // The definition passed in carries the new UI state (name, flags), not a value.
  PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                             const PF_ParamDef* defP);
  PF_Err (*PF_GetCurrentStateObsolete)(PF_ProgPtr effect_ref, PF_State* stateP);
  PF_Err (*PF_HasParamChangedObsolete)(PF_ProgPtr effect_ref, const PF_State* stateP,
                                       PF_ParamIndex param_index, PF_Boolean* changedPB);
  PF_Err (*PF_HaveInputsChangedOverTimeSpanObsolete)(PF_ProgPtr effect_ref,
                                                     const PF_State* stateP,
                                                     const A_Time* startPT0,
                                                     const A_Time* durationPT0,
                                                     PF_Boolean* changedPB);
  PF_Err (*PF_IsIdenticalCheckout)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                   A_long what_time1, A_long time_step1, A_u_long time_scale1,
                                   A_long what_time2, A_long time_step2, A_u_long time_scale2,
                                   PF_Boolean* identicalPB);
  PF_Err (*PF_FindKeyframeTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                A_long what_time, A_u_long time_scale, PF_TimeDir time_dir,
                                PF_Boolean* foundPB, PF_KeyIndex* key_indexP0,
                                A_long* key_timeP0, A_u_long* key_timescaleP0);
  PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                PF_KeyIndex* key_countP);
  PF_Err (*PF_CheckoutKeyframe)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                PF_KeyIndex key_index, A_long* key_timeP0,
                                A_u_long* key_timescaleP0, PF_ParamDef* paramP0);
  PF_Err (*PF_CheckinKeyframe)(PF_ProgPtr effect_ref, PF_ParamDef* paramP);
  PF_Err (*PF_KeyIndexToTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                              PF_KeyIndex key_indexP, A_long* key_timeP,
                              A_u_long* key_timescaleP);
};

// "PF Param Utils Suite" version 3: state queries take a parameter index and a
// time span, and the obsolete state calls are gone.
struct PF_ParamUtilsSuite3 {
  PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                             const PF_ParamDef* defP);
  PF_Err (*PF_GetCurrentState)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                               const A_Time* startPT0, const A_Time* durationPT0,
                               PF_State* stateP);
  PF_Err (*PF_AreStatesIdentical)(PF_ProgPtr effect_ref, const PF_State* state1P,
                                  const PF_State* state2P, A_Boolean* samePB);
  PF_Err (*PF_IsIdenticalCheckout)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                   A_long what_time1, A_long time_step1, A_u_long time_scale1,
                                   A_long what_time2, A_long time_step2, A_u_long time_scale2,
                                   PF_Boolean* identicalPB);
  PF_Err (*PF_FindKeyframeTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                A_long what_time, A_u_long time_scale, PF_TimeDir time_dir,
                                PF_Boolean* foundPB, PF_KeyIndex* key_indexP0,
                                A_long* key_timeP0, A_u_long* key_timescaleP0);
  PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                PF_KeyIndex* key_countP);
  PF_Err (*PF_CheckoutKeyframe)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                PF_KeyIndex key_index, A_long* key_timeP0,
                                A_u_long* key_timescaleP0, PF_ParamDef* paramP0);
  PF_Err (*PF_CheckinKeyframe)(PF_ProgPtr effect_ref, PF_ParamDef* paramP);
  PF_Err (*PF_KeyIndexToTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                              PF_KeyIndex key_indexP, A_long* key_timeP,
                              A_u_long* key_timescaleP);
};

struct PF_EffectSequenceDataSuite1 {
  PF_Err (*PF_GetConstSequenceData)(PF_ProgPtr effect_ref, PF_ConstHandle* sequence_data);
};

struct PF_ColorParamSuite1 {
  PF_Err (*PF_GetFloatingPointColorFromColorDef)(PF_ProgPtr effect_ref,
                                                  const PF_ParamDef* color_defP,
                                                  PF_PixelFloat* fp_colorP);
};

struct PF_PointParamSuite1 {
  PF_Err (*PF_GetFloatingPointValueFromPointDef)(PF_ProgPtr effect_ref,
                                                  const PF_ParamDef* point_defP,
                                                  A_FloatPoint* fp_pointP);
};

struct PF_AngleParamSuite1 {
  PF_Err (*PF_GetFloatingPointValueFromAngleDef)(PF_ProgPtr effect_ref,
                                                  const PF_ParamDef* angle_defP,
                                                  A_FpLong* fp_valueP);
};

// ---------------------------------------------------------------------------
// Application ("PF AE App Suite")
// ---------------------------------------------------------------------------

// Version 6 (kPFAppSuiteVersion4).
struct PFAppSuite4 {
  PF_Err (*PF_AppGetBgColor)(PF_App_Color* bg_colorP);
  PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color* app_colorP);
  PF_Err (*PF_GetPersonalInfo)(PF_AppPersonalTextInfo* ptiP);
  PF_Err (*PF_GetFontStyleSheet)(PF_FontStyleSheet sheet, PF_FontName* font_nameP0,
                                 A_short* font_numPS0, A_short* sizePS0, A_short* stylePS0);
  PF_Err (*PF_SetCursor)(PF_CursorType cursor);
  PF_Err (*PF_IsRenderEngine)(PF_Boolean* render_enginePB);
  PF_Err (*PF_AppColorPickerDialog)(const A_char* dialog_titleZ0, const PF_PixelFloat* sample_color,
                                    PF_Boolean use_ws_to_monitor_xform,
                                    PF_PixelFloat* result_color);
  PF_Err (*PF_GetMouse)(PF_Point* pointP);
  PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect* rectP0);
  PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point* localP, PF_Point* globalP);
  PF_Err (*PF_GetColorAtGlobalPoint)(const PF_Point* globalP, A_short eye_dropper_radius,
                                     PF_EyeDropperSampleMode mode, PF_PixelFloat* sample_colorP);
};

// Version 7 (kPFAppSuiteVersion5). PF_AppGetLanguage was inserted at slot 2,
// so every later function sits one slot further down than in PFAppSuite4.
struct PFAppSuite5 {
  PF_Err (*PF_AppGetBgColor)(PF_App_Color* bg_colorP);
  PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color* app_colorP);
  // Writes a language tag such as "en_US" into PF_APP_LANG_TAG_SIZE chars.
  PF_Err (*PF_AppGetLanguage)(A_char* lang_tagZ);
  PF_Err (*PF_GetPersonalInfo)(PF_AppPersonalTextInfo* ptiP);
  PF_Err (*PF_GetFontStyleSheet)(PF_FontStyleSheet sheet, PF_FontName* font_nameP0,
                                 A_short* font_numPS0, A_short* sizePS0, A_short* stylePS0);
  PF_Err (*PF_SetCursor)(PF_CursorType cursor);
  PF_Err (*PF_IsRenderEngine)(PF_Boolean* render_enginePB);
  PF_Err (*PF_AppColorPickerDialog)(const A_char* dialog_titleZ0, const PF_PixelFloat* sample_color,
                                    PF_Boolean use_ws_to_monitor_xform,
                                    PF_PixelFloat* result_color);
  PF_Err (*PF_GetMouse)(PF_Point* pointP);
  PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect* rectP0);
  PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point* localP, PF_Point* globalP);
  PF_Err (*PF_GetColorAtGlobalPoint)(const PF_Point* globalP, A_short eye_dropper_radius,
                                     PF_EyeDropperSampleMode mode, PF_PixelFloat* sample_colorP);
};

// Version 1 (kPFAppSuiteVersion6): PFAppSuite5 plus an application progress dialog.
struct PFAppSuite6 {
  PF_Err (*PF_AppGetBgColor)(PF_App_Color* bg_colorP);
  PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color* app_colorP);
  PF_Err (*PF_AppGetLanguage)(A_char* lang_tagZ);
  PF_Err (*PF_GetPersonalInfo)(PF_AppPersonalTextInfo* ptiP);
  PF_Err (*PF_GetFontStyleSheet)(PF_FontStyleSheet sheet, PF_FontName* font_nameP0,
                                 A_short* font_numPS0, A_short* sizePS0, A_short* stylePS0);
  PF_Err (*PF_SetCursor)(PF_CursorType cursor);
  PF_Err (*PF_IsRenderEngine)(PF_Boolean* render_enginePB);
  PF_Err (*PF_AppColorPickerDialog)(const A_char* dialog_titleZ0, const PF_PixelFloat* sample_color,
                                    PF_Boolean use_ws_to_monitor_xform,
                                    PF_PixelFloat* result_color);
  PF_Err (*PF_GetMouse)(PF_Point* pointP);
  PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect* rectP0);
  PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point* localP, PF_Point* globalP);
  PF_Err (*PF_GetColorAtGlobalPoint)(const PF_Point* globalP, A_short eye_dropper_radius,
                                     PF_EyeDropperSampleMode mode, PF_PixelFloat* sample_colorP);
  PF_Err (*PF_CreateNewAppProgressDialog)(const A_UTF16Char* titleZ, const A_UTF16Char* cancel_strZ0,
                                          PF_Boolean indeterminateB,
                                          PF_AppProgressDialogP* prog_dlgPP);
  PF_Err (*PF_AppProgressDialogUpdate)(PF_AppProgressDialogP prog_dlgP, A_long countL,
                                       A_long totalL);
  PF_Err (*PF_DisposeAppProgressDialog)(PF_AppProgressDialogP prog_dlgP);
};

#pragma pack(pop)
