#include "lumo/Manager.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Lumo::Manager::SetInstance(GetModuleHandleW(nullptr));
    CoInitialize(nullptr);
    OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    OleUninitialize();
    Gdiplus::GdiplusShutdown(token);
    return result;
}
