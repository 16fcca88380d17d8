#include "ui/link_label_model.h"

#include <cstddef>

namespace kvoro {

namespace {

// The platform's decimal conversion (atoi): leading blanks, an optional sign,
// digits up to the first other character, 0 without digits. Values beyond
// the int range saturate, as strtol's do.
std::int32_t ToInt(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        if (magnitude < kLimit) magnitude = magnitude * 10 + (text[at] - '0');
    }
    if (negative) return static_cast<std::int32_t>(magnitude > kLimit ? -kLimit : -magnitude);
    return static_cast<std::int32_t>(magnitude >= kLimit ? kLimit - 1 : magnitude);
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view tag) {
    if (text.size() - at < tag.size()) return false;
    for (std::size_t k = 0; k < tag.size(); ++k) {
        char c = text[at + k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != tag[k]) return false;
    }
    return true;
}

}  // namespace

std::optional<ColourRef> ParseColour(std::string_view text) {
    // Byte scans are safe in double-byte code pages too: trail bytes start at
    // 0x40, above ',' and '<'.
    std::int32_t numbers[3] = {};
    for (int k = 0; k < 2; ++k) {
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        numbers[k] = ToInt(text.substr(0, comma));
        if (numbers[k] == -1) return std::nullopt;
        text.remove_prefix(comma + 1);
    }
    if (text.empty()) return std::nullopt;
    numbers[2] = ToInt(text);
    const auto low = [](std::int32_t n) { return static_cast<ColourRef>(n) & 0xFFu; };
    return low(numbers[0]) | low(numbers[1]) << 8 | low(numbers[2]) << 16;
}

TaggedParts SplitTagged(std::string_view text) {
    TaggedParts parts;
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (!parts.tagged) {
            if (StartsWithNoCase(text, at, "<a>")) {
                parts.tagged = true;
                parts.left = text.substr(0, at);
                parts.link = text.substr(at + 3, 0);
            }
        } else if (StartsWithNoCase(text, at, "</a>")) {
            const std::size_t start = static_cast<std::size_t>(parts.link.data() - text.data());
            parts.link = text.substr(start, at - start);
            parts.right = text.substr(at + 4);
            break;
        }
    }
    return parts;
}

}  // namespace kvoro
