// Runs the demo program at 96 and 144 dots per inch; each run leaves a
// picture of its window in the tests folder of the build tree for a person
// to look at, and the pictures are checked for the colours the rows promise.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring TestsFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

DWORD RunDemo(const std::wstring& arguments)
{
    std::wstring command = L"\"" + TestsFolder() + L"toolkit_demo.exe\" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1000;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1001;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;  // bottom-up rows, 4-byte aligned
    int stride = 0;
    bool Load(const std::wstring& path)
    {
        FILE* in = _wfopen(path.c_str(), L"rb");
        if (!in) return false;
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER info = {};
        bool ok = fread(&file, sizeof file, 1, in) == 1 && fread(&info, sizeof info, 1, in) == 1 &&
                  file.bfType == 0x4D42 && info.biBitCount == 24;
        if (ok) {
            width = info.biWidth;
            height = info.biHeight;
            stride = (width * 3 + 3) & ~3;
            bgr.resize(static_cast<size_t>(stride) * height);
            ok = fread(bgr.data(), bgr.size(), 1, in) == 1;
        }
        fclose(in);
        return ok;
    }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = &bgr[static_cast<size_t>(y) * stride + x * 3];
                if (RGB(p[2], p[1], p[0]) == colour) ++n;
            }
        return n;
    }
};

TEST(Screenshot, DemoAt96And144DotsPerInch)
{
    Picture pictures[2];
    const int dpis[2] = {96, 144};
    for (int i = 0; i < 2; ++i) {
        const std::wstring path = TestsFolder() + L"toolkit_demo_" + std::to_wstring(dpis[i]) + L".bmp";
        DeleteFileW(path.c_str());
        ASSERT_EQ(RunDemo(L"--dpi " + std::to_wstring(dpis[i]) + L" --shot \"" + path + L"\""), 0u) << dpis[i];
        ASSERT_TRUE(pictures[i].Load(path)) << dpis[i];
        // Link rows are blue, disabled rows light grey, the tool tip pale yellow.
        EXPECT_GT(pictures[i].Count(RGB(0, 0, 255)), 20) << dpis[i];
        EXPECT_GT(pictures[i].Count(RGB(192, 192, 192)), 20) << dpis[i];
        EXPECT_GT(pictures[i].Count(RGB(255, 255, 225)), 200) << dpis[i];
    }
    // The window fits its list, whose size follows the font: about 1.5 times as large.
    EXPECT_NEAR(pictures[1].width * 1.0 / pictures[0].width, 1.5, 0.08);
    EXPECT_NEAR(pictures[1].height * 1.0 / pictures[0].height, 1.5, 0.08);
    EXPECT_GT(pictures[1].Count(RGB(0, 0, 255)), pictures[0].Count(RGB(0, 0, 255)));
}

}  // namespace
