// Explorer columns as the shell asks for them: GetColumnInfo for the table,
// then GetItemData per file and column, against the real TipfetchInfo and the
// reference WAVE decoder (or a stand-in helper for answers it never writes).
#include "ShellFixture.h"  // <windows.h> first

#include <oleauto.h>
#include <shlobj.h>

#include <atomic>
#include <thread>

#include "AnswerBytes.h"
#include "TvTagBlock.h"

namespace {

// {394C3DE0-3C6F-11D2-817B-00C04F797AB7}
const GUID kFormatId = {0x394C3DE0, 0x3C6F, 0x11D2, {0x81, 0x7B, 0x00, 0xC0, 0x4F, 0x79, 0x7A, 0xB7}};

void SetSetting(const wchar_t* name, const std::wstring& text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera", name, REG_SZ, text.c_str(),
                  DWORD((text.size() + 1) * sizeof(wchar_t)));
}

void SetSetting(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera", name, REG_DWORD, &value, sizeof(value));
}

uint32_t PropertyId(const std::wstring& name) {
  uint32_t sum = 0;
  for (size_t i = 0; i < name.size(); ++i) sum += uint32_t(i + 1) * name[i];
  return uint32_t(name.size() % 256) << 24 | (sum & 0xFFFFFF);
}

class ColumnTestBase : public ShellTest {
 protected:
  explicit ColumnTestBase(HelperKind helper) : ShellTest(helper) {}
  void TearDown() override {
    if (provider_) provider_->Release();
    ShellTest::TearDown();
  }
  IColumnProvider* Provider() {
    if (!provider_) {
      provider_ = Create<IColumnProvider>(IID_IColumnProvider);
      SHCOLUMNINIT init = {};
      if (provider_) {
        EXPECT_EQ(provider_->Initialize(&init), S_OK);
      }
    }
    return provider_;
  }
  std::vector<SHCOLUMNINFO> Columns() {
    std::vector<SHCOLUMNINFO> columns;
    for (DWORD index = 0; index < 200; ++index) {
      SHCOLUMNINFO info = {};
      if (Provider()->GetColumnInfo(index, &info) != S_OK) break;
      columns.push_back(info);
    }
    return columns;
  }
  // The column's text for the file, or "<none>" for S_FALSE.
  std::wstring Value(const std::wstring& file, const std::wstring& column, DWORD attributes = FILE_ATTRIBUTE_NORMAL,
                     const GUID& format = kFormatId) {
    Columns();  // as the shell does, the table first
    SHCOLUMNID id = {format, PropertyId(column)};
    SHCOLUMNDATA data = {};
    data.dwFileAttributes = attributes;
    const size_t dot = file.rfind(L'.');
    std::wstring extension = dot == std::wstring::npos ? L"" : file.substr(dot);
    data.pwszExt = &extension[0];
    wcsncpy(data.wszFile, file.c_str(), MAX_PATH - 1);
    VARIANT value;
    VariantInit(&value);
    const HRESULT result = Provider()->GetItemData(&id, &data, &value);
    if (result == S_FALSE) return L"<none>";
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(value.vt, VT_BSTR);
    std::wstring text = value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"<not a text>";
    VariantClear(&value);
    return text;
  }

  IColumnProvider* provider_ = nullptr;
};

class ColumnProviderTest : public ColumnTestBase {
 protected:
  ColumnProviderTest() : ColumnTestBase(HelperKind::Real) {}
};

