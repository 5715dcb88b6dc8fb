#include "render/EdgeSmoothSettings.h"

void setEdgeSmoothDefaults(EdgeSmoothSettings& settings) {
    settings.threshold = 10;
    settings.strength = 70;
    settings.curve = 0;
    settings.variant = 0;
    settings.red = 255;
    settings.green = 255;
    settings.blue = 255;
    settings.refinementThreshold = 0;
    settings.subVariant = 0;
    settings.unused[0] = 0;
    settings.unused[1] = 0;
}
