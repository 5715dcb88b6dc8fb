#pragma once
// A 32 x 32 tile of flat colours, repeated: hard edges everywhere, as cel art and pixel art have.

#include "hostapi/HostApi.h"

// The tile's sky: a frame all in this colour has no edge at all.
inline PF_Pixel8 pixelArtSky() {
    return PF_Pixel8{255, 90, 160, 230};
}

// A round sun (staircases), one-pixel diagonals, a stepped horizon, a lone pixel and a 2 x 2 block.
inline PF_Pixel8 pixelArt(int x, int y) {
    const PF_Pixel8 grass{255, 60, 170, 60}, sun{255, 250, 220, 40}, ink{255, 20, 20, 30};
    x %= 32;
    y %= 32;
    if ((x - 20) * (x - 20) + (y - 9) * (y - 9) <= 30) return sun;
    if (x + y == 40 || x - y == 3) return ink;
    if (y > 22 + (x / 5) % 3) return grass;
    if ((x == 5 && y == 5) || (x >= 9 && x <= 10 && y >= 4 && y <= 5)) return ink;
    return pixelArtSky();
}
