#include "entry/PreRenderData.h"

void deletePreRenderData(void* preRenderData) {
    auto* data = static_cast<PreRenderData*>(preRenderData);
    if (data == nullptr) return;
    if (data->handle != nullptr) data->utils->host_dispose_handle(data->handle);
    delete data;
}
