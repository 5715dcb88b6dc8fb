// Whole frames through the probe: the SmartFX pair and the legacy command,
// with the worlds, check-outs, pre-render data and leaks they involve.

#include <gtest/gtest.h>

#include <string>

#include "ProbeHost.h"
#include "host/FrameRenderer.h"
#include "host/Image.h"

namespace {

using vmhost::FrameRenderer;
using vmhost::FrameRequest;
using vmhost::FrameResult;
using vmhost::Image;
using vmhost::RenderCommand;

// Every channel varies, alpha included, and 16-bit values stay within 0..32768.
Image patterned(PF_PixelFormat format, A_long width, A_long height, A_long padding) {
    Image image(format, width, height, padding, 0x5A);
    for (A_long y = 0; y < height; ++y)
        for (A_long x = 0; x < width; ++x)
            image.setNormalized(x, y,
                                {((x * 7 + y * 3) % 11) / 10.0f, ((x * 37 + y * 11) % 256) / 255.0f,
                                 ((x * 5 + y * 13) % 256) / 255.0f, static_cast<float>((x + y) % 2)});
    return image;
}

// What the probe's invert mode makes of `input`.
Image inverted(const Image& input) {
    Image image(input.format(), input.width(), input.height());
    for (A_long y = 0; y < input.height(); ++y)
        for (A_long x = 0; x < input.width(); ++x) {
            const PF_PixelFloat p = input.normalized(x, y);
            image.setNormalized(x, y, {p.alpha, 1.0f - p.red, 1.0f - p.green, 1.0f - p.blue});
        }
    return image;
}

std::string text(const PF_LRect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

TEST(FrameRender, SmartFxRoundTripInEveryDepth) {
    auto host = probe::setUpHost();
    FrameRenderer renderer(*host);
    FrameRequest request;
    request.time = 4;
    request.downsampleX = {1, 2};
    request.downsampleY = {1, 4};
    for (PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
        SCOPED_TRACE(testing::Message() << "format " << format);
        // 12 bytes of padding are not whole pixels in the deeper formats.
        Image input = patterned(format, 13, 7, 12);
        input.setOrigin(5, 9);
        const FrameResult r = renderer.render(input, request);
        ASSERT_EQ(PF_Err_NONE, r.err) << r.returnMessage;
        EXPECT_EQ("time 4 quality 1 downsample 1/2 1/4", r.returnMessage);
        EXPECT_TRUE(r.output.samePixels(inverted(input)));
        EXPECT_EQ(12, r.output.rowPadding());
        EXPECT_TRUE(r.output.paddingHolds(*host->worlds().fillByte()));

        const std::string bounds = "(5, 9, 18, 16)";
        EXPECT_EQ(bounds, text(r.outputRequest.rect));
        ASSERT_EQ(1u, r.layerCheckouts.size());
        const vmhost::LayerCheckout& checkout = r.layerCheckouts[0];
        EXPECT_EQ(0, checkout.index);
        EXPECT_EQ(0, checkout.checkoutId);
        EXPECT_EQ(bounds, text(checkout.request.rect));
        EXPECT_TRUE(checkout.request.preserve_rgb_of_zero_alpha) << "as the probe asked, not as the host did";
        EXPECT_FALSE(r.outputRequest.preserve_rgb_of_zero_alpha);
        EXPECT_EQ(4, checkout.time);
        EXPECT_EQ(host->inData().time_step, checkout.timeStep);
        EXPECT_EQ(30u, checkout.timeScale);
        EXPECT_EQ(bounds, text(r.preRender.result_rect));
        EXPECT_EQ(bounds, text(r.preRender.max_result_rect));

        EXPECT_TRUE(r.renderSent);
        EXPECT_TRUE(r.preRenderDataDeleted);
        EXPECT_EQ(1, r.pixelCheckouts);
        EXPECT_EQ(1, r.pixelCheckins);
        EXPECT_EQ(1, r.outputCheckouts);
        EXPECT_EQ(0, r.checkoutsLeft);
        EXPECT_EQ(0, r.checkoutMisuses);
        EXPECT_EQ(0, r.leakedHandles);
        EXPECT_EQ(0, r.leakedWorlds);
    }
    EXPECT_EQ(3, host->worldCopies().highQualityCopies());
    EXPECT_EQ(0, host->worldCopies().plainCopies());
    request.quality = PF_Quality_LO;
    ASSERT_EQ(PF_Err_NONE, renderer.render(patterned(PF_PixelFormat_ARGB32, 3, 3, 0), request).err);
    EXPECT_EQ(1, host->worldCopies().plainCopies()) << "copy_hq exactly at high quality";
    EXPECT_EQ(3, host->worldCopies().highQualityCopies());

    EXPECT_EQ(0, host->outstandingWorlds());
    EXPECT_EQ(1, host->handles().outstanding()) << "only the global data";
    EXPECT_EQ(0, host->suites().heldTotal());
    EXPECT_EQ(0, host->frameLeaks().leakReports());
}

TEST(FrameRender, LegacyRenderAndTheFallbackToWorldSuiteOne) {
    auto host = probe::setUpHost();
    FrameRenderer renderer(*host);
    FrameRequest legacy;
    legacy.command = RenderCommand::Legacy;
    legacy.quality = PF_Quality_LO;
    legacy.time = 60;
    legacy.outputRowPadding = 0;
    const Image input = patterned(PF_PixelFormat_ARGB64, 9, 6, 4);
    FrameResult r = renderer.render(input, legacy);
    ASSERT_EQ(PF_Err_NONE, r.err) << r.returnMessage;
    EXPECT_EQ("time 60 quality 0 downsample 1/1 1/1", r.returnMessage);
    EXPECT_TRUE(r.output.samePixels(inverted(input)));
    EXPECT_EQ(9 * 8, r.output.rowbytes());
    EXPECT_FALSE(r.renderSent);
    EXPECT_TRUE(r.layerCheckouts.empty());
    EXPECT_EQ(1, host->worldCopies().plainCopies());

    // Parameter values set by name reach both commands.
    host->params().setValue("Mode", probe::kModeCopy);
    r = renderer.render(input, legacy);
    ASSERT_EQ(PF_Err_NONE, r.err);
    EXPECT_TRUE(r.output.samePixels(input));
    EXPECT_EQ(1 + 2, host->worldCopies().plainCopies());
    EXPECT_EQ(0, host->worldCopies().highQualityCopies());

    // Without version 2 the probe makes its scratch world with version 1 and
    // takes the depth from the world flags. A float input then passes for
    // 'argb', and the copy into the 8-bit scratch world is refused.
    host->serveWorldSuite(kPFWorldSuiteVersion2, false);
    for (PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64}) {
        const Image source = patterned(format, 7, 5, 8);
        r = renderer.render(source);
        ASSERT_EQ(PF_Err_NONE, r.err) << format;
        EXPECT_TRUE(r.output.samePixels(source)) << format;
    }
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, renderer.render(patterned(PF_PixelFormat_ARGB128, 2, 2, 0)).err);
    EXPECT_EQ(0, host->outstandingWorlds());
    EXPECT_EQ(0, host->frameLeaks().leakReports());
}

