#include "resources/BannerPicture.h"

#include "resources/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plugin {

namespace {

struct Rgb {
    float r, g, b;
};

using Plane = std::vector<float>;  // one value per pixel, top row first

// 5 x 7 block letters for the product name.
struct Glyph {
    char letter;
    std::array<const char*, 7> rows;
};

const Glyph glyphs[] = {
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
};

constexpr int kCell = 9;         // pixels per letter cell
constexpr int kTextLeft = 52;
constexpr int kTextTop = (kBannerHeight - 7 * kCell) / 2;

const Glyph* findGlyph(char letter) {
    for (const Glyph& glyph : glyphs) {
        if (glyph.letter == letter) return &glyph;
    }
    return nullptr;
}

// Coverage of the product name in block letters.
Plane drawName(const char* name) {
    Plane plane(kBannerWidth * kBannerHeight, 0.0f);
    int left = kTextLeft;
    for (const char* letter = name; *letter != '\0'; ++letter, left += 6 * kCell) {
        const Glyph* glyph = findGlyph(*letter);
        if (glyph == nullptr) continue;
        for (int row = 0; row < 7; ++row) {
            for (int column = 0; column < 5; ++column) {
                if (glyph->rows[row][column] != '#') continue;
                for (int y = 0; y < kCell; ++y) {
                    for (int x = 0; x < kCell; ++x) {
                        plane[(kTextTop + row * kCell + y) * kBannerWidth + left + column * kCell + x] = 1.0f;
                    }
                }
            }
        }
    }
    return plane;
}

// A box blur run three times in each direction: close to a Gaussian, as in the effect.
Plane softened(Plane plane, int radius) {
    Plane scratch(plane.size());
    for (int pass = 0; pass < 6; ++pass) {
        const bool horizontal = pass % 2 == 0;
        const int length = horizontal ? kBannerWidth : kBannerHeight;
        const int lines = horizontal ? kBannerHeight : kBannerWidth;
        for (int line = 0; line < lines; ++line) {
            for (int i = 0; i < length; ++i) {
                float sum = 0.0f;
                for (int k = -radius; k <= radius; ++k) {
                    const int j = std::clamp(i + k, 0, length - 1);
                    sum += horizontal ? plane[line * kBannerWidth + j] : plane[j * kBannerWidth + line];
                }
                (horizontal ? scratch[line * kBannerWidth + i] : scratch[i * kBannerWidth + line]) =
                    sum / static_cast<float>(2 * radius + 1);
            }
        }
        plane.swap(scratch);
    }
    return plane;
}

float glow(int x, int y, float cx, float cy, float radius) {
    const float dx = (static_cast<float>(x) - cx) / radius;
    const float dy = (static_cast<float>(y) - cy) / radius;
    return std::exp(-(dx * dx + dy * dy));
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

std::vector<std::uint8_t> buildBannerBmp() {
    const Plane letters = drawName("VELUMIXER");
    // Each colour's halo is blurred with its own radius, as the effect blurs its channels.
    const Plane redHalo = softened(letters, 9);
    const Plane greenHalo = softened(letters, 5);
    const Plane blueHalo = softened(letters, 14);

    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    constexpr std::uint32_t kPixelBytes = kBannerWidth * kBannerHeight * 4;
    std::vector<std::uint8_t> bmp;
    bmp.reserve(kHeaderBytes + kPixelBytes);
    bmp.push_back('B');
    bmp.push_back('M');
    appendLittleEndian(bmp, kHeaderBytes + kPixelBytes, 4);
    appendLittleEndian(bmp, 0, 4);
    appendLittleEndian(bmp, kHeaderBytes, 4);
    appendLittleEndian(bmp, 40, 4);  // BITMAPINFOHEADER
    appendLittleEndian(bmp, kBannerWidth, 4);
    appendLittleEndian(bmp, kBannerHeight, 4);  // positive: bottom row first
    appendLittleEndian(bmp, 1, 2);
    appendLittleEndian(bmp, 32, 2);
    appendLittleEndian(bmp, 0, 4);  // BI_RGB
    appendLittleEndian(bmp, kPixelBytes, 4);
    appendLittleEndian(bmp, 2835, 4);  // 72 dpi
    appendLittleEndian(bmp, 2835, 4);
    appendLittleEndian(bmp, 0, 4);
    appendLittleEndian(bmp, 0, 4);

    for (int y = kBannerHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kBannerWidth; ++x) {
            const float across = static_cast<float>(x) / (kBannerWidth - 1);
            const float down = static_cast<float>(y) / (kBannerHeight - 1);
            // Night-blue ground, lighter towards the top right, with three soft lights.
            Rgb colour{0.03f + 0.05f * across, 0.05f + 0.04f * (1.0f - down), 0.14f + 0.10f * across * (1.0f - down)};
            const float warm = glow(x, y, 645.0f, 38.0f, 55.0f);
            const float cool = glow(x, y, 695.0f, 92.0f, 45.0f);
            const float green = glow(x, y, 610.0f, 100.0f, 36.0f);
            colour.r += 0.70f * warm + 0.05f * cool + 0.10f * green;
            colour.g += 0.30f * warm + 0.55f * cool + 0.60f * green;
            colour.b += 0.15f * warm + 0.85f * cool + 0.35f * green;

            const std::size_t i = static_cast<std::size_t>(y) * kBannerWidth + x;
            colour.r += 1.6f * redHalo[i];
            colour.g += 1.0f * greenHalo[i];
            colour.b += 1.8f * blueHalo[i];
            const float ink = letters[i];
            colour = {colour.r + (1.0f - colour.r) * ink, colour.g + (1.0f - colour.g) * ink,
                      colour.b + (1.0f - colour.b) * ink};

            bmp.push_back(toByte(colour.b));
            bmp.push_back(toByte(colour.g));
            bmp.push_back(toByte(colour.r));
            bmp.push_back(255);
        }
    }
    return bmp;
}

}  // namespace plugin
