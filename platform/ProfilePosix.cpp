// Settings files without Win32: the file is read whole, edited as an IniFile and
// written back whole, giving the bytes WritePrivateProfileStringA gives.
#include "platform/Profile.h"

#include "platform/IniFile.h"
#include "platform/ProfileText.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace platform {

namespace {

// The file's bytes; empty for a file that does not exist yet, nothing when an
// existing file cannot be read.
std::optional<std::string> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code error;
        if (std::filesystem::exists(path, error) || error) return std::nullopt;
        return std::string();
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool writeFile(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::size_t copyTruncated(std::string_view text, char* buffer, std::size_t size) {
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

}  // namespace

unsigned getProfileInt(const char* section, const char* key, int fallback, const char* path) {
    // Windows reads the number through a 30-character buffer: later digits are never seen.
    char digits[30];
    if (getProfileString(section, key, "", digits, sizeof digits, path) == 0) {
        return static_cast<unsigned>(fallback);
    }
    return parseProfileInteger(digits);
}

std::size_t getProfileString(const char* section, const char* key, const char* fallback,
                             char* buffer, std::size_t size, const char* path) {
    if (buffer == nullptr || size == 0) return 0;
    std::optional<std::string> bytes;
    if (section != nullptr && key != nullptr && path != nullptr) bytes = readFile(path);
    if (bytes) {
        const IniFile file = IniFile::parse(*bytes);
        if (const std::optional<std::string_view> value = file.value(section, key)) {
            return copyTruncated(stripEnclosingQuotes(*value), buffer, size);
        }
    }
    const std::string_view text = fallback != nullptr ? fallback : "";
    return copyTruncated(stripEnclosingQuotes(trimTrailingBlanks(text)), buffer, size);
}

bool writeProfileString(const char* section, const char* key, const char* value, const char* path) {
    if (section == nullptr || key == nullptr || value == nullptr || path == nullptr) return false;
    const std::optional<std::string> bytes = readFile(path);
    if (!bytes) return false;
    IniFile file = IniFile::parse(*bytes);
    file.set(section, key, value);
    return writeFile(path, file.serialize());
}

}  // namespace platform
