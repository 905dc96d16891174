#include <gtest/gtest.h>

#include "program_under_test.h"

namespace {

TEST(ConsoleStart, ShowsCentredWindowAndEndsWhenClosed) {
    e2e::ScratchFolder folder;
    e2e::RunningProgram tamblo(e2e::BesideTests("tamblo.exe"), folder.path());
    ASSERT_TRUE(tamblo.started());

    HWND console = tamblo.WaitForWindow("Tamblo");
    ASSERT_NE(console, nullptr) << "no visible top-level window \"Tamblo\"";

    RECT outer;
    GetWindowRect(console, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

    RECT client;
    GetClientRect(console, &client);
    EXPECT_EQ(client.right, 291);
    EXPECT_EQ(client.bottom, 248);

    PostMessageA(console, WM_CLOSE, 0, 0);
    EXPECT_TRUE(tamblo.WaitForExit()) << "the program still runs after its window was closed";
}

}  // namespace
