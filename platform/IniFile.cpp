#include "platform/IniFile.h"

#include "platform/ProfileText.h"

namespace platform {

namespace {

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The name in a "[name]" line; text after the closing bracket is ignored.
std::optional<std::string_view> sectionHeader(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

// A "key=value" line; the key ends at the first '='.
std::optional<Entry> entry(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Entry{trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

std::string joined(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

IniFile IniFile::parse(std::string_view bytes) {
    IniFile file;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        file.lines_.emplace_back(line);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return file;
}

std::string IniFile::serialize() const {
    std::string bytes;
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<std::string_view> IniFile::value(std::string_view section, std::string_view key) const {
    const std::optional<Span> span = findSection(section);
    if (!span) return std::nullopt;
    const std::optional<std::size_t> line = findKey(*span, key);
    if (!line) return std::nullopt;
    return entry(lines_[*line])->value;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    const std::optional<Span> span = findSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(joined(key, value));
        return;
    }
    if (const std::optional<std::size_t> line = findKey(*span, key)) {
        lines_[*line] = joined(entry(lines_[*line])->key, value);
        return;
    }
    // Blank lines that close a section stay between it and the next one.
    std::size_t at = span->end;
    while (at > span->begin && trimBlanks(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), joined(key, value));
}

std::optional<IniFile::Span> IniFile::findSection(std::string_view name) const {
    name = trimBlanks(name);
    bool matching = name.empty();  // the unnamed section before the first header
    std::size_t begin = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<std::string_view> header = sectionHeader(lines_[i]);
        if (!header) continue;
        if (matching) return Span{begin, i};
        matching = equalsIgnoringCase(*header, name);
        begin = i + 1;
    }
    if (matching) return Span{begin, lines_.size()};
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(Span span, std::string_view key) const {
    key = trimBlanks(key);
    for (std::size_t i = span.begin; i < span.end; ++i) {
        const std::optional<Entry> found = entry(lines_[i]);
        if (found && equalsIgnoringCase(found->key, key)) return i;
    }
    return std::nullopt;
}

}  // namespace platform
