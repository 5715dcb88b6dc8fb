#include "entry/CommandGuard.h"

#include "AEUtil/ErrorNames.h"
#include "AEUtil/MbcsText.h"

#include <cstdio>

namespace {

// "不明なエラー" in code page 932.
const char kUnknownErrorText[] = "\x95\x73\x96\xbe\x82\xc8\x83\x47\x83\x89\x81\x5b";

}  // namespace

void setReturnMessage(PF_OutData* out_data, const char* text) {
    if (out_data == nullptr || text == nullptr) return;
    // return_msg holds 255 bytes and the terminator; a longer text is cut on a character boundary.
    AEUtil::copyBoundedText(out_data->return_msg, sizeof out_data->return_msg, text);
}

void reportThrownCode(PF_OutData* out_data, int code) {
    char text[2048] = {};
    std::snprintf(text, sizeof text, "error code = %d\n%s", code, AEUtil::errorName(code));
    setReturnMessage(out_data, text);
}

void reportUnknownError(PF_OutData* out_data) {
    setReturnMessage(out_data, kUnknownErrorText);
}
