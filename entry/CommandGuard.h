#pragma once
// Turns whatever escapes a command into the host's error code and return_msg text.
// This is the only place where exceptions become host error codes.

#include "AEUtil/AEException.h"
#include "hostapi/HostApi.h"

#include <exception>

// "error code = <code>\n<name>" for a bare error code thrown as an int.
void reportThrownCode(PF_OutData* out_data, int code);
// "不明なエラー" (code page 932) for anything that is not a known exception type.
void reportUnknownError(PF_OutData* out_data);
void setReturnMessage(PF_OutData* out_data, const char* text);

// Runs body() and returns its result, or the code of what it threw.
template <class Body>
PF_Err guardCommand(PF_OutData* out_data, Body&& body) {
    try {
        return body();
    } catch (const AEUtil::AEException& e) {
        setReturnMessage(out_data, e.what());
        return e.code;
    } catch (const std::exception& e) {
        setReturnMessage(out_data, e.what());
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    } catch (const int& code) {
        reportThrownCode(out_data, code);
        return code;
    } catch (...) {
        reportUnknownError(out_data);
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
}
