// Build tool: writes the generated resource files into the folder named on the command
// line: the PiPL bytes (pipl.bin) and the Options dialog's banner (banner.bmp).
#include "resources/BannerPicture.h"
#include "resources/PiplBuilder.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) std::fprintf(stderr, "%s: write failed\n", path.c_str());
    return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool ok = writeFile(folder + "pipl.bin", plugin::buildPipl()) &&
                    writeFile(folder + "banner.bmp", plugin::buildBannerBmp());
    return ok ? 0 : 1;
}
