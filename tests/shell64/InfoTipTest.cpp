// Info tips as the shell asks for them: IPersistFile::Load with the file's
// path, then IQueryInfo::GetInfoTip, against the real TipfetchInfo.
#include "ShellFixture.h"  // <windows.h> first

#include <oleauto.h>
#include <shlobj.h>

namespace {

class InfoTipTest : public ShellTest {
 protected:
  // The tip text, or the failure code as text.
  std::wstring Tip(const std::wstring& path, HRESULT* result = nullptr) {
    IPersistFile* persist = Create<IPersistFile>(IID_IPersistFile);
    if (!persist) return L"<no object>";
    IQueryInfo* info = nullptr;
    persist->QueryInterface(IID_IQueryInfo, reinterpret_cast<void**>(&info));
    if (!path.empty()) {
      EXPECT_EQ(persist->Load(path.c_str(), STGM_READ), S_OK);
    }
    PWSTR tip = nullptr;
    const HRESULT status = info ? info->GetInfoTip(0, &tip) : E_NOINTERFACE;
    if (result) *result = status;
    std::wstring text = tip ? tip : L"";
    if (tip) CoTaskMemFree(tip);  // the shell's allocator
    if (info) info->Release();
    persist->Release();
    if (FAILED(status)) {
      EXPECT_EQ(tip, nullptr);
    }
    return text;
  }

