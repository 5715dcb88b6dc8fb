// Worlds the host makes, lends and copies, reached through the suites as an
// effect reaches them.

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "SuiteLease.h"
#include "host/Host.h"
#include "host/Image.h"

namespace {

using vmhost::Image;

const std::uint8_t* bytesOf(const PF_EffectWorld& world, A_long y) {
    return reinterpret_cast<const std::uint8_t*>(world.data) + y * world.rowbytes;
}

// A checking host (rows padded by 48 bytes, fill byte 0xC3) and its world suite.
class HostWorlds : public ::testing::Test {
protected:
    vmhost::Host host{vmhost::HostConfig::checking()};
    SuiteLease<PF_WorldSuite2> v2{host, kPFWorldSuite, kPFWorldSuiteVersion2};
    const PF_ProgPtr ref = host.inData().effect_ref;
};

TEST_F(HostWorlds, NewWorldsHaveTheFormatFlagsAndPaddingAsked) {
    SuiteLease<PF_WorldSuite1> v1(host, kPFWorldSuite, kPFWorldSuiteVersion1);
    ASSERT_TRUE(v2 && v1);
    struct Case {
        PF_PixelFormat format;
        A_long pixelBytes;
        PF_WorldFlags flags;
    };
    const Case cases[] = {
        {PF_PixelFormat_ARGB32, 4, PF_WorldFlag_WRITEABLE},
        {PF_PixelFormat_ARGB64, 8, PF_WorldFlag_WRITEABLE | PF_WorldFlag_DEEP},
        {PF_PixelFormat_ARGB128, 16, PF_WorldFlag_WRITEABLE},
    };
    PF_EffectWorld worlds[6];
    int made = 0;
    for (const Case& c : cases) {
        for (PF_Boolean clear : {PF_Boolean(0), PF_Boolean(1)}) {
            SCOPED_TRACE(testing::Message() << "format " << c.pixelBytes << " bytes, clear " << int(clear));
            PF_EffectWorld& world = worlds[made++];
            ASSERT_EQ(PF_Err_NONE, v2->PF_NewWorld(ref, 5, 3, clear, c.format, &world));
            EXPECT_EQ(5, world.width);
            EXPECT_EQ(3, world.height);
            EXPECT_EQ(5 * c.pixelBytes + 48, world.rowbytes);
            EXPECT_EQ(c.flags, world.world_flags);
            EXPECT_EQ(5, world.extent_hint.right);
            EXPECT_EQ(3, world.extent_hint.bottom);
            // A copy of the record is still that world.
            const PF_EffectWorld record = world;
            PF_PixelFormat format = 0;
            ASSERT_EQ(PF_Err_NONE, v2->PF_GetPixelFormat(&record, &format));
            EXPECT_EQ(c.format, format);
            EXPECT_EQ(clear ? 0 : 0xC3, bytesOf(world, 2)[5 * c.pixelBytes - 1]);
            EXPECT_EQ(0xC3, bytesOf(world, 2)[5 * c.pixelBytes]) << "padding";
        }
    }
    EXPECT_EQ(6, host.outstandingWorlds());
    for (PF_EffectWorld& world : worlds) EXPECT_EQ(PF_Err_NONE, v2->PF_DisposeWorld(ref, &world));
    EXPECT_EQ(0, host.outstandingWorlds());
    EXPECT_EQ(nullptr, worlds[0].data) << "a disposed record leads nowhere";
    PF_EffectWorld gone = worlds[1];
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, v2->PF_DisposeWorld(ref, &gone));
    EXPECT_EQ(1, host.worlds().misuses());

