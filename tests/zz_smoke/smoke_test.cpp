#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, Runs) { EXPECT_NE(GetCurrentProcessId(), 0u); }
