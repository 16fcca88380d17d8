#pragma once
// The compiled help document as libchm's command-line readers see it.
#include <map>
#include <string>
#include <vector>

namespace kvoro::test {

struct HelpDocument {
    std::string listing;                        // enum_chmLib's output
    std::map<std::string, std::string> files;   // extracted file name -> bytes
};

// Lists and extracts the built kvoro.chm once per process.
const HelpDocument& helpDocument();

// Every text between `open` and the next `close` after it, in order.
std::vector<std::string> allBetween(const std::string& text, const std::string& open,
                                    const std::string& close);

// The value of attribute `name` in the first tag of `html`, or "".
std::string attribute(const std::string& html, const std::string& name);

// What a reader sees: tags removed, the entities the help uses decoded,
// white space collapsed to single blanks.
std::string plainText(const std::string& html);

struct WorkedExample {
    std::vector<int> dice;
    std::string row;   // the row's label on the card
    int points;
};

// The lines of every <table class="examples"> in a topic. A dice cell spans
// the lines of its roll (rowspan); a span that does not match the lines that
// follow it is reported as a failure of the test that asks.
std::vector<WorkedExample> workedExamples(const std::string& html);

}  // namespace kvoro::test