    // Version 1: the flags choose depth and clearing.
    PF_EffectWorld deep{};
    PF_EffectWorld narrow{};
    ASSERT_EQ(PF_Err_NONE, v1->new_world(ref, 2, 2, PF_NewWorldFlag_DEEP_PIXELS | PF_NewWorldFlag_CLEAR_PIXELS, &deep));
    ASSERT_EQ(PF_Err_NONE, v1->new_world(ref, 2, 2, PF_NewWorldFlag_NONE, &narrow));
    PF_PixelFormat format = 0;
    ASSERT_EQ(PF_Err_NONE, v2->PF_GetPixelFormat(&deep, &format));
    EXPECT_EQ(PF_PixelFormat_ARGB64, format);
    EXPECT_EQ(PF_WorldFlag_DEEP, deep.world_flags & PF_WorldFlag_DEEP);
    EXPECT_EQ(0, bytesOf(deep, 1)[15]);
    ASSERT_EQ(PF_Err_NONE, v2->PF_GetPixelFormat(&narrow, &format));
    EXPECT_EQ(PF_PixelFormat_ARGB32, format);
    EXPECT_EQ(0xC3, bytesOf(narrow, 1)[7]);
    EXPECT_EQ(PF_Err_NONE, v1->dispose_world(ref, &deep));
    EXPECT_EQ(PF_Err_NONE, v1->dispose_world(ref, &narrow));

    host.worlds().setRowPadding(0);
    PF_EffectWorld tight{};
    ASSERT_EQ(PF_Err_NONE, v2->PF_NewWorld(ref, 5, 1, 0, PF_PixelFormat_ARGB32, &tight));
    EXPECT_EQ(20, tight.rowbytes);
    EXPECT_EQ(PF_Err_NONE, v2->PF_DisposeWorld(ref, &tight));
    EXPECT_THROW(host.worlds().setRowPadding(6), std::invalid_argument) << "splits a float channel";
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, v2->PF_NewWorld(ref, 2, 2, 0, PF_PixelFormat_BGRA32, &tight));
    EXPECT_EQ(0, host.outstandingWorlds());
    EXPECT_EQ(9, host.worlds().creations());
}

