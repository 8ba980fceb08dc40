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

// The request file named in the stand-in's log line "Tipfetch <path>".
std::wstring LoggedRequestPath(const std::wstring& log) {
  const std::vector<uint8_t> bytes = ReadFileBytes(log);
  const std::string text(bytes.begin(), bytes.end());
  const size_t at = text.find("Tipfetch ");
  if (at == std::string::npos) return std::wstring();
  const size_t end = text.find('\n', at);
  const std::string path = text.substr(at + 9, end - at - 9);
  wchar_t wide[2048] = {};
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, 2047);
  return wide;
}

TEST_F(FakeHelperTipTest, HangingHelperCostsAtMostTheTimeLimitAndIsLeftRunning) {
  const std::wstring file = folder_.Data(L"a.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(100)));
  const std::wstring log = folder_.Data(L"helper.log");
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_LOG", log.c_str());
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_SLEEP_MS", L"14000");
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_HOLD", L"1");  // it keeps the request file open
  const DWORD start = GetTickCount();
  EXPECT_EQ(TipOf(file), L"Error: Decoder appears to have frozen, corrupt audio file?");
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 9500u);
  EXPECT_LE(elapsed, 10000u + 6000u);  // the limit plus a generous margin for starting processes
  EXPECT_EQ(CountLinesWith(log, "done"), 0);  // still running
  const std::wstring heldRequest = LoggedRequestPath(log);
  ASSERT_FALSE(heldRequest.empty());
  EXPECT_NE(GetFileAttributesW(heldRequest.c_str()), INVALID_FILE_ATTRIBUTES);  // held: it could not go yet
  // The error is remembered like a tip: asking again starts nothing.
  EXPECT_EQ(TipOf(file), L"Error: Decoder appears to have frozen, corrupt audio file?");
  EXPECT_EQ(CountLinesWith(log, "Tipfetch"), 1);
  Sleep(8000);
  EXPECT_EQ(CountLinesWith(log, "done"), 1);  // it was left to end by itself

  // The request file it held is not left in the temporary folder: the next request deletes it.
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_SLEEP_MS", nullptr);
  SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_HOLD", nullptr);
  const std::wstring other = folder_.Data(L"b.wav");
  ASSERT_TRUE(WriteFileBytes(other, WaveFileBytes(100)));
  EXPECT_EQ(TipOf(other), L"Error TipfetchInfo failed.");
  EXPECT_EQ(GetFileAttributesW(heldRequest.c_str()), INVALID_FILE_ATTRIBUTES);
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