TEST_F(ColumnProviderTest, DefaultNineteenColumns) {
  const std::vector<SHCOLUMNINFO> columns = Columns();
  ASSERT_EQ(columns.size(), 19u);
  EXPECT_EQ(std::wstring(columns.front().wszTitle), L" Length");
  EXPECT_EQ(std::wstring(columns.back().wszTitle), L" Protected");
  for (const SHCOLUMNINFO& column : columns) {
    EXPECT_TRUE(IsEqualGUID(column.scid.fmtid, kFormatId));
    EXPECT_EQ(column.vt, 30);
    EXPECT_EQ(column.csFlags, DWORD(SHCOLSTATE_TYPE_STR));
    EXPECT_EQ(std::wstring(column.wszDescription), L"Tonvera");
  }
  const SHCOLUMNINFO& length = columns[0];
  EXPECT_EQ(length.scid.pid >> 24, 6u);
  EXPECT_EQ(length.fmt, DWORD(LVCFMT_RIGHT));
  EXPECT_EQ(length.cChars, 14u);
  const SHCOLUMNINFO& year = columns[9];
  EXPECT_EQ(std::wstring(year.wszTitle), L" Year");
  EXPECT_EQ(year.scid.pid, (4u << 24) | (1 * 89 + 2 * 101 + 3 * 97 + 4 * 114));
  EXPECT_EQ(columns[1].fmt, DWORD(LVCFMT_LEFT));  // Bit Rate
  EXPECT_EQ(columns[1].cChars, 20u);
  EXPECT_EQ(columns[4].cChars, 32u);  // Artist
  SHCOLUMNINFO beyond = {};
  EXPECT_EQ(Provider()->GetColumnInfo(19, &beyond), S_FALSE);
  EXPECT_EQ(Provider()->GetColumnInfo(0, nullptr), E_POINTER);
}