  // A test-decoder file whose helper runs the test decoder logs.
  std::wstring LoggedTestFile() {
    EXPECT_TRUE(folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll"));
    log_ = folder_.Data(L"decoder.log");
    SetEnvironmentVariableW(L"TVTEST_DEC_LOG", log_.c_str());
    const std::wstring file = folder_.Data(L"tone.tvt");
    EXPECT_TRUE(WriteFileBytes(file, {'T', 'V', 'T', 'E', 'S', 'T', ' ', 'm', 's', '=', '2', '5', '0', '\n'}));
    return file;
  }
  int HelperRuns() { return CountLinesWith(log_, " Open "); }

  std::wstring log_;
};

TEST_F(InfoTipTest, WaveFileGetsThePopupText) {
  const std::wstring file = folder_.Data(L"song one.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(1000)));
  HRESULT result = E_FAIL;
  const std::wstring tip = Tip(file, &result);
  EXPECT_EQ(result, S_OK);
  EXPECT_NE(tip.find(L"KHz"), std::wstring::npos) << tip.size();
  EXPECT_NE(tip.find(L'\r'), std::wstring::npos);
  EXPECT_EQ(tip.find(L"Error"), std::wstring::npos);
}

TEST_F(InfoTipTest, UnchangedFileStartsTheHelperOnceAndTouchingItStartsItAgain) {
  const std::wstring file = LoggedTestFile();
  const std::wstring first = Tip(file);
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(HelperRuns(), 1);
  EXPECT_EQ(Tip(file), first);  // from the cache, also through a new object
  EXPECT_EQ(HelperRuns(), 1);
  ASSERT_TRUE(TouchFile(file, 10));
  EXPECT_EQ(Tip(file), first);
  EXPECT_EQ(HelperRuns(), 2);
}

TEST_F(InfoTipTest, HangingDecoderCostsAtMostTheTimeLimit) {
  const std::wstring file = LoggedTestFile();
  SetEnvironmentVariableW(L"TVTEST_DEC_SLEEP_CALL", L"Open");
  SetEnvironmentVariableW(L"TVTEST_DEC_SLEEP_MS", L"14000");
  const DWORD start = GetTickCount();
  const std::wstring tip = Tip(file);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_LE(elapsed, 10000u + 6000u);  // the limit plus a generous margin for starting processes
  // The helper gives up on its decoder itself (no tip), or is given up on (the frozen text).
  EXPECT_TRUE(tip.empty() || tip == L"Error: Decoder appears to have frozen, corrupt audio file?");
  Sleep(6000);  // let the decoder's sleep end before the folder goes
}

TEST_F(InfoTipTest, FileNoDecoderTakesGetsNoTip) {
  const std::wstring file = folder_.Data(L"notes.xyz");
  ASSERT_TRUE(WriteFileBytes(file, {'a', 'b', 'c'}));
  HRESULT result = S_OK;
  EXPECT_EQ(Tip(file, &result), L"");
  EXPECT_EQ(result, E_FAIL);
}

TEST_F(InfoTipTest, NoPathGetsNoTip) {
  HRESULT result = S_OK;
  Tip(std::wstring(), &result);
  EXPECT_EQ(result, E_FAIL);
  IQueryInfo* info = Create<IQueryInfo>(IID_IQueryInfo);
  ASSERT_NE(info, nullptr);
  DWORD flags = 0;
  EXPECT_EQ(info->GetInfoFlags(&flags), E_NOTIMPL);
  EXPECT_EQ(info->GetInfoTip(0, nullptr), E_POINTER);
  info->Release();
}

class NoHelperTipTest : public ShellTest {
 protected:
  NoHelperTipTest() : ShellTest(HelperKind::None) {}
};

TEST_F(NoHelperTipTest, MissingHelperIsNamedInTheTip) {
  const std::wstring file = folder_.Data(L"a.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(100)));
  IPersistFile* persist = Create<IPersistFile>(IID_IPersistFile);
  ASSERT_NE(persist, nullptr);
  IQueryInfo* info = nullptr;
  persist->QueryInterface(IID_IQueryInfo, reinterpret_cast<void**>(&info));
  persist->Load(file.c_str(), STGM_READ);
  PWSTR tip = nullptr;
  EXPECT_EQ(info->GetInfoTip(0, &tip), S_OK);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(std::wstring(tip), L"Error '" + folder_.Path() + L"TipfetchInfo.exe' Not Found");
  CoTaskMemFree(tip);
  info->Release();
  persist->Release();
}

class FakeHelperTipTest : public ShellTest {
 protected:
  FakeHelperTipTest() : ShellTest(HelperKind::Fake) {}
  std::wstring TipOf(const std::wstring& file) {
    IPersistFile* persist = Create<IPersistFile>(IID_IPersistFile);
    IQueryInfo* info = nullptr;
    persist->QueryInterface(IID_IQueryInfo, reinterpret_cast<void**>(&info));
    persist->Load(file.c_str(), STGM_READ);
    PWSTR tip = nullptr;
    info->GetInfoTip(0, &tip);
    std::wstring text = tip ? tip : L"<none>";
    CoTaskMemFree(tip);
    info->Release();
    persist->Release();
    return text;
  }
};

TEST_F(FakeHelperTipTest, HangingHelperCostsAtMostTheTimeLimitAndIsLeftRunning) {
  const std::wstring file = folder_.Data(L"a.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(100)));
  const std::wstring log = folder_.Data(L"helper.log");
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_LOG", log.c_str());
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_SLEEP_MS", L"14000");
  const DWORD start = GetTickCount();
  EXPECT_EQ(TipOf(file), L"Error: Decoder appears to have frozen, corrupt audio file?");
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 9500u);
  EXPECT_LE(elapsed, 10000u + 6000u);  // the limit plus a generous margin for starting processes
  EXPECT_EQ(CountLinesWith(log, "done"), 0);  // still running
  // The error is remembered like a tip: asking again starts nothing.
  EXPECT_EQ(TipOf(file), L"Error: Decoder appears to have frozen, corrupt audio file?");
  EXPECT_EQ(CountLinesWith(log, "Tipfetch"), 1);
  Sleep(8000);
  EXPECT_EQ(CountLinesWith(log, "done"), 1);  // it was left to end by itself
}

TEST_F(FakeHelperTipTest, UntouchedRequestAndAnswerTexts) {
  const std::wstring file = folder_.Data(L"a.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(100)));
  EXPECT_EQ(TipOf(file), L"Error TipfetchInfo failed.");  // the helper left the request as it was

  // An answer is taken up to its zero character.
  const std::wstring answer = folder_.Data(L"tip.bin");
  const wchar_t text[] = L"Length :\t1 second\r\0ignored";
  ASSERT_TRUE(WriteFileBytes(answer, std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(text),
                                                          reinterpret_cast<const uint8_t*>(text) + sizeof(text))));
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_TIP", answer.c_str());
  ASSERT_TRUE(TouchFile(file, 5));
  EXPECT_EQ(TipOf(file), L"Length :\t1 second\r");
}

}  // namespace