TEST_F(HostWorlds, TheDefaultHostReusesDisposedWorldsAndClearsOnlyWhenAsked) {
    vmhost::Host fast;  // no padding, no fill, disposed worlds kept for reuse
    SuiteLease<PF_WorldSuite2> fastSuite(fast, kPFWorldSuite, kPFWorldSuiteVersion2);
    ASSERT_TRUE(fastSuite && v2);
    const PF_ProgPtr fastRef = fast.inData().effect_ref;
    PF_EffectWorld first{};
    ASSERT_EQ(PF_Err_NONE, fastSuite->PF_NewWorld(fastRef, 5, 3, 0, PF_PixelFormat_ARGB64, &first));
    EXPECT_EQ(5 * 8, first.rowbytes);
    std::memset(first.data, 0x5A, static_cast<std::size_t>(first.rowbytes) * 3);
    const void* pixels = first.data;
    ASSERT_EQ(PF_Err_NONE, fastSuite->PF_DisposeWorld(fastRef, &first));
    EXPECT_EQ(1, fast.worlds().recycled());

    PF_EffectWorld other{};
    ASSERT_EQ(PF_Err_NONE, fastSuite->PF_NewWorld(fastRef, 5, 3, 0, PF_PixelFormat_ARGB32, &other));
    EXPECT_NE(pixels, static_cast<const void*>(other.data)) << "another format gets memory of its own";
    PF_EffectWorld again{};
    ASSERT_EQ(PF_Err_NONE, fastSuite->PF_NewWorld(fastRef, 5, 3, 1, PF_PixelFormat_ARGB64, &again));
    EXPECT_EQ(pixels, static_cast<const void*>(again.data));
    EXPECT_EQ(0, fast.worlds().recycled());
    EXPECT_EQ(0, bytesOf(again, 2)[5 * 8 - 1]) << "a reused world is cleared when asked";
    PF_PixelFormat format = 0;
    ASSERT_EQ(PF_Err_NONE, fastSuite->PF_GetPixelFormat(&again, &format));
    EXPECT_EQ(PF_PixelFormat_ARGB64, format);
    EXPECT_EQ(2, fast.outstandingWorlds()) << "reused worlds are counted as new ones";
    EXPECT_EQ(PF_Err_NONE, fastSuite->PF_DisposeWorld(fastRef, &again));
    EXPECT_EQ(PF_Err_NONE, fastSuite->PF_DisposeWorld(fastRef, &other));
    EXPECT_EQ(0, fast.outstandingWorlds());
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, fastSuite->PF_DisposeWorld(fastRef, &again))
        << "a reused world is disposed of once";

    // Frame images the caller hands back serve later frames and worlds alike.
    Image output = fast.worlds().newImage(PF_PixelFormat_ARGB128, 7, 2);
    const void* outputPixels = output.row(0);
    fast.worlds().recycle(std::move(output));
    PF_EffectWorld fromOutput{};
    ASSERT_EQ(PF_Err_NONE, fastSuite->PF_NewWorld(fastRef, 7, 2, 0, PF_PixelFormat_ARGB128, &fromOutput));
    EXPECT_EQ(outputPixels, static_cast<const void*>(fromOutput.data));
    EXPECT_EQ(PF_Err_NONE, fastSuite->PF_DisposeWorld(fastRef, &fromOutput));
    EXPECT_EQ(outputPixels, static_cast<const void*>(fast.worlds().newImage(PF_PixelFormat_ARGB128, 7, 2).row(0)));

    // The checking host: no reuse, and new memory filled.
    PF_EffectWorld world{};
    ASSERT_EQ(PF_Err_NONE, v2->PF_NewWorld(ref, 2, 2, 0, PF_PixelFormat_ARGB32, &world));
    ASSERT_EQ(PF_Err_NONE, v2->PF_DisposeWorld(ref, &world));
    EXPECT_EQ(0, host.worlds().recycled()) << "a checking host never hands out freed memory again";
    host.worlds().recycle(Image(PF_PixelFormat_ARGB32, 2, 2));
    EXPECT_EQ(0, host.worlds().recycled());
    EXPECT_TRUE(host.worlds().newImage(PF_PixelFormat_ARGB32, 2, 1, 4).paddingHolds(0xC3));
    EXPECT_EQ(0xC3, host.worlds().newImage(PF_PixelFormat_ARGB32, 2, 1).row(0)[7]);
}

TEST_F(HostWorlds, FailuresLentWorldsAndAnOlderHostsVersions) {
    host.worlds().failNthCreation(2);
    PF_EffectWorld worlds[3] = {};
    EXPECT_EQ(PF_Err_NONE, v2->PF_NewWorld(ref, 4, 4, 0, PF_PixelFormat_ARGB32, &worlds[0]));
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, v2->PF_NewWorld(ref, 4, 4, 0, PF_PixelFormat_ARGB32, &worlds[1]));
    EXPECT_EQ(PF_Err_NONE, v2->PF_NewWorld(ref, 4, 4, 0, PF_PixelFormat_ARGB32, &worlds[2]));
    EXPECT_EQ(2, host.outstandingWorlds());
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, v2->PF_DisposeWorld(ref, &worlds[1]));
    v2->PF_DisposeWorld(ref, &worlds[0]);
    v2->PF_DisposeWorld(ref, &worlds[2]);

    // A lent image answers its format while lent, but is never the effect's to dispose of.
    Image image(PF_PixelFormat_ARGB128, 2, 2);
    PF_EffectWorld lentWorld = image.world();
    PF_PixelFormat format = 0;
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, v2->PF_GetPixelFormat(&lentWorld, &format));
    {
        vmhost::WorldStore::Loan loan(host.worlds(), image);
        ASSERT_EQ(PF_Err_NONE, v2->PF_GetPixelFormat(&lentWorld, &format));
        EXPECT_EQ(PF_PixelFormat_ARGB128, format);
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, v2->PF_DisposeWorld(ref, &lentWorld));
        EXPECT_EQ(0, host.outstandingWorlds());
        // The same image lent to a second frame at once stays known until both are done.
        { vmhost::WorldStore::Loan second(host.worlds(), image); }
        EXPECT_EQ(PF_Err_NONE, v2->PF_GetPixelFormat(&lentWorld, &format));
    }
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, v2->PF_GetPixelFormat(&lentWorld, &format));

    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.serveWorldSuite2 = false;
    vmhost::Host older(config);
    EXPECT_FALSE(older.suites().serves(kPFWorldSuite, kPFWorldSuiteVersion2));
    EXPECT_TRUE(older.suites().serves(kPFWorldSuite, kPFWorldSuiteVersion1));
    EXPECT_TRUE(older.suites().serves(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1));
}

