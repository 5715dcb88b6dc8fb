#include "params/EffectParams.h"

#include "params/ParamRegistry.h"

void registerParams(PF_InData* /*in_data*/) {
    // Starting from a cleared registry keeps a second run (after a failed first call) from
    // counting the same parameters twice.
    destroyParams();
    nextParamIndex = 1;
    numParams = paramObjectCount + 1;
}
