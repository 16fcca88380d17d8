#include "ui/link_label_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace kvoro {
namespace {

constexpr ColourRef Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// The rules restated with the C library and std::string: strtol narrowed the
// way a 32-bit atoi saturates, and searches in a lower-case copy.
std::optional<ColourRef> ReferenceColour(const std::string& s) {
    const auto first = s.find(','), second = first == std::string::npos ? first : s.find(',', first + 1);
    if (second == std::string::npos || second + 1 == s.size()) return std::nullopt;
    int n[3];
    for (std::size_t k = 0, at = 0; k < 3; at = s.find(',', at) + 1, ++k) {
        const long value = std::strtol(s.c_str() + at, nullptr, 10);
        n[k] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
        if (k < 2 && n[k] == -1) return std::nullopt;
    }
    return Rgb(n[0] & 0xFF, n[1] & 0xFF, n[2] & 0xFF);
}
std::vector<std::string> ReferenceSplit(const std::string& s) {
    std::string lower = s;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto open = lower.find("<a>");
    if (open == std::string::npos) return {};
    const auto close = lower.find("</a>", open + 3);
    if (close == std::string::npos) return {s.substr(0, open), "", ""};
    return {s.substr(0, open), s.substr(open + 3, close - open - 3), s.substr(close + 4)};
}
std::vector<std::string> Split(std::string_view text) {
    const TaggedParts p = SplitTagged(text);
    if (!p.tagged) return {};
    return {std::string(p.left), std::string(p.link), std::string(p.right)};
}

// The described examples, then 20,000 random strings over the characters
// that matter to each parser, each in a heap buffer of exactly its size (a
// read past it stops the sanitized test), through both parsers.
TEST(LinkLabelModel, ColoursAndTaggedTextAgreeWithTheReferences) {
    EXPECT_EQ(ParseColour("0,0,255"), Rgb(0, 0, 255));
    EXPECT_EQ(ParseColour("a,b,c"), Rgb(0, 0, 0));
    EXPECT_EQ(ParseColour(" +300,-2,  7x"), Rgb(44, 254, 7));
    for (const char* invalid : {"255,0", "1,2,", "-1,0,0", "0,-1,0", ""}) EXPECT_EQ(ParseColour(invalid), std::nullopt);
    using Parts = std::vector<std::string>;
    EXPECT_EQ(Split("Remember. <a>Click here!</a>"), (Parts{"Remember. ", "Click here!", ""}));
    EXPECT_EQ(Split("<A>word</A>"), (Parts{"", "word", ""}));
    EXPECT_EQ(Split("no tags at all"), Parts{});
    EXPECT_EQ(Split("before <a>never closed"), (Parts{"before ", "", ""}));
    EXPECT_EQ(Split("x<b><a>y</a> z <a>w</a>"), (Parts{"x<b>", "y", " z <a>w</a>"}));
    std::mt19937 random(7);
    for (int run = 0; run < 40000; ++run) {
        const std::string alphabet = run % 2 ? "<>/aAb" : "0123456789,,,-+ a\t\xFF";
        std::vector<char> bytes(random() % 14);
        for (char& c : bytes) c = alphabet[random() % alphabet.size()];
        const std::string_view text(bytes.data(), bytes.size());
        EXPECT_EQ(Split(text), ReferenceSplit(std::string(text))) << text;
        EXPECT_EQ(ParseColour(text), ReferenceColour(std::string(text))) << text;
    }
}

}  // namespace
}  // namespace kvoro
