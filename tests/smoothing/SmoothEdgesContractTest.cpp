// What smoothEdges promises its caller: refusals that touch nothing, the plain copy at strength
// 0, and the host's failures passed on with nothing left behind.
#include "Picture.h"
#include "host/Host.h"
#include "render/EdgeSmoothDepth.h"
#include "render/EdgeSmoothing.h"
#include "render/RenderParams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class SmoothingTest : public ::testing::Test {
protected:
    // What the destination holds before the pass, so that a missing copy shows.
    template <class Pixel>
    static Pixel stalePixel() {
        Pixel p;
        std::memset(&p, 0x5A, sizeof p);
        return p;
    }

    template <class Pixel>
    EdgeSmoothSettings settingsFor(Picture<Pixel>& in, Picture<Pixel>& out) {
        EdgeSmoothSettings settings;
        setEdgeSmoothDefaults(settings);
        settings.inData = &host.inData();
        settings.pixelFormat = EdgeSmoothDepth<Pixel>::kPixelFormat;
        settings.source = &in.world();
        settings.destination = &out.world();
        return settings;
    }

    // The host's own worlds may be copied; a test's pictures are lent to it for the call.
    template <class Pixel>
    PF_Err smoothLent(Picture<Pixel>& in, Picture<Pixel>& out, const EdgeSmoothSettings& settings) {
        vmhost::WorldStore::Loan source(worlds(), in.world(), EdgeSmoothDepth<Pixel>::kPixelFormat);
        vmhost::WorldStore::Loan destination(worlds(), out.world(), EdgeSmoothDepth<Pixel>::kPixelFormat);
        return smoothEdges(settings);
    }

    void expectNothingHeld() {
        EXPECT_EQ(0, worlds().outstanding()) << "the flag map goes back to the host";
        EXPECT_EQ(0, worlds().misuses());
        EXPECT_EQ(0, host.suites().heldTotal()) << host.suites().describeHeld();
    }

    vmhost::WorldStore& worlds() { return host.context().worlds(); }

    vmhost::Host host{vmhost::HostConfig::checking()};
};

TEST_F(SmoothingTest, RefusalsLeaveBothWorldsUntouched) {
    struct Case {
        const char* what;
        int outWidth, outHeight;
        std::uint32_t pixelFormat;
        std::uint32_t variant;
        PF_Err expected;
    };
    for (const Case& c : std::vector<Case>{
             {"unknown pixel format", 4, 3, kPixelFormatUnset, 0, PF_Err_UNRECOGNIZED_PARAM_TYPE},
             {"another variant", 4, 3, kPixelFormat8, 1, PF_Err_UNRECOGNIZED_PARAM_TYPE},
             {"narrower destination", 3, 3, kPixelFormat8, 0, PF_Err_BAD_CALLBACK_PARAM},
             {"taller destination", 4, 4, kPixelFormat8, 0, PF_Err_BAD_CALLBACK_PARAM},
         }) {
        Picture<PF_Pixel8> in({"KWKW", "WKWK", "KWKW"});
        const Picture<PF_Pixel8> original(in);
        Picture<PF_Pixel8> out(c.outWidth, c.outHeight, stalePixel<PF_Pixel8>());
        const Picture<PF_Pixel8> stale(out);
        EdgeSmoothSettings settings = settingsFor(in, out);
        settings.pixelFormat = c.pixelFormat;
        settings.variant = c.variant;
        EXPECT_EQ(c.expected, smoothLent(in, out, settings)) << c.what;
        EXPECT_TRUE(out.samePixels(stale)) << c.what;
        EXPECT_TRUE(in.samePixels(original)) << c.what;
    }
    EXPECT_EQ(0, host.context().worldCopies().plainCopies());
    EXPECT_EQ(0, worlds().creations());
    expectNothingHeld();
}

// At strength 0 the pass is the host's plain copy, even of hard edges, and asks for no flag map.
// (That pictures without hard edges come back unchanged at any strength is held by the
// differential test's one-colour frames, degenerate sizes and near colours.)
TEST_F(SmoothingTest, StrengthZeroIsThePlainCopy) {
    Picture<PF_Pixel8> edges({"KWKW", "WKWK"});
    const Picture<PF_Pixel8> original(edges);
    Picture<PF_Pixel8> out(4, 2, stalePixel<PF_Pixel8>(), Picture<PF_Pixel8>::kDestinationPadding);
    EdgeSmoothSettings settings = settingsFor(edges, out);
    settings.strength = 0;
    EXPECT_EQ(PF_Err_NONE, smoothLent(edges, out, settings));
    EXPECT_TRUE(out.samePixels(edges));
    EXPECT_TRUE(edges.samePixels(original)) << "the source is never written";
    EXPECT_TRUE(out.paddingIntact()) << "nothing is written past a row's pixels";
    EXPECT_EQ(0, worlds().creations());
    EXPECT_EQ(0, host.context().worldCopies().highQualityCopies()) << "always the plain copy";
    expectNothingHeld();
}

TEST_F(SmoothingTest, HostFailuresArePassedOnWithNothingLeftBehind) {
    Picture<PF_Pixel8> in({"WWWW", "WKKW", "WWWW"});
    {
        // Copy only (strength 0) is the host's copy: a destination the host does not know
        // fails it, and its error is the pass's. Smoothing copies band by band itself, so
        // there the host is asked for nothing but the flag map.
        Picture<PF_Pixel8> out(4, 3, stalePixel<PF_Pixel8>());
        vmhost::WorldStore::Loan source(worlds(), in.world(), PF_PixelFormat_ARGB32);
        EdgeSmoothSettings copyOnly = settingsFor(in, out);
        copyOnly.strength = 0;
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, smoothEdges(copyOnly));
        EXPECT_EQ(1, host.context().worldCopies().plainCopies());
        EXPECT_EQ(0, worlds().creations());
    }
    {
        // Without a flag map the destination still gets the unsmoothed copy.
        Picture<PF_Pixel8> out(4, 3, stalePixel<PF_Pixel8>());
        worlds().failNthCreation(1);
        EXPECT_EQ(PF_Err_OUT_OF_MEMORY, smoothLent(in, out, settingsFor(in, out)));
        EXPECT_TRUE(out.samePixels(in));
    }
    {
        Picture<PF_Pixel8> out(4, 3, stalePixel<PF_Pixel8>());
        EXPECT_EQ(PF_Err_NONE, smoothLent(in, out, settingsFor(in, out)));
        EXPECT_EQ(1, worlds().creations());
        EXPECT_EQ(1, host.context().worldCopies().plainCopies()) << "only the copy-only case above";
        EXPECT_FALSE(out.samePixels(in)) << "the block's edges are smoothed";
    }
    {
        // A host without the world suite: the bare error 516 is thrown and every suite taken
        // is given back.
        Picture<PF_Pixel8> out(4, 3, stalePixel<PF_Pixel8>());
        host.context().serveWorldSuite(kPFWorldSuiteVersion1, false);
        try {
            smoothLent(in, out, settingsFor(in, out));
            ADD_FAILURE() << "no error thrown";
        } catch (int err) {
            EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, err);
        }
        EXPECT_EQ(1, worlds().creations());
    }
    expectNothingHeld();
}

}  // namespace
