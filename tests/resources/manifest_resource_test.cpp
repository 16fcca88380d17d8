// The manifest as the loader honours it. (The window tests play the dice clip in the program's own
// animation controls; media_sounds and help_tests read the sounds and the help document.)
#include "resource_access.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kvoro::test {
namespace {

// The loader honoured the manifest: comctl32 is the side-by-side version 6
// (which Wine's DllGetVersion reports as 5.81).
TEST(ManifestResource, GetsCommonControls6) {
    char path[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    std::string lower(path);
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos)
        << path;
}

}  // namespace
}  // namespace kvoro::test
