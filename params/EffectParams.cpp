#include "params/EffectParams.h"

#include "params/ParamClasses.h"
#include "params/ParamRegistry.h"
#include "render/RenderParams.h"

#include <cstring>
#include <utility>

namespace {

constexpr PF_Pixel kDefaultKeyColor{255, 3, 180, 245};

template <class Param, class... Args>
void make(Args&&... args) {
    adoptParam(new Param(std::forward<Args>(args)...));
}

ParamAddFloatSlider::Range amountRange(float defaultValue) {
    return {0, 1000, 0, 100, defaultValue, 1, 0, 0};
}

void makeKeyColor(int key, const PF_ParamDef* common) {
    static const char* const names[4][3] = {
        {"1 : Enable", "1 : Color", "1 : Color Range"},
        {"2 : Enable", "2 : Color", "2 : Color Range"},
        {"3 : Enable", "3 : Color", "3 : Color Range"},
        {"4 : Enable", "4 : Color", "4 : Color Range"},
    };
    const std::int32_t enableId = kIdKey1Enable + 3 * key;
    make<ParamAddCheckbox>(names[key][0], common, enableId, RecordField{RENDER_KEY_FIELD(key, enable)}, 0, "", 0, 0);
    make<ParamAddColor>(names[key][1], common, enableId + 1, RecordField{RENDER_KEY_FIELD(key, color)}, enableId,
                        kDefaultKeyColor);
    make<ParamAddFloatSlider>(names[key][2], common, enableId + 2, RecordField{RENDER_KEY_FIELD(key, range)}, enableId,
                              ParamAddFloatSlider::Range{0, 100, 0, 50, 0, 1, PF_ValueDisplayFlag_PERCENT, 0});
}

}  // namespace

void registerParams(PF_InData* /*in_data*/) {
    // Starting from a cleared registry with the counter reset keeps a second run (after a
    // failed first call) from numbering the same parameters twice.
    destroyParams();
    nextParamIndex = 1;

    PF_ParamDef common;
    std::memset(&common, 0, sizeof common);
    common.flags = PF_ParamFlag_START_COLLAPSED;
    PF_ParamDef openGroup;
    std::memset(&openGroup, 0, sizeof openGroup);

    make<ParamAddPopup>("Blur Type", &common, kIdBlurType, RecordField{RENDER_FIELD(blurType)}, 0, 2, 2,
                        "Gaussian|Box");
    make<ParamAddFloatSlider>("Blur Amount", &common, kIdBlurAmount, RecordField{RENDER_FIELD(blurAmount)}, 0,
                              amountRange(0));
    make<ParamAddSlider>("Blur Repeat Num", &common, kIdRepeatCount, RecordField{RENDER_FIELD(repeatCount)}, 0,
                         ParamAddSlider::Range{1, 10, 1, 10, 3});
    make<ParamAddFloatSlider>("Blur Aspect", &common, kIdBlurAspect, RecordField{RENDER_FIELD(blurAspect)}, 0,
                              ParamAddFloatSlider::Range{-100, 100, -10, 10, 0, 1, 0, 0});
    make<ParamAddFloatSlider>("Brightness", &common, kIdBrightness, RecordField{RENDER_FIELD(brightness)}, 0,
                              ParamAddFloatSlider::Range{0, 100, 0, 100, 0, 1, 0, 0});

    make<ParamAddTopic>("RGB Blur", &openGroup, kIdRgbGroup);
    make<ParamAddFloatSlider>("R", &common, kIdRed, RecordField{RENDER_FIELD(redAmount)}, 0, amountRange(0));
    make<ParamAddFloatSlider>("G", &common, kIdGreen, RecordField{RENDER_FIELD(greenAmount)}, 0, amountRange(5));
    make<ParamAddFloatSlider>("B", &common, kIdBlue, RecordField{RENDER_FIELD(blueAmount)}, 0, amountRange(15));
    make<ParamAddCheckbox>("Auto Alpha", &common, kIdAutoAlpha, RecordField{RENDER_FIELD(autoAlpha)}, 0, "", 1, 0);
    make<ParamAddFloatSlider>("A", &common, kIdAlpha, RecordField{RENDER_FIELD(alphaAmount)}, 0, amountRange(0));
    make<ParamEndTopic>("", nullptr, kIdRgbGroupEnd);

    make<ParamAddTopic>("Key Colors", &common, kIdKeyGroup);
    for (int key = 0; key < 4; ++key) makeKeyColor(key, &common);
    make<ParamAddPopup>("Mode", &common, kIdMode, RecordField{RENDER_FIELD(mode)}, 0, 3, 1,
                        "Normal|Extract|Disable All");
    make<ParamAddCheckbox>("Invert", &common, kIdInvert, RecordField{RENDER_FIELD(invert)}, 0, "", 0, 0);
    make<ParamAddCheckbox>("Keep Division", &common, kIdKeepDivision, RecordField{RENDER_FIELD(keepDivision)}, 0, "",
                           1, 0);
    make<ParamEndTopic>("", nullptr, kIdKeyGroupEnd);

    finishRegistration();
}
