#include "ui/link_label_model.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace kvoro {
namespace {

constexpr ColourRef Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// The colour rule restated with the C library: split with std::string, convert
// with strtol, narrowed the way the platform's 32-bit atoi saturates.
std::optional<ColourRef> ReferenceColour(const std::string& text) {
    const auto first = text.find(','), second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos || second + 1 == text.size()) return std::nullopt;
    const auto number = [](std::string part) {
        const long value = std::strtol(part.c_str(), nullptr, 10);
        return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    };
    const int r = number(text.substr(0, first)), g = number(text.substr(first + 1, second - first - 1));
    if (r == -1 || g == -1) return std::nullopt;
    const int b = number(text.substr(second + 1));
    return Rgb(r & 0xFF, g & 0xFF, b & 0xFF);
}

// Random strings over the characters that matter, each in a buffer of exactly
// its size, so that the sanitizer reports any read past it.
template <typename Check>
void ForRandomStrings(const char* alphabet, Check check) {
    std::mt19937 random(7);
    const std::string chars(alphabet);
    for (int run = 0; run < 20000; ++run) {
        std::vector<char> bytes(random() % 14);
        for (char& c : bytes) c = chars[random() % chars.size()];
        check(std::string_view(bytes.data(), bytes.size()));
    }
}

TEST(ColourString, ExamplesAndRandomStringsAgreeWithTheReference) {
    EXPECT_EQ(ParseColour("0,0,255"), Rgb(0, 0, 255));
    EXPECT_EQ(ParseColour("a,b,c"), Rgb(0, 0, 0));
    EXPECT_EQ(ParseColour(" +300,-2,  7x"), Rgb(44, 254, 7));
    for (const char* invalid : {"255,0", "1,2,", "-1,0,0", "0,-1,0", ""}) EXPECT_EQ(ParseColour(invalid), std::nullopt) << invalid;
    EXPECT_EQ(ParseColour("0,0,-1"), Rgb(0, 0, 255));
    EXPECT_EQ(ParseColour("99999999999,1,1"), Rgb(255, 1, 1));
    ForRandomStrings("0123456789,,,-+ a\t\xFF", [](std::string_view text) {
        EXPECT_EQ(ParseColour(text), ReferenceColour(std::string(text))) << std::string(text);
    });
}

struct Split {
    bool tagged;
    const char *left, *link, *right;
};

TEST(TaggedText, SplitsAtTheFirstPairOfTags) {
    const std::pair<const char*, Split> cases[] = {
        {"Remember. <a>Click here!</a>", {true, "Remember. ", "Click here!", ""}},
        {"<A>word</A>", {true, "", "word", ""}},
        {"no tags at all", {false, "", "", ""}},
        {"before <a>never closed", {true, "before ", "", ""}},
        {"x<b><a>y</a> z <a>w</a>", {true, "x<b>", "y", " z <a>w</a>"}},
        {"</a><a", {false, "", "", ""}},
    };
    for (const auto& [text, want] : cases) {
        const TaggedParts parts = SplitTagged(text);
        EXPECT_EQ(parts.tagged, want.tagged) << text;
        EXPECT_EQ(parts.left, want.left) << text;
        EXPECT_EQ(parts.link, want.link) << text;
        EXPECT_EQ(parts.right, want.right) << text;
    }
    // Whatever the bytes: the parts lie inside the text, in order, and
    // with both tags they and the tags make up the whole text.
    ForRandomStrings("<>/aAb", [](std::string_view text) {
        const TaggedParts parts = SplitTagged(text);
        if (!parts.tagged) {
            EXPECT_TRUE(parts.left.empty() && parts.link.empty() && parts.right.empty());
            return;
        }
        EXPECT_EQ(parts.left.data(), text.data());
        const std::size_t linkAt = parts.left.size() + 3;
        EXPECT_EQ(parts.link.data(), text.data() + linkAt);
        const std::string lower = [&] {
            std::string s(text);
            for (char& c : s) c = c == 'A' ? 'a' : c;
            return s;
        }();
        EXPECT_EQ(lower.find("<a>"), parts.left.size());
        const std::size_t close = lower.find("</a>", linkAt);
        if (close == std::string::npos) {
            EXPECT_TRUE(parts.link.empty() && parts.right.empty());
        } else {
            EXPECT_EQ(parts.link.size(), close - linkAt);
            EXPECT_EQ(parts.right, text.substr(close + 4));
        }
    });
}

}  // namespace
}  // namespace kvoro