TEST_F(HostWorlds, TransformCopiesFollowRowbytesAndLogTheirKind) {
    SuiteLease<PF_WorldTransformSuite1> transform(host, kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    ASSERT_TRUE(transform);
    // Different paddings on each side: a copy that ignores rowbytes shifts rows.
    Image source(PF_PixelFormat_ARGB64, 6, 4, 8);
    Image destination(PF_PixelFormat_ARGB64, 6, 4, 40, 0x77);
    Image small(PF_PixelFormat_ARGB64, 2, 1);
    Image narrow(PF_PixelFormat_ARGB32, 6, 4);
    for (A_long y = 0; y < 4; ++y)
        for (A_long x = 0; x < 6; ++x) source.at<PF_Pixel16>(x, y) = {A_u_short(32768), A_u_short(x), A_u_short(y), 1};
    vmhost::WorldStore::Loan loans[] = {{host.worlds(), source},
                                        {host.worlds(), destination},
                                        {host.worlds(), small},
                                        {host.worlds(), narrow}};
    PF_EffectWorld from = source.world();
    PF_EffectWorld to = destination.world();
    PF_EffectWorld smallWorld = small.world();
    PF_EffectWorld narrowWorld = narrow.world();

    ASSERT_EQ(PF_Err_NONE, transform->copy(ref, &from, &to, nullptr, nullptr));
    EXPECT_TRUE(destination.samePixels(source));
    EXPECT_TRUE(destination.paddingHolds(0x77));

    PF_Rect part{3, 1, 5, 2};
    ASSERT_EQ(PF_Err_NONE, transform->copy_hq(ref, &from, &smallWorld, &part, nullptr));
    EXPECT_EQ(3, small.at<PF_Pixel16>(0, 0).red);
    EXPECT_EQ(4, small.at<PF_Pixel16>(1, 0).red);
    EXPECT_EQ(1, small.at<PF_Pixel16>(1, 0).green);

    // Rectangles of different sizes resample to the nearest pixel.
    PF_Rect stretched{0, 0, 6, 4};
    ASSERT_EQ(PF_Err_NONE, transform->copy(ref, &smallWorld, &to, nullptr, &stretched));
    EXPECT_EQ(3, destination.at<PF_Pixel16>(2, 3).red);
    EXPECT_EQ(4, destination.at<PF_Pixel16>(3, 0).red);
    EXPECT_EQ(2, host.worldCopies().plainCopies());
    EXPECT_EQ(1, host.worldCopies().highQualityCopies());

    PF_Rect outside{4, 0, 7, 1};
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, transform->copy(ref, &from, &to, &outside, nullptr));
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, transform->copy_hq(ref, &from, &narrowWorld, nullptr, nullptr))
        << "no depth conversion";
    Image unknown(PF_PixelFormat_ARGB64, 6, 4);
    PF_EffectWorld stranger = unknown.world();
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, transform->copy(ref, &stranger, &to, nullptr, nullptr));
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, transform->blend(ref, &from, &from, 0, &to)) << "not served";
}

}  // namespace
