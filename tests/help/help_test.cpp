// The compiled help as libchm's extractor unpacks it: the contents list the three topics, local links lead to a
// file and an anchor, and every worked example scores what the game scores.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "command.h"
#include "game/rules.h"

namespace kvoro::test {
namespace {

// A file of the unpacked document, empty when it has none of that name.
std::string File(const std::string& name) {
    static const std::filesystem::path unpacked = [] {
        const std::filesystem::path dir = KVORO_HELP_EXTRACT_DIR;
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        runCommand(quoted(KVORO_EXTRACT_CHMLIB) + " " + quoted(KVORO_HELP_CHM) + " " + quoted(dir.string()));
        return dir;
    }();
    std::ifstream in(unpacked / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The groups of every match of pattern.
std::vector<std::vector<std::string>> Matches(const std::string& text, const std::string& pattern) {
    std::vector<std::vector<std::string>> found;
    const std::regex re(pattern);
    for (std::sregex_iterator match(text.begin(), text.end(), re), end; match != end; ++match)
        found.emplace_back(match->begin() + 1, match->end());
    return found;
}

TEST(CompiledHelp, ContentsListTheThreeTopicsUnderTheirTitlesAndEveryLocalLinkLeadsToAFileAndAnchor) {
    const std::vector<std::vector<std::string>> topics = {
        {"Introduction", "introduction.html"}, {"How to play", "howtoplay.html"}, {"Contact", "contact.html"}};
    const std::string contents = File("kvoro.hhc");
    EXPECT_EQ(Matches(contents, "<param name=\"Name\" value=\"([^\"]*)\">\\s*<param name=\"Local\" value=\"([^\"]*)\">"),
              topics);
    int local = 0;
    for (const std::vector<std::string>& topic : topics) {
        const std::string html = File(topic[1]);
        for (const char* tag : {"title", "h1"})
            EXPECT_EQ(Matches(html, std::string("<") + tag + ">(.*?)</" + tag + ">"), decltype(topics){{topic[0]}});
        for (const auto& link : Matches(html, "href=\"(?!http://)([^\"#]*)#?([^\"]*)\"")) {
            ++local;
            const std::string target = File(link[0].empty() ? topic[1] : link[0]);
            ASSERT_FALSE(target.empty()) << topic[1] << " links to " << link[0];
            const std::string anchor = link[1].empty() ? "" : "<a name=\"" + link[1] + "\">";
            EXPECT_NE(target.find(anchor), std::string::npos) << topic[1] << " links to #" << link[1];
        }
    }
    EXPECT_GT(local, 10);
}

// Every line of the examples' tables scores what the game scores in the row of its label, every row of both cards
// has one, and each roll spans exactly the lines of its rowspan.
TEST(HelpWorkedExamples, ScoreWhatTheGameScoresAndCoverEveryRow) {
    const std::string html = File("howtoplay.html");
    const auto lines = Matches(html, "<tr>(<td class=\"dice\"(?: rowspan=\"(\\d+)\")?>([^<]*)</td>)?"
                                     "<td>([^<]*)</td><td class=\"points\">(\\d+)</td>");
    ASSERT_EQ(lines.size(), Matches(html, "(class=\"points\")").size()) << "an example line of another form";
    ASSERT_FALSE(lines.empty());
    std::map<GameType, std::map<std::string, int>> rows;
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        GameState state(1);
        state.gameType = type;
        for (int row = 0; row < kRowCount; ++row)
            if (!isComputedRow(row) && GameState::isRowShown(type, row)) rows[type][state.rowLabel(row)] = row;
    }
    std::map<GameType, std::set<std::string>> covered;
    std::vector<int> dice;
    int linesLeft = 0;
    for (const std::vector<std::string>& line : lines) {
        if (!line[0].empty()) {
            EXPECT_EQ(linesLeft, 0) << "the roll before " << line[2] << " spans too many lines";
            linesLeft = line[1].empty() ? 1 : std::stoi(line[1]);
            std::istringstream faces(line[2]);
            dice.assign(std::istream_iterator<int>(faces), std::istream_iterator<int>());
        }
        SCOPED_TRACE(line[3] + " with " + line[2]);
        ASSERT_GT(linesLeft--, 0) << "a worked example without its roll";
        ASSERT_TRUE(dice.size() == 5 || dice.size() == 6);
        const GameType type = dice.size() == 6 ? GameType::Maxi : GameType::Standard;
        ASSERT_TRUE(std::all_of(dice.begin(), dice.end(), [](int face) { return face >= 1 && face <= 6; }));
        std::int32_t values[kMaxDice] = {};
        std::copy(dice.begin(), dice.end(), values);
        ASSERT_EQ(rows[type].count(line[3]), 1u) << "no such row on this card";
        EXPECT_EQ(scoreDice(type, values, rows[type][line[3]]), std::stoi(line[4]));
        covered[type].insert(line[3]);
    }
    EXPECT_EQ(linesLeft, 0) << "the last roll spans more lines than there are";
    for (auto& [type, labels] : rows)
        for (const auto& [label, row] : labels)
            EXPECT_EQ(covered[type].count(label), 1u) << "no example for " << label << (type == GameType::Maxi ? " (Maxi)" : "");
}

}  // namespace
}  // namespace kvoro::test
