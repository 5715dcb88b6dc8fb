#pragma once
// The embedded host, and running the edge smoothing pass on test pictures with the settings
// the render driver uses.

#include "Picture.h"
#include "host/Host.h"
#include "render/EdgeSmoothDepth.h"
#include "render/EdgeSmoothing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

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

    // The smoothed picture; `adjust` may change the settings first.
    template <class Pixel>
    Picture<Pixel> smoothed(Picture<Pixel> in, const std::function<void(EdgeSmoothSettings&)>& adjust = {}) {
        const Picture<Pixel> original(in);
        Picture<Pixel> out(in.width(), in.height(), stalePixel<Pixel>(), Picture<Pixel>::kDestinationPadding);
        EdgeSmoothSettings settings = settingsFor(in, out);
        if (adjust) adjust(settings);
        EXPECT_EQ(PF_Err_NONE, smoothLent(in, out, settings));
        EXPECT_TRUE(in.samePixels(original)) << "the source is never written";
        EXPECT_TRUE(out.paddingIntact()) << "nothing is written past a row's pixels";
        expectNothingHeld();
        return out;
    }

    void expectNothingHeld() {
        EXPECT_EQ(0, worlds().outstanding()) << "the flag map goes back to the host";
        EXPECT_EQ(0, worlds().misuses());
        EXPECT_EQ(0, host.suites().heldTotal()) << host.suites().describeHeld();
    }

    vmhost::WorldStore& worlds() { return host.context().worlds(); }

    vmhost::Host host{vmhost::HostConfig::checking()};
};
