#include "help_document.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kvoro::test {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& path) { return "'" + path + "'"; }

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
        pclose(pipe);
    }
    return out;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

HelpDocument load() {
    HelpDocument doc;
    doc.listing = commandOutput(quoted(KVORO_ENUM_CHMLIB) + " " + quoted(KVORO_HELP_CHM));
    const fs::path dir = KVORO_HELP_EXTRACT_DIR;
    fs::remove_all(dir);
    fs::create_directories(dir);
    // extract_chmLib prints every file it writes; only the files matter here.
    commandOutput(quoted(KVORO_EXTRACT_CHMLIB) + " " + quoted(KVORO_HELP_CHM) + " " +
                  quoted(dir.string()));
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file())
            doc.files[fs::relative(entry.path(), dir).generic_string()] = readFile(entry.path());
    }
    return doc;
}

}  // namespace

const HelpDocument& helpDocument() {
    static const HelpDocument doc = load();
    return doc;
}

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

std::string attribute(const std::string& html, const std::string& name) {
    const size_t tagEnd = html.find('>');
    const std::string tag = html.substr(0, tagEnd);
    const std::string key = name + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string::npos) return {};
    const size_t start = at + key.size();
    return tag.substr(start, tag.find('"', start) - start);
}

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

}  // namespace kvoro::test