TEST_F(ColumnProviderTest, WaveFileValues) {
  SetSetting(L"ColumnsAllowed", std::wstring(L"Length\rChannels\rSample Rate\rSample Size\rBit Rate\rArtist\r"
                                             L"Album - Track Number\rTrack Number\rRating\rYear\r_USR_MOOD"));
  const std::wstring file = folder_.Data(L"song one.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(1000)));
  ASSERT_TRUE(TagWaveFile(file, {{L"ARTIST", L"Nia", {}}, {L"ALBUM", L"Blue", {}}, {L"TRACK", L"7", {}},
                                 {L"MOOD", L"calm", {}}, {L"rating", L"10", {}}}));
  EXPECT_EQ(Value(file, L"Length"), L"0:01");
  EXPECT_EQ(Value(file, L"Channels"), L"2  (stereo)");
  EXPECT_EQ(Value(file, L"Sample Rate"), L"44.1 KHz");
  EXPECT_EQ(Value(file, L"Sample Size"), L"16 bit");
  EXPECT_NE(Value(file, L"Bit Rate").find(L"kbps  (CD)"), std::wstring::npos);
  EXPECT_EQ(Value(file, L"Artist"), L"Nia");
  EXPECT_EQ(Value(file, L"Album - Track Number"), L"Blue - 7");
  EXPECT_EQ(Value(file, L"Track Number"), L"7");
  EXPECT_EQ(Value(file, L"MOOD"), L"calm");
  EXPECT_EQ(Value(file, L"Rating"), L" \x2022 \x2022 \x2022 \x2022 \x2022");
  EXPECT_EQ(Value(file, L"Year"), L"<none>");  // no such tag
  EXPECT_EQ(Value(file, L"Genre"), L"<none>");  // not a column of the table
}

TEST_F(ColumnProviderTest, FoldersOfflineFilesAndUnknownExtensionsGetNoValues) {
  const std::wstring file = folder_.Data(L"a.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(500)));
  EXPECT_EQ(Value(file, L"Length"), L"0:00");
  EXPECT_EQ(Value(file, L"Length", FILE_ATTRIBUTE_DIRECTORY), L"<none>");
  EXPECT_EQ(Value(file, L"Length", FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_ARCHIVE), L"<none>");
  const GUID otherFormat = {0x12345678, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
  EXPECT_EQ(Value(file, L"Length", FILE_ATTRIBUTE_NORMAL, otherFormat), L"<none>");
  const std::wstring unknown = folder_.Data(L"a.xyz");
  ASSERT_TRUE(WriteFileBytes(unknown, WaveFileBytes(500)));
  EXPECT_EQ(Value(unknown, L"Length"), L"<none>");
  const std::wstring sentinel = folder_.Data(L"a.NORECALL");
  ASSERT_TRUE(WriteFileBytes(sentinel, WaveFileBytes(500)));
  EXPECT_EQ(Value(sentinel, L"Length"), L"<none>");
}

TEST_F(ColumnProviderTest, AtMostOneHundredColumns) {
  std::wstring allowed;
  for (int i = 0; i < 150; ++i) allowed += (i ? L"\r_USR_Tag" : L"_USR_Tag") + std::to_wstring(i);
  SetSetting(L"ColumnsAllowed", allowed);
  const std::vector<SHCOLUMNINFO> columns = Columns();
  ASSERT_EQ(columns.size(), 100u);
  EXPECT_EQ(std::wstring(columns[99].wszTitle), L" Tag99");
}

TEST_F(ColumnProviderTest, SwitchedOffColumnsOfferNothing) {
  SetSetting(L"TvxNoExplorerColumns", DWORD(1));
  SHCOLUMNINFO info = {};
  EXPECT_EQ(Provider()->GetColumnInfo(0, &info), S_FALSE);
}

TEST_F(ColumnProviderTest, InProcessDecoderReadsTheFile) {
  SetSetting(L"TvxExpColumnLoadTv", DWORD(1));
  const std::wstring file = folder_.Data(L"in process.wav");
  ASSERT_TRUE(WriteFileBytes(file, WaveFileBytes(2000)));
  ASSERT_TRUE(TagWaveFile(file, {{L"ARTIST", L"Kai", {}}}));
  EXPECT_EQ(Value(file, L"Length"), L"0:02");
  EXPECT_EQ(Value(file, L"Artist"), L"Kai");
}

TEST_F(ColumnProviderTest, ConcurrentShellThreadsEachGetTheirOwnFilesValues) {
  // Every thread alternates between two files of its own, so the one-entry
  // cache is replaced by the other threads all the time; each value must still
  // be the one of the file asked about.
  constexpr int kThreads = 4;
  std::vector<std::wstring> files;
  for (int i = 0; i < 2 * kThreads; ++i) {
    files.push_back(folder_.Data(L"length " + std::to_wstring(i + 1) + L".wav"));
    ASSERT_TRUE(WriteFileBytes(files.back(), WaveFileBytes(1000 * (i + 1))));
  }
  Columns();  // the table and extension list once, before the threads
  std::atomic<int> wrong{0}, asked{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t]() {
      if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return;
      IColumnProvider* provider = nullptr;
      CoCreateInstance(ClassId(), nullptr, CLSCTX_INPROC_SERVER, IID_IColumnProvider,
                       reinterpret_cast<void**>(&provider));
      if (provider) {
        for (int round = 0; round < 6; ++round) {
          const int index = 2 * t + round % 2;
          SHCOLUMNID id = {kFormatId, PropertyId(L"Length")};
          SHCOLUMNDATA data = {};
          data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
          wchar_t extension[] = L".wav";
          data.pwszExt = extension;
          wcsncpy(data.wszFile, files[index].c_str(), MAX_PATH - 1);
          VARIANT value;
          VariantInit(&value);
          const std::wstring expected = L"0:0" + std::to_wstring(index + 1);
          if (provider->GetItemData(&id, &data, &value) != S_OK || value.vt != VT_BSTR ||
              expected != value.bstrVal)
            ++wrong;
          ++asked;
          VariantClear(&value);
        }
        provider->Release();
      }
      CoUninitialize();
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(asked.load(), kThreads * 6);
  EXPECT_EQ(wrong.load(), 0);
}

// Answers the real helper never writes, through a stand-in.
class MalformedAnswerTest : public ColumnTestBase {
 protected:
  MalformedAnswerTest() : ColumnTestBase(HelperKind::Fake) {}
  void SetUp() override {
    ColumnTestBase::SetUp();
    file_ = folder_.Data(L"a.wav");
    ASSERT_TRUE(WriteFileBytes(file_, WaveFileBytes(100)));
    const wchar_t extensions[] = L".wav\0.aiff\0";  // and the closing zero of the string
    WriteAnswer(L"exts.bin", std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(extensions),
                                                  reinterpret_cast<const uint8_t*>(extensions) + sizeof(extensions)));
    SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_EXTS", folder_.Data(L"exts.bin").c_str());
    SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_INFO", folder_.Data(L"info.bin").c_str());
    SetEnvironmentVariableW(L"TVTEST_FAKEHELPER_LOG", folder_.Data(L"helper.log").c_str());
  }
  void WriteAnswer(const wchar_t* name, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteFileBytes(folder_.Data(name), bytes));
  }
  // The Length column for a fresh answer (the file is touched so it is read again).
  std::wstring LengthFor(const std::vector<uint8_t>& answer) {
    WriteAnswer(L"info.bin", answer);
    EXPECT_TRUE(TouchFile(file_, ++touches_));
    return Value(file_, L"Length");
  }
  std::wstring file_;
  int touches_ = 0;
};

TEST_F(MalformedAnswerTest, OnlyTheExactFormIsTaken) {
  const std::vector<uint8_t> tags = tv::WriteTagBlock({{L"ARTIST", L"Nia", {}}});
  AudioRecordFields fields;
  fields.lengthMs = 61000;
  const std::vector<uint8_t> record = AudioRecordBytes(fields);
  EXPECT_EQ(LengthFor(AnswerBytes(tags, {}, record)), L"1:01");  // the well-formed answer, for contrast

  std::vector<uint8_t> short67(record.begin(), record.end() - 1), long69 = record;
  long69.push_back(0);
  std::vector<uint8_t> trailing = AnswerBytes(tags, {}, record);
  trailing.push_back(0);
  std::vector<uint8_t> badCount;
  AppendBlock(badCount, "IDTG", 0x7FFFFFFF, tags);
  AppendBlock(badCount, "AUDP", 0, {});
  AppendBlock(badCount, "AUDI", 68, record);
  EXPECT_EQ(LengthFor(AnswerBytes(tags, {}, short67)), L"<none>");
  EXPECT_EQ(LengthFor(AnswerBytes(tags, {}, long69)), L"<none>");
  EXPECT_EQ(LengthFor(trailing), L"<none>");
  EXPECT_EQ(LengthFor(badCount), L"<none>");
  EXPECT_EQ(LengthFor({}), L"<none>");  // no decoder took the file
}

TEST_F(MalformedAnswerTest, UnchangedFileIsAskedOnceEvenWithoutAnAnswer) {
  WriteAnswer(L"info.bin", {'b', 'a', 'd'});
  EXPECT_EQ(Value(file_, L"Length"), L"<none>");
  EXPECT_EQ(Value(file_, L"Artist"), L"<none>");
  EXPECT_EQ(Value(file_, L"Channels"), L"<none>");
  EXPECT_EQ(CountLinesWith(folder_.Data(L"helper.log"), "GetAudioInf"), 1);
  EXPECT_EQ(CountLinesWith(folder_.Data(L"helper.log"), "GetAudioExts"), 1);
}

TEST_F(MalformedAnswerTest, NoExtensionListMeansNoValues) {
  WriteAnswer(L"exts.bin", {'.', 0, 'w', 0});  // cut short: no closing zero
  AudioRecordFields fields;
  WriteAnswer(L"info.bin", AnswerBytes({}, {}, AudioRecordBytes(fields)));
  EXPECT_EQ(Value(file_, L"Length"), L"<none>");
  EXPECT_EQ(CountLinesWith(folder_.Data(L"helper.log"), "GetAudioInf"), 0);
}

}  // namespace
