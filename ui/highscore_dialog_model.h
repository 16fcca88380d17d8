#pragma once
// What the highscore window draws where: the centred title, the two list
// headings, and one line per stored result, empty slots left out.
#include <string>
#include <vector>

#include "game/highscore.h"
#include "ui/geometry_model.h"

namespace kvoro {

constexpr int kHighscoreListTop = 40;    // the headings' top
constexpr int kHighscoreColumnWidth = 130;
constexpr int kHighscoreLineGap = 4;

// The list's left edge: 10 for the Standard list (0), half the client width
// plus 10 for the Maxi list (1).
int HighscoreListLeft(int list, int clientWidth);

// The title's rectangle: measured (from DT_CALCRECT at the origin) moved so
// that it is centred on the client width.
Rect HighscoreTitleRect(const Rect& measured, int clientWidth);

// A list's heading, headingHeight being its measured text height.
Rect HighscoreHeadingRect(int list, int clientWidth, int headingHeight);

struct HighscoreLine {
    std::string rank;  // "1.", "2.", ...
    std::string name;
    std::string score;
    Rect rankRect;
    Rect nameRect;
    Rect scoreRect;
};

// The lines under a list's heading, one per record with a non-zero score, in
// table order and numbered without gaps.
std::vector<HighscoreLine> HighscoreLines(const HighscoreTable& table, int list, int clientWidth,
                                          int headingHeight);

}  // namespace kvoro
