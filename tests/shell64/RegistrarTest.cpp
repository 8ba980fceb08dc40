// The registrar applied to the real registry, in a test key of the current user.
#include <gtest/gtest.h>

#include <windows.h>

#include "TvRegistrar.h"

namespace {

constexpr const wchar_t* kTestRoot = L"Software\\TonveraTest\\Registrar";

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring ReadText(const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[512] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return buffer;
}

void WriteText(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 DWORD((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

class RegistrarTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TonveraTest"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TonveraTest"); }

  tv::RegistrarScript Script() {
    tv::RegistrarScript script;
    EXPECT_TRUE(tv::ParseRegistrarScript(
        L"HKCU { NoRemove Software { NoRemove TonveraTest { NoRemove Registrar {"
        L"  Plain = s 'plain' { val Named = s 'n' }"
        L"  ForceRemove Forced = s '%MODULE%' { Sub = s 'sub' { val Number = d 7 } }"
        L"  Delete Obsolete "
        L"} } } }",
        {{L"MODULE", L"C:\\x\\TvShell.dll"}}, script));
    return script;
  }
  std::wstring Path(const std::wstring& sub) { return std::wstring(kTestRoot) + L"\\" + sub; }
};

TEST_F(RegistrarTest, RegisterWritesKeysAndValues) {
  WriteText(Path(L"Obsolete"), L"x", L"old");
  ASSERT_EQ(tv::RegistrarRegister(Script()), S_OK);
  EXPECT_EQ(ReadText(Path(L"Plain"), nullptr), L"plain");
  EXPECT_EQ(ReadText(Path(L"Plain"), L"Named"), L"n");
  EXPECT_EQ(ReadText(Path(L"Forced"), nullptr), L"C:\\x\\TvShell.dll");
  EXPECT_EQ(ReadText(Path(L"Forced\\Sub"), nullptr), L"sub");
  DWORD number = 0, size = sizeof(number);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, Path(L"Forced\\Sub").c_str(), L"Number", RRF_RT_REG_DWORD, nullptr,
                         &number, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(number, 7u);
  EXPECT_FALSE(KeyExists(Path(L"Obsolete")));
}

TEST_F(RegistrarTest, RegisteringAgainLeavesOneCleanSet) {
  ASSERT_EQ(tv::RegistrarRegister(Script()), S_OK);
  WriteText(Path(L"Forced\\Stray"), nullptr, L"left over");
  ASSERT_EQ(tv::RegistrarRegister(Script()), S_OK);
  EXPECT_FALSE(KeyExists(Path(L"Forced\\Stray")));  // a forced key is written anew
  EXPECT_EQ(ReadText(Path(L"Forced\\Sub"), nullptr), L"sub");
}

TEST_F(RegistrarTest, UnregisterRemovesWhatTheScriptOwnsAndKeepsTheRest) {
  ASSERT_EQ(tv::RegistrarRegister(Script()), S_OK);
  WriteText(Path(L"Plain"), L"Foreign", L"not ours");
  ASSERT_EQ(tv::RegistrarUnregister(Script()), S_OK);
  EXPECT_FALSE(KeyExists(Path(L"Forced")));
  // A plain key holding something else stays, without the script's values.
  EXPECT_TRUE(KeyExists(Path(L"Plain")));
  EXPECT_EQ(ReadText(Path(L"Plain"), L"Named"), L"<missing>");
  EXPECT_EQ(ReadText(Path(L"Plain"), L"Foreign"), L"not ours");
  EXPECT_TRUE(KeyExists(kTestRoot));  // NoRemove parents stay
  // Once emptied, the plain key goes on the next removal; removing twice is no failure.
  RegDeleteKeyValueW(HKEY_CURRENT_USER, Path(L"Plain").c_str(), L"Foreign");
  ASSERT_EQ(tv::RegistrarUnregister(Script()), S_OK);
  EXPECT_FALSE(KeyExists(Path(L"Plain")));
  EXPECT_TRUE(KeyExists(kTestRoot));
}

TEST_F(RegistrarTest, FailedRegistrationTakesItsKeysOut) {
  // The second key cannot be made: the platform refuses a key name beyond its limit.
  tv::RegistrarScript script;
  tv::RegistrarKey software;
  software.mode = tv::RegistrarKeyMode::NoRemove;
  software.name = L"Software";
  tv::RegistrarKey mine;
  mine.name = L"TonveraTest";
  tv::RegistrarKey good;
  good.name = L"Good";
  tv::RegistrarKey bad;
  bad.name = std::wstring(300, L'b');
  mine.subkeys = {good, bad};
  software.subkeys = {mine};
  script.trees.push_back({tv::RegistrarRoot::CurrentUser, {software}});
  EXPECT_TRUE(FAILED(tv::RegistrarRegister(script)));
  EXPECT_FALSE(KeyExists(L"Software\\TonveraTest\\Good"));
  EXPECT_FALSE(KeyExists(L"Software\\TonveraTest"));
}

}  // namespace
