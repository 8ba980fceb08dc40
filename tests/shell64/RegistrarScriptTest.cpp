// Reading registrar scripts: structure, values, placeholders and faults.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TvRegistrarScript.h"
#include "TvString.h"

namespace {

using tv::RegistrarKeyMode;
using tv::RegistrarValue;

const tv::RegistrarReplacements kModule = {{L"MODULE", L"C:\\Program Files\\Tonvera\\TvShell.dll"}};

tv::RegistrarScript Parse(const std::wstring& text, const tv::RegistrarReplacements& replacements = kModule) {
  tv::RegistrarScript script;
  std::wstring error;
  EXPECT_TRUE(tv::ParseRegistrarScript(text, replacements, script, &error)) << tv::WideToUtf8(error);
  return script;
}

const tv::RegistrarKey* Child(const std::vector<tv::RegistrarKey>& keys, const std::wstring& name) {
  for (const tv::RegistrarKey& key : keys)
    if (key.name == name) return &key;
  return nullptr;
}

TEST(RegistrarScript, TheLibrarysOwnScript) {
  const char* source = std::getenv("TV_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  std::ifstream file(std::string(source) + "/shell64/TvShell.rgs", std::ios::binary);
  ASSERT_TRUE(file.good());
  std::stringstream content;
  content << file.rdbuf();
  const std::string bytes = content.str();
  const tv::RegistrarScript script =
      Parse(tv::RegistrarScriptText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  ASSERT_EQ(script.trees.size(), 1u);
  EXPECT_EQ(script.trees[0].root, tv::RegistrarRoot::ClassesRoot);
  const auto& keys = script.trees[0].keys;

  const tv::RegistrarKey* versioned = Child(keys, L"TVShell.TvpShell.1");
  ASSERT_NE(versioned, nullptr);
  EXPECT_EQ(versioned->defaultValue.text, L"TvpShell Class");
  const tv::RegistrarKey* independent = Child(keys, L"TVShell.TvpShell");
  ASSERT_NE(independent, nullptr);
  ASSERT_NE(Child(independent->subkeys, L"CurVer"), nullptr);
  EXPECT_EQ(Child(independent->subkeys, L"CurVer")->defaultValue.text, L"TVShell.TvpShell.1");

  const tv::RegistrarKey* clsid = Child(keys, L"CLSID");
  ASSERT_NE(clsid, nullptr);
  EXPECT_EQ(clsid->mode, RegistrarKeyMode::NoRemove);
  const tv::RegistrarKey* object = Child(clsid->subkeys, L"{FED7043D-346A-414D-ACD7-550D052499A7}");
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->mode, RegistrarKeyMode::ForceRemove);
  EXPECT_EQ(object->defaultValue.text, L"TvpShell Class");
  const tv::RegistrarKey* server = Child(object->subkeys, L"InprocServer32");
  ASSERT_NE(server, nullptr);
  EXPECT_EQ(server->defaultValue.text, L"C:\\Program Files\\Tonvera\\TvShell.dll");
  ASSERT_EQ(server->values.size(), 1u);
  EXPECT_EQ(server->values[0].name, L"ThreadingModel");
  EXPECT_EQ(server->values[0].value.text, L"Apartment");
  const tv::RegistrarKey* programmable = Child(object->subkeys, L"Programmable");
  ASSERT_NE(programmable, nullptr);
  EXPECT_FALSE(programmable->hasDefault);
  EXPECT_EQ(Child(object->subkeys, L"TypeLib")->defaultValue.text, L"{627B1B3E-F003-4B78-861D-B599317A9E9A}");
  EXPECT_EQ(Child(object->subkeys, L"ProgID")->defaultValue.text, L"TVShell.TvpShell.1");
  EXPECT_EQ(Child(object->subkeys, L"VersionIndependentProgID")->defaultValue.text, L"TVShell.TvpShell");
}

TEST(RegistrarScript, ValuesModesAndQuoting) {
  const tv::RegistrarScript script = Parse(
      L"HKEY_CURRENT_USER { NoRemove Software { ForceRemove 'It''s here' = s 'a ''quoted'' {text}'\n"
      L"  { val Count = d 42  val Mask = d '0xFFFFFFFF'  val Raw = b 00ff10  Delete Old  Plain } } }\n"
      L"hklm { Gone }");
  ASSERT_EQ(script.trees.size(), 2u);
  EXPECT_EQ(script.trees[0].root, tv::RegistrarRoot::CurrentUser);
  EXPECT_EQ(script.trees[1].root, tv::RegistrarRoot::LocalMachine);
  const tv::RegistrarKey& key = script.trees[0].keys[0].subkeys[0];
  EXPECT_EQ(key.name, L"It's here");
  EXPECT_EQ(key.mode, RegistrarKeyMode::ForceRemove);
  EXPECT_EQ(key.defaultValue.text, L"a 'quoted' {text}");
  ASSERT_EQ(key.values.size(), 3u);
  EXPECT_EQ(key.values[0].value.kind, RegistrarValue::Kind::Dword);
  EXPECT_EQ(key.values[0].value.number, 42u);
  EXPECT_EQ(key.values[1].value.number, 0xFFFFFFFFu);
  EXPECT_EQ(key.values[2].value.bytes, (std::vector<uint8_t>{0x00, 0xFF, 0x10}));
  ASSERT_EQ(key.subkeys.size(), 2u);
  EXPECT_EQ(key.subkeys[0].mode, RegistrarKeyMode::Delete);
  EXPECT_EQ(key.subkeys[1].mode, RegistrarKeyMode::Plain);
}

TEST(RegistrarScript, ReplacementsNeverChangeTheStructure) {
  // A module path with quotes, braces and percent signs stays one value.
  const tv::RegistrarReplacements odd = {{L"module", L"C:\\a'b} {c %MODULE%\\x.dll"}};
  const tv::RegistrarScript script = Parse(L"HKCR { Key = s '%MODULE%' { Sub = s '100%%' } }", odd);
  const tv::RegistrarKey& key = script.trees[0].keys[0];
  EXPECT_EQ(key.defaultValue.text, L"C:\\a'b} {c %MODULE%\\x.dll");
  ASSERT_EQ(key.subkeys.size(), 1u);
  EXPECT_EQ(key.subkeys[0].defaultValue.text, L"100%");
}

TEST(RegistrarScript, FaultsAreRefusedWithTheirLine) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"HKCR { Key = s 'open }", L"line 1"},
      {L"HKCR {\n Key = s '%UNKNOWN%' }", L"line 2"},
      {L"HKCR { Key = s '%MODULE' }", L"line 1"},
      {L"HKCR { Key = x 'value' }", L"line 1"},
      {L"HKCR { Key = d 'twelve' }", L"line 1"},
      {L"HKCR { Key = d 4294967296 }", L"line 1"},
      {L"HKCR { Key = b 0 }", L"line 1"},
      {L"HKCR { Key {\n", L"line 1"},  // the text ends after the last token's line
      {L"HKXX { Key }", L"line 1"},
      {L"HKCR Key", L"line 1"},
      {L"HKCR { 'a\\b' }", L"line 1"},
      {L"HKCR { '' }", L"line 1"},
      {L"HKCR { val Name = s 'x' }", L"line 1"},  // values belong to keys
  };
  for (const auto& c : cases) {
    tv::RegistrarScript script;
    script.trees.emplace_back();
    std::wstring error;
    EXPECT_FALSE(tv::ParseRegistrarScript(c.first, kModule, script, &error)) << tv::WideToUtf8(c.first);
    EXPECT_TRUE(script.trees.empty());
    EXPECT_NE(error.find(c.second), std::wstring::npos) << tv::WideToUtf8(error);
  }
}

TEST(RegistrarScript, NestingIsBounded) {
  std::wstring deep = L"HKCR {";
  for (int i = 0; i < 40; ++i) deep += L" K {";
  for (int i = 0; i < 41; ++i) deep += L" }";
  tv::RegistrarScript script;
  EXPECT_FALSE(tv::ParseRegistrarScript(deep, kModule, script));
}

TEST(RegistrarScript, ResourceTextForms) {
  const uint8_t utf16[] = {0xFF, 0xFE, 'H', 0, 'K', 0, 0xE9, 0, 0, 0, 'x', 0};
  EXPECT_EQ(tv::RegistrarScriptText(utf16, sizeof(utf16)), L"HK\xE9");
  const uint8_t utf8[] = {0xEF, 0xBB, 0xBF, 'H', 0xC3, 0xA9, 0, 'x'};
  EXPECT_EQ(tv::RegistrarScriptText(utf8, sizeof(utf8)), L"H\xE9");
  const uint8_t odd[] = {0xFF, 0xFE, 'H'};
  EXPECT_EQ(tv::RegistrarScriptText(odd, sizeof(odd)), L"");
  EXPECT_EQ(tv::RegistrarScriptText(nullptr, 10), L"");
}

}  // namespace
