#pragma once
// The link label's text rules without the platform: the browser's colour
// strings ("r,g,b") and the split of a tagged text into its plain part, its
// link part between <a> and </a>, and the plain rest.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kvoro {

// A colour laid out as the platform's COLORREF: 0x00BBGGRR.
using ColourRef = std::uint32_t;

// The colour of "r,g,b" (three decimal numbers, each cut to its lowest 8
// bits), or nothing when the string has fewer than two commas, nothing after
// the second one, or -1 as its first or second number. Reads only text.
std::optional<ColourRef> ParseColour(std::string_view text);

struct TaggedParts {
    bool tagged = false;     // an opening <a> was found; without it nothing is drawn
    std::string_view left;   // before <a>
    std::string_view link;   // between <a> and </a>; empty without </a>
    std::string_view right;  // after the first </a>, later tags included
};

// Splits text at its first <a> and the first </a> after it (any case).
TaggedParts SplitTagged(std::string_view text);

}  // namespace kvoro
