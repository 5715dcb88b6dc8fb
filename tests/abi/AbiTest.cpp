// Checks our host API declarations against the layout facts of the host's
// Windows x64 build (tests/data/host-abi-win64.tsv). The tables come from
// GenerateAbiChecks.cmake; a member we failed to declare breaks the build.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <type_traits>
#include <utility>

#include "hostapi/HostApi.h"

namespace {

struct LayoutRow {
  const char* row;
  std::size_t actual;
  std::size_t expected;
};

enum class ScalarKind { SIGNED, UNSIGNED, FLOAT, POINTER, OTHER };

template <typename T>
constexpr ScalarKind KindOf() {
  if (std::is_pointer<T>::value) return ScalarKind::POINTER;
  if (std::is_floating_point<T>::value) return ScalarKind::FLOAT;
  if (std::is_integral<T>::value)
    return std::is_signed<T>::value ? ScalarKind::SIGNED : ScalarKind::UNSIGNED;
  return ScalarKind::OTHER;
}

const char* KindName(ScalarKind k) {
  switch (k) {
    case ScalarKind::SIGNED: return "signed";
    case ScalarKind::UNSIGNED: return "unsigned";
    case ScalarKind::FLOAT: return "float";
    case ScalarKind::POINTER: return "pointer";
    case ScalarKind::OTHER: break;
  }
  return "other";
}

struct ScalarRow {
  const char* row;
  std::size_t size;
  std::size_t expected_size;
  ScalarKind kind;
  ScalarKind expected_kind;
};

struct IntConstRow {
  const char* row;
  int64_t actual;
  int64_t expected;
};

struct StringConstRow {
  const char* row;
  const char* actual;
  const char* expected;
};

#include "AbiChecks.inc"

template <typename Row, std::size_t N>
void ExpectLayout(const Row (&rows)[N]) {
  for (const Row& r : rows) EXPECT_EQ(r.actual, r.expected) << r.row;
}

TEST(HostAbi, ScalarTypedefsHaveTheHostsWidthAndKind) {
  for (const ScalarRow& r : kScalarRows) {
    EXPECT_EQ(r.size, r.expected_size) << r.row;
    EXPECT_STREQ(KindName(r.kind), KindName(r.expected_kind)) << r.row;
  }
}

TEST(HostAbi, RecordSizesAndAlignments) {
  ExpectLayout(kStructRows);
}

TEST(HostAbi, MemberOffsetsAndSizes) {
  ExpectLayout(kMemberRows);
}

TEST(HostAbi, CallbackSlots) {
  for (const LayoutRow& r : kSlotRows) {
    EXPECT_EQ(r.actual % 8, 0u) << r.row << " is not on a pointer boundary";
    EXPECT_EQ(r.actual / 8, r.expected) << r.row;
  }
}

TEST(HostAbi, ConstantValues) {
  ExpectLayout(kIntConstRows);
  ExpectLayout(kCodeConstRows);
  for (const StringConstRow& r : kStringConstRows) EXPECT_STREQ(r.actual, r.expected) << r.row;
  std::printf("host ABI rows checked: %d, skipped as undeclared: %d\n", kAbiRowsChecked,
              kAbiRowsSkipped);
}

// The two four-character-code byte orders of the host, checked against
// values the host itself uses.
TEST(HostAbi, FourCharacterCodeHelpers) {
  EXPECT_EQ(PF_FourCharCode("FXTC"), 0x46585443);  // After Effects' appl_id
  EXPECT_EQ(PF_FourCharCode("S!Fd"), kSPSuiteNotFoundError);
  EXPECT_EQ(PF_PixelFormatCode("argb"), PF_PixelFormat_ARGB32);
  EXPECT_EQ(PF_PixelFormatCode("ae16"), PF_PixelFormat_ARGB64);
  EXPECT_EQ(PF_PixelFormatCode("ae32"), PF_PixelFormat_ARGB128);
  // The literal 'argb' is another format: the trap the helpers exist for.
  EXPECT_EQ(PF_FourCharCode("argb"), PF_PixelFormat_BGRA32);
  EXPECT_NE(PF_FourCharCode("argb"), PF_PixelFormat_ARGB32);
}

// Calls through these pointers cross the host boundary, where a wrong
// parameter width or a missing `...` corrupts the call without any
// diagnostic; the layout tables above cannot see signatures.
TEST(HostAbi, CallbackSignaturesThatTheLayoutCannotShow) {
  using Sprintf = int (*)(char*, const char*, ...);
  EXPECT_TRUE((std::is_same<decltype(PF_ANSICallbacks::sprintf), Sprintf>::value));
  EXPECT_TRUE((std::is_same<decltype(PF_ANSICallbacksSuite1::sprintf), Sprintf>::value));
  EXPECT_TRUE((std::is_same<decltype(PF_UtilCallbacks::app),
                            int32_t (*)(PF_ProgressInfo*, int32_t, ...)>::value));

  using Worker = int32_t (*)(void*, int32_t, int32_t, int32_t);
  using IterateGeneric = int32_t (*)(int32_t, void*, Worker);
  EXPECT_TRUE((std::is_same<decltype(PF_UtilCallbacks::iterate_generic), IterateGeneric>::value));
  EXPECT_TRUE((std::is_same<decltype(PF_Iterate8Suite2::iterate_generic), IterateGeneric>::value));

  // Handle sizes are 64-bit even where A_long is 32.
  EXPECT_TRUE((std::is_same<decltype(PF_UtilCallbacks::host_new_handle),
                            void** (*)(uint64_t)>::value));
  EXPECT_TRUE((std::is_same<decltype(PF_HandleSuite1::host_resize_handle),
                            int32_t (*)(uint64_t, void***)>::value));

  EXPECT_TRUE((std::is_same<decltype(SPBasicSuite::AcquireSuite),
                            int32_t (*)(const char*, int32_t, const void**)>::value));
  EXPECT_TRUE((std::is_same<decltype(PF_WorldSuite2::PF_NewWorld),
                            int32_t (*)(PF_ProgressInfo*, int32_t, int32_t, char, int32_t,
                                        PF_LayerDef*)>::value));
  EXPECT_TRUE((std::is_same<PF_EffectEntryFunc,
                            int32_t (*)(int32_t, PF_InData*, PF_OutData*, PF_ParamDef**,
                                        PF_LayerDef*, void*)>::value));
}

}  // namespace
