#include "ui/highscore_dialog_model.h"

namespace kvoro {
namespace {

constexpr int kListIndent = 10;
constexpr int kNameOffset = 20;
constexpr int kScoreOffset = 160;

Rect Column(int left, int top, int height) { return {left, top, left + kHighscoreColumnWidth, top + height}; }

}  // namespace

int HighscoreListLeft(int list, int clientWidth) { return (list == 0 ? 0 : clientWidth / 2) + kListIndent; }

Rect HighscoreTitleRect(const Rect& measured, int clientWidth) {
    const int left = clientWidth / 2 - measured.Width() / 2;
    return {left, 0, left + measured.Width(), measured.Height()};
}

Rect HighscoreHeadingRect(int list, int clientWidth, int headingHeight) {
    return Column(HighscoreListLeft(list, clientWidth), kHighscoreListTop, headingHeight);
}

std::vector<HighscoreLine> HighscoreLines(const HighscoreTable& table, int list, int clientWidth,
                                          int headingHeight) {
    const int left = HighscoreListLeft(list, clientWidth);
    std::vector<HighscoreLine> lines;
    int top = kHighscoreListTop;
    for (const HighscoreEntry& entry : table.entries) {
        if (entry.score == 0) continue;  // an empty slot takes neither a line nor a number
        top += headingHeight + kHighscoreLineGap;
        const int rank = static_cast<int>(lines.size()) + 1;
        lines.push_back({std::to_string(rank) + ".", std::string(entryName(entry)), std::to_string(entry.score),
                         Column(left, top, headingHeight), Column(left + kNameOffset, top, headingHeight),
                         Column(left + kScoreOffset, top, headingHeight)});
    }
    return lines;
}

}  // namespace kvoro
