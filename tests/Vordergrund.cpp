// The test processes share one desktop, and a window that one of them activates takes the
// foreground, and with it the keyboard and the focus, from the others. CTest runs the tests that
// activate windows one at a time, under the lock "desktop" (tests/CMakeLists.txt), and the
// others beside them with ENDWART_OHNE_SCHREIBTISCH set: one of those that activates a window
// fails here, every time, instead of another test failing now and then.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

int aktiviert = 0;

LRESULT CALLBACK Beobachten(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) ++aktiviert;
    return CallNextHookEx(nullptr, code, wp, lp);
}

class Wache : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { aktiviert = 0; }
    void OnTestEnd(const testing::TestInfo&) override {
        EXPECT_EQ(aktiviert, 0) << "this test activates windows: tests/CMakeLists.txt must list "
                                   "its suite among those that use the desktop";
    }
};

const bool bewacht = [] {
    char wert[4];
    if (!GetEnvironmentVariableA("ENDWART_OHNE_SCHREIBTISCH", wert, sizeof wert)) return false;
    SetWindowsHookExA(WH_CBT, Beobachten, nullptr, GetCurrentThreadId());
    testing::UnitTest::GetInstance()->listeners().Append(new Wache);
    return true;
}();

}  // namespace
