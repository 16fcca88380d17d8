// The compiled help as a CHM reader sees it: a real ITSF file whose contents
// list the three topics, whose links all lead somewhere, and whose text tells
// the player the rules that matter.
#include "help_document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kvoro::test {
namespace {

struct Topic {
    const char* name;
    const char* file;
};
constexpr Topic kTopics[] = {
    {"Introduction", "introduction.html"},
    {"How to play", "howtoplay.html"},
    {"Contact", "contact.html"},
};

std::uint32_t le32(const std::string& bytes, size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

const std::string& file(const std::string& name) {
    static const std::string missing;
    const auto& files = helpDocument().files;
    const auto found = files.find(name);
    return found == files.end() ? missing : found->second;
}

TEST(CompiledHelp, IsAnItsfFileVersion3) {
    std::ifstream in(KVORO_HELP_CHM, std::ios::binary);
    const std::string head(std::istreambuf_iterator<char>(in), {});
    ASSERT_GE(head.size(), 0x60u);
    EXPECT_EQ(head.substr(0, 4), "ITSF");
    EXPECT_EQ(le32(head, 4), 3u);
    EXPECT_EQ(le32(head, 8), 0x60u) << "header length";
}

TEST(CompiledHelp, ReaderListsTheTopicsStylesheetAndContents) {
    const std::string& listing = helpDocument().listing;
    for (const char* name : {"introduction.html", "howtoplay.html", "contact.html", "kvoro.css", "kvoro.hhc"})
        EXPECT_NE(listing.find(std::string("normal file\t\t/") + name + "\n"), std::string::npos)
            << name << " missing from:\n" << listing;
}

// #SYSTEM: a version word, then records of (code, length, data). Code 0 names
// the contents file, 2 the topic the viewer opens first, 3 the window title.
TEST(CompiledHelp, OpensOnTheIntroductionWithItsContents) {
    const std::string& system = file("#SYSTEM");
    ASSERT_GE(system.size(), 4u);
    std::vector<std::pair<int, std::string>> records;
    for (size_t at = 4; at + 4 <= system.size();) {
        const int code = static_cast<unsigned char>(system[at]) | static_cast<unsigned char>(system[at + 1]) << 8;
        const size_t length = static_cast<unsigned char>(system[at + 2]) | static_cast<unsigned char>(system[at + 3]) << 8;
        ASSERT_LE(at + 4 + length, system.size());
        records.emplace_back(code, std::string(system.c_str() + at + 4, strnlen(system.c_str() + at + 4, length)));
        at += 4 + length;
    }
    auto value = [&](int code) {
        for (const auto& [c, text] : records)
            if (c == code) return text;
        return std::string("(none)");
    };
    EXPECT_EQ(value(0), "kvoro.hhc");
    EXPECT_EQ(value(2), "introduction.html");
    EXPECT_EQ(value(3), "Kvoro Help");
}

TEST(CompiledHelp, ContentsListTheThreeTopicsInOrderUnderTheirTitles) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& item : allBetween(file("kvoro.hhc"), "<object type=\"text/sitemap\">", "</object>"))
        entries.emplace_back(attribute(item.substr(item.find("name=\"Name\"")), "value"),
                             attribute(item.substr(item.find("name=\"Local\"")), "value"));
    ASSERT_EQ(entries.size(), std::size(kTopics));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].first, kTopics[i].name);
        EXPECT_EQ(entries[i].second, kTopics[i].file);
        const std::string& html = file(kTopics[i].file);
        EXPECT_EQ(allBetween(html, "<title>", "</title>"), std::vector<std::string>{kTopics[i].name});
        EXPECT_EQ(allBetween(html, "<h1>", "</h1>"), std::vector<std::string>{kTopics[i].name});
    }
}

// A broken link inside the viewer shows "page cannot be displayed": every
// local link must name a file of the document and, with a fragment, one of
// its anchors.
TEST(CompiledHelp, EveryLocalLinkLeadsToAFileAndAnchor) {
    int local = 0;
    for (const Topic& topic : kTopics) {
        const std::string& html = file(topic.file);
        std::vector<std::string> targets = allBetween(html, "href=\"", "\"");
        for (const std::string& target : targets) {
            if (target.rfind("http://", 0) == 0) continue;
            ++local;
            const size_t hash = target.find('#');
            const std::string name = hash == 0 ? topic.file : target.substr(0, hash);
            ASSERT_FALSE(file(name).empty()) << topic.file << " links to " << target;
            if (hash != std::string::npos) {
                const std::string anchor = "<a name=\"" + target.substr(hash + 1) + "\">";
                EXPECT_NE(file(name).find(anchor), std::string::npos) << topic.file << " links to " << target;
            }
        }
    }
    EXPECT_GT(local, 10);
}

// The facts a player looks up, each as the help words it.
TEST(CompiledHelp, TopicsStateTheRulesThatMatter) {
    const std::vector<std::pair<const char*, std::vector<std::string>>> facts = {
        {"introduction.html",
         {"one to five players", "Kvoro 5 15", "Maxi Kvoro 6 20", "carry over",
          "50 points when the upper six rows reach 63", "100 points when the upper six rows reach 84",
          "the ten best results of Kvoro games", "the ten best results of Maxi Kvoro games"}},
        {"howtoplay.html",
         {"Every turn gives you three rolls", "rolls that you do not use are lost",
          "rolls that you do not use carry over", "2 + 3 = 5 rolls", "F1 Help > Help", "F2 Game > New Game",
          "F3 Game > Highscore", "Space or Enter", "1 to 6", "Esc or Alt + F4 Game > Exit", "Game > Sound",
          "63 or more", "84 or more", "counts zero points and shows a cross",
          "The bonus is granted as soon as the upper rows reach the threshold",
          "the Score is 63 + 50 = 113"}},
        {"contact.html", {"http://www.kvorosoft.net/Kvoro/", "Homepage"}},
    };
    for (const auto& [name, phrases] : facts) {
        const std::string text = plainText(file(name));
        for (const std::string& phrase : phrases)
            EXPECT_NE(text.find(phrase), std::string::npos) << name << " does not say \"" << phrase << "\"";
    }
}

}  // namespace
}  // namespace kvoro::test