TEST(FrameRender, LeaksFailuresAndCancelAreReported) {
    auto host = probe::setUpHost();
    FrameRenderer renderer(*host);
    const Image input = patterned(PF_PixelFormat_ARGB32, 4, 4, 0);
    const Image untouched(PF_PixelFormat_ARGB32, 4, 4, 0, *host->worlds().fillByte());

    // A pre-render handle without a deletion function stays behind.
    host->params().setValue("Mode", probe::kModeLeakPreRender);
    FrameResult r = renderer.render(input);
    ASSERT_EQ(PF_Err_NONE, r.err);
    EXPECT_FALSE(r.preRenderDataDeleted);
    EXPECT_EQ(1, r.leakedHandles);
    EXPECT_EQ(1, host->frameLeaks().leakReports());
    EXPECT_EQ(1, host->frameLeaks().leaked().handles);
    host->params().setValue("Mode", probe::kModeInvert);

    // A failed pixel check-out: no render, nothing left checked out, the data still deleted.
    FrameRequest failing;
    failing.failures.pixels = PF_Err_OUT_OF_MEMORY;
    r = renderer.render(input, failing);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, r.err);
    EXPECT_TRUE(r.renderSent);
    EXPECT_EQ(0, r.outputCheckouts);
    EXPECT_EQ(0, r.checkoutsLeft);
    EXPECT_TRUE(r.preRenderDataDeleted);
    EXPECT_TRUE(r.output.samePixels(untouched));

    failing.failures = {};
    failing.failures.layer = PF_Err_INTERNAL_STRUCT_DAMAGED;
    r = renderer.render(input, failing);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, r.preRenderErr);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, r.err);
    EXPECT_FALSE(r.renderSent);
    EXPECT_EQ(1u, r.layerCheckouts.size());
    EXPECT_TRUE(r.preRenderDataDeleted);

    // The probe's scratch world cannot be made.
    host->worlds().failNthCreation(1);
    r = renderer.render(input);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, r.err);
    EXPECT_TRUE(r.output.samePixels(untouched));
    EXPECT_EQ(1, r.pixelCheckins) << "checked in on the failure path too";

    // A cancel answered by the progress callback comes back from the effect.
    for (RenderCommand command : {RenderCommand::SmartFX, RenderCommand::Legacy}) {
        host->interaction().answerProgressFrom(1);
        FrameRequest request;
        request.command = command;
        EXPECT_EQ(PF_Interrupt_CANCEL, renderer.render(input, request).err);
    }
    host->interaction().answerProgressFrom(0);
    EXPECT_EQ(PF_Err_NONE, renderer.render(input).err);

    EXPECT_EQ(1, host->frameLeaks().leakReports()) << "only the leaking frame";
    EXPECT_EQ(0, host->outstandingWorlds());
    EXPECT_EQ(0, host->suites().heldTotal());
}

}  // namespace
