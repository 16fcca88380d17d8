// The compiled help as libchm's readers see it: the three topics, links that lead somewhere, and worked
// examples that score what the game scores.
#include "game/rules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "command.h"

namespace kvoro::test {
namespace {

namespace fs = std::filesystem;

struct HelpDocument {
    std::map<std::string, std::string> files;  // extracted file name -> bytes
};

const HelpDocument& helpDocument() {
    static const HelpDocument doc = [] {
        HelpDocument d;
        const fs::path dir = KVORO_HELP_EXTRACT_DIR;
        fs::remove_all(dir);
        fs::create_directories(dir);
        runCommand(quoted(KVORO_EXTRACT_CHMLIB) + " " + quoted(KVORO_HELP_CHM) + " " + quoted(dir.string()));
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            d.files[fs::relative(entry.path(), dir).generic_string()] = {std::istreambuf_iterator<char>(in), {}};
        }
        return d;
    }();
    return doc;
}

const std::string& file(const std::string& name) {
    static const std::string missing;
    const auto& files = helpDocument().files;
    const auto found = files.find(name);
    return found == files.end() ? missing : found->second;
}

// Every text between `open` and the next `close` after it, in order.
std::vector<std::string> allBetween(const std::string& text, const std::string& open,
                                    const std::string& close) {
    std::vector<std::string> parts;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        at += open.size();
        const size_t end = text.find(close, at);
        if (end == std::string::npos) break;
        parts.push_back(text.substr(at, end - at));
        at = end + close.size();
    }
    return parts;
}

// The value of attribute `name` in the first tag of `html`, or "".
std::string attribute(const std::string& html, const std::string& name) {
    const size_t tagEnd = html.find('>');
    const std::string tag = html.substr(0, tagEnd);
    const std::string key = name + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string::npos) return {};
    const size_t start = at + key.size();
    return tag.substr(start, tag.find('"', start) - start);
}

// What a reader sees: no tags, the help's entities decoded, white space collapsed.
std::string plainText(const std::string& html) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&nbsp;", " "}, {"&times;", "x"}, {"&minus;", "-"}, {"&middot;", "|"},
        {"&gt;", ">"},   {"&lt;", "<"},    {"&quot;", "\""}, {"&amp;", "&"},
    };
    std::string text;
    bool inTag = false;
    for (char c : html) {
        if (c == '<') inTag = true;
        else if (c == '>') { inTag = false; text += ' '; }
        else if (!inTag) text += c;
    }
    for (const auto& [entity, replacement] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + std::char_traits<char>::length(replacement)))
            text.replace(at, std::char_traits<char>::length(entity), replacement);
    }
    std::string collapsed;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!collapsed.empty() && collapsed.back() != ' ') collapsed += ' ';
        } else {
            collapsed += c;
        }
    }
    while (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    return collapsed;
}

struct WorkedExample {
    std::vector<int> dice;
    std::string row;  // the row's label on the card
    int points;
};

// The lines of every <table class="examples">; a dice cell's rowspan must match its roll's lines.
std::vector<WorkedExample> workedExamples(const std::string& html) {
    std::vector<WorkedExample> examples;
    for (const std::string& table : allBetween(html, "<table class=\"examples\">", "</table>")) {
        std::vector<int> dice;
        int linesLeft = 0;
        for (const std::string& line : allBetween(table, "<tr>", "</tr>")) {
            if (line.find("<th>") != std::string::npos) continue;
            std::vector<std::string> cells = allBetween(line, "<td", "</td>");
            if (!cells.empty() && attribute(cells.front(), "class") == "dice") {
                EXPECT_EQ(linesLeft, 0) << "the roll before " << plainText(line) << " spans too many lines";
                const std::string span = attribute(cells.front(), "rowspan");
                linesLeft = span.empty() ? 1 : std::stoi(span);
                std::istringstream faces(plainText(cells.front().substr(cells.front().find('>') + 1)));
                dice.assign(std::istream_iterator<int>(faces), std::istream_iterator<int>());
                cells.erase(cells.begin());
            }
            if (cells.size() < 2 || linesLeft == 0) {
                ADD_FAILURE() << "a worked example without its roll: " << plainText(line);
                continue;
            }
            --linesLeft;
            auto content = [](const std::string& cell) { return plainText(cell.substr(cell.find('>') + 1)); };
            examples.push_back({dice, content(cells[0]), std::stoi(content(cells[1]))});
        }
        EXPECT_EQ(linesLeft, 0) << "the last roll of a table spans more lines than it has";
    }
    return examples;
}

struct Topic {
    const char* name;
    const char* file;
};
constexpr Topic kTopics[] = {
    {"Introduction", "introduction.html"},
    {"How to play", "howtoplay.html"},
    {"Contact", "contact.html"},
};

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

// Every local link names a file of the document and, with a fragment, one of its anchors.
TEST(CompiledHelp, EveryLocalLinkLeadsToAFileAndAnchor) {
    int local = 0;
    for (const Topic& topic : kTopics) {
        const std::string& html = file(topic.file);
        for (const std::string& target : allBetween(html, "href=\"", "\"")) {
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

std::map<std::string, int> enteredRowsByLabel(GameType type) {
    GameState state(1);
    state.gameType = type;
    std::map<std::string, int> rows;
    for (int row = 0; row < kRowCount; ++row)
        if (!isComputedRow(row) && GameState::isRowShown(type, row)) rows[state.rowLabel(row)] = row;
    return rows;
}

// Each line scores what the game scores under the card's label; every row of both cards has one.
TEST(HelpWorkedExamples, ScoreWhatTheGameScoresAndCoverEveryRow) {
    const auto examples = workedExamples(file("howtoplay.html"));
    ASSERT_FALSE(examples.empty());

    std::map<GameType, std::set<int>> covered;
    for (const WorkedExample& example : examples) {
        std::string roll;
        for (int face : example.dice) roll += std::to_string(face) + ' ';
        SCOPED_TRACE(example.row + " with " + roll);
        ASSERT_TRUE(example.dice.size() == 5 || example.dice.size() == 6);
        const GameType type = example.dice.size() == 6 ? GameType::Maxi : GameType::Standard;
        std::int32_t values[kMaxDice] = {};
        for (size_t i = 0; i < example.dice.size(); ++i) {
            ASSERT_GE(example.dice[i], 1);
            ASSERT_LE(example.dice[i], 6);
            values[i] = example.dice[i];
        }
        const auto labels = enteredRowsByLabel(type);
        const auto row = labels.find(example.row);
        ASSERT_NE(row, labels.end()) << "no such row on this card";
        EXPECT_EQ(scoreDice(type, values, row->second), example.points);
        covered[type].insert(row->second);
    }
    for (GameType type : {GameType::Standard, GameType::Maxi})
        for (const auto& [label, row] : enteredRowsByLabel(type))
            EXPECT_EQ(covered[type].count(row), 1u)
                << "no example for " << label << (type == GameType::Maxi ? " (Maxi)" : "");
}

}  // namespace
}  // namespace kvoro::test
