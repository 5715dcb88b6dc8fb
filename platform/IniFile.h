#pragma once
// A settings file as Windows keeps it: "[section]" lines, "key=value" lines and any
// other lines, which are carried along untouched. Lines before the first section
// belong to an unnamed one. Section and key names match regardless of case and
// surrounding blanks; the first matching section and key win.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniFile {
public:
    // Lines may end in CRLF or LF; a missing final line break is fine.
    static IniFile parse(std::string_view bytes);

    // Every line followed by CRLF.
    std::string serialize() const;

    // The value with its surrounding blanks removed, or nothing when the section or
    // key is missing or the key's line has no '='.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Rewrites the key's line in place (keeping the file's spelling of the key), or
    // adds the key after the last non-blank line of its section, or adds the section
    // with the key at the end.
    void set(std::string_view section, std::string_view key, std::string_view value);

private:
    // The lines after a section's header, up to the next header.
    struct Span {
        std::size_t begin;
        std::size_t end;
    };

    std::optional<Span> findSection(std::string_view name) const;
    std::optional<std::size_t> findKey(Span span, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace platform
