// The Hint command in a seeded game: the table comes from a worker thread
// while the window plays on, the Hold buttons take the coach's keep, the
// advised row is framed until the entry, and a damaged table file is replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "strategy/table_file.h"
#include "ui/score_grid_model.h"

namespace kvoro::test {
namespace {

constexpr COLORREF kHintBlue = RGB(0, 70, 255);
constexpr DWORD kTableWaitMs = 600000;  // only a guard against a hang

class HintTest : public MainWindowTest {
protected:
    strategy::Move Best() const {
        const strategy::TurnAdvisor advisor(*main_->coach().table(), state().card(1));
        return advisor.moves(state().dice.values, CurrentRollsLeft(state())).front();
    }
    // The top left pixel of the current player's cell in row.
    COLORREF CellCorner(int row) const {
        RECT client;
        GetClientRect(Grid(), &client);
        const Rect cell = CellRect(state().currentPlayer, *RowRect(state().gameType, row, client.right));
        return ClientPixel(Grid(), cell.left, cell.top);
    }
};

TEST_F(HintTest, HoldsTheCoachsKeepThenFramesTheAdvisedRowUntilTheEntry) {
    DeleteFileW(CoachTable::DefaultPath().c_str());
    Open(1, GameType::Standard, 5);
    // Computing takes seconds: the window has been answering since it opened.
    ASSERT_EQ(main_->coach().table(), nullptr);
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::RollFirst);
    Roll();
    FinishRoll();
    Command(ID_GAME_HINT);
    if (!main_->coach().table()) EXPECT_EQ(main_->hint().kind, HintKind::Computing);
    ASSERT_TRUE(PumpUntil([this] { return main_->coach().table() != nullptr; }, kTableWaitMs));
    EXPECT_NE(GetFileAttributesW(CoachTable::DefaultPath().c_str()), INVALID_FILE_ATTRIBUTES);

    // The advice that was asked for while computing appears once the table is there.
    while (CurrentRollsLeft(state()) > 0 && Best().row < 0) {
        Command(ID_GAME_HINT);
        EXPECT_EQ(main_->hint().kind, HintKind::Hold);
        EXPECT_DOUBLE_EQ(main_->hint().expected, Best().expected);
        for (int die = 0; die < 5; ++die) EXPECT_EQ(Checked(kHolds[die]), (Best().hold >> die & 1) != 0) << die;
        Roll();
        FinishRoll();
    }
    const int row = Best().row;
    EXPECT_NE(CellCorner(row), kHintBlue);
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::Enter);
    EXPECT_EQ(main_->hint().row, row);
    EXPECT_EQ(CellCorner(row), kHintBlue);
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("hint.png"));
    Choose(row);
    EXPECT_EQ(main_->hint().kind, HintKind::None);
    EXPECT_NE(CellCorner(row), kHintBlue);
}

TEST_F(HintTest, IsDisabledInASixDiceGame) {
    Open(1, GameType::Maxi);
    Roll();
    FinishRoll();
    EXPECT_EQ(GetMenuState(GetMenu(window()), ID_GAME_HINT, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::None);
}

std::vector<unsigned char> ReadAll(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    if (file == INVALID_HANDLE_VALUE) return bytes;
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

constexpr UINT kTableReady = WM_APP + 7;
bool tableReady = false;

LRESULT CALLBACK ReadyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTableReady) tableReady = true;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(CoachTableFile, ADamagedFileIsComputedAnewAndReplaced) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"kvoro-coach-test.table";
    // A whole file of the right size whose values do not match their checksum.
    std::vector<unsigned char> bytes = strategy::encodeTable(strategy::ValueTable(std::vector<float>(strategy::kStateCount)));
    bytes.back() ^= 0x40;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReadyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KvoroCoachReady";
    RegisterClassW(&windowClass);
    const HWND listener = CreateWindowW(L"KvoroCoachReady", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr);
    CoachTable coach;
    coach.Start(path, listener, kTableReady);
    ASSERT_TRUE(PumpUntil([] { return tableReady; }, kTableWaitMs));
    coach.OnReady();
    ASSERT_NE(coach.table(), nullptr);
    EXPECT_NEAR(coach.table()->remaining({0, 0}), 248.44, 0.005);
    EXPECT_EQ(strategy::decodeTable(ReadAll(path)).values(), coach.table()->values());
    DestroyWindow(listener);
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace kvoro::test
