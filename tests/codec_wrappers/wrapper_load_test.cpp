// Loading, reloading, creating and destroying plug-in instances.
#include "PluginTestSupport.h"
#include "clTvDSP.h"
#include "clTvDecoder.h"
#include "clTvEncoder.h"

using namespace tvtest;

namespace {

const wchar_t kDecoder[] = L"decoder\\tvtest_dec.dll";
const wchar_t kDecoder2[] = L"decoder\\tvtest_dec2.dll";
const wchar_t kEncoder[] = L"encoder\\tvtest.dll";
const wchar_t kDSP[] = L"DSPs\\tvtest_dsp.dll";

using WrapperLoad = PluginTest;

TEST_F(WrapperLoad, CompleteLibrariesLoadAndCreate) {
  clTvDecoder decoder;
  clTvEncoder encoder;
  clTvDSP dsp;
  EXPECT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  EXPECT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
  EXPECT_TRUE(dsp.Load(PluginPath(kDSP).c_str()));
  EXPECT_TRUE(decoder.IsComplete() && encoder.IsComplete() && dsp.IsComplete());
  EXPECT_TRUE(decoder.Create(&handles_));
  EXPECT_TRUE(encoder.Create(&handles_));
  EXPECT_TRUE(dsp.Create(&handles_));
  EXPECT_NE(decoder.Instance(), 0);
  EXPECT_EQ(decoder.GetDecodes(0).text, L".tvt");
  EXPECT_EQ(encoder.GetExtension().text, L".tvo");
  EXPECT_EQ(dsp.GetIsLive(L"live=1"), 1);
}

// Each kind has a variant lacking one export: it loads, counts as not
// loaded, and its other entries are still bound.
struct IncompleteCase {
  const wchar_t* path;
  int kind;  // 0 decoder, 1 encoder, 2 DSP
};

class IncompleteLibrary : public PluginTest, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(IncompleteLibrary, LoadsButCountsAsNotLoaded) {
  const std::wstring path = PluginPath(GetParam().path);
  ASSERT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  clTvDecoder decoder;
  clTvEncoder encoder;
  clTvDSP dsp;
  NDLL* library = GetParam().kind == 0 ? static_cast<NDLL*>(&decoder)
                  : GetParam().kind == 1 ? static_cast<NDLL*>(&encoder)
                                         : static_cast<NDLL*>(&dsp);
  EXPECT_FALSE(library->Load(path.c_str()));
  EXPECT_FALSE(library->IsComplete());
  EXPECT_TRUE(library->HasLibrary());
  // Asked again, Load keeps the library and repeats the verdict.
  EXPECT_FALSE(library->Load(PluginPath(kDecoder).c_str()));
  bool created = false;
  if (GetParam().kind == 0) created = decoder.Create(&handles_);
  if (GetParam().kind == 1) created = encoder.Create(&handles_);
  if (GetParam().kind == 2) created = dsp.Create(&handles_);
  EXPECT_TRUE(created) << "the entries present are bound all the same";
}

INSTANTIATE_TEST_SUITE_P(EachKind, IncompleteLibrary,
                         ::testing::Values(IncompleteCase{L"incomplete\\decoder\\tvtest_dec_nosetposition.dll", 0},
                                           IncompleteCase{L"incomplete\\encoder\\tvtest_noremoveconfigbit.dll", 1},
                                           IncompleteCase{L"incomplete\\DSPs\\tvtest_dsp_noafterconversion.dll", 2}));

TEST_F(WrapperLoad, MissingFileOrNullPathLoadsNothing) {
  clTvDecoder decoder;
  EXPECT_FALSE(decoder.Load(nullptr));
  EXPECT_FALSE(decoder.HasLibrary());
  EXPECT_FALSE(decoder.Load(TempPath(L"absent.dll").c_str()));
  EXPECT_FALSE(decoder.HasLibrary());
  EXPECT_FALSE(decoder.Create(&handles_));
  // Nothing was loaded, so a later Load still works.
  EXPECT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
}

TEST_F(WrapperLoad, FilesThatAreNoPluginsCountAsNotLoaded) {
  // Not a library at all: the load fails quietly (no system message box).
  const std::wstring garbage = TempPath(L"garbage.dll");
  WriteFileBytes(garbage, "this is no library");
  clTvEncoder encoder;
  EXPECT_FALSE(encoder.Load(garbage.c_str()));
  EXPECT_FALSE(encoder.HasLibrary());

  // A real library with none of the exports.
  clTvDSP dsp;
  EXPECT_FALSE(dsp.Load(L"version.dll"));
  EXPECT_TRUE(dsp.HasLibrary());
  EXPECT_FALSE(dsp.Create(&handles_));
}

TEST_F(WrapperLoad, PluginInAFolderNamedOutsideTheAnsiCodePage) {
  // Japanese and Greek letters have no place in a Western ANSI code page.
  const std::wstring folder = TempPath(L"\u97f3\u697d \u03a9");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring copy = folder + L"\\tvtest_dec.dll";
  ASSERT_TRUE(CopyFileW(PluginPath(kDecoder).c_str(), copy.c_str(), FALSE));
  {
    clTvDecoder decoder;
    EXPECT_TRUE(decoder.ReloadForExtension(copy.c_str(), L".tvt"));
    EXPECT_TRUE(decoder.Create(&handles_));
  }
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(WrapperLoad, SecondLoadKeepsFirstLibraryReloadSwitches) {
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  EXPECT_TRUE(decoder.Load(PluginPath(kDecoder2).c_str()));
  ASSERT_TRUE(decoder.Create(&handles_));
  EXPECT_EQ(decoder.GetDecodes(0).text, L".tvt");

  EXPECT_TRUE(decoder.Reload(PluginPath(kDecoder2).c_str()));
  EXPECT_FALSE(decoder.HasInstance()) << "reload destroys the instance";
  EXPECT_TRUE(Logged("tvtest_dec Destroy"));
  ASSERT_TRUE(decoder.Create(&handles_));
  EXPECT_EQ(decoder.GetDecodes(0).text, L".tvu");
}

TEST_F(WrapperLoad, FailedReloadLeavesAnEmptyWrapper) {
  clTvEncoder encoder;
  ASSERT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
  EXPECT_FALSE(encoder.Reload(TempPath(L"absent.dll").c_str()));
  EXPECT_FALSE(encoder.HasLibrary());
  EXPECT_FALSE(encoder.Create(&handles_));
  EXPECT_EQ(encoder.GetExtension().result, 0);
}

TEST_F(WrapperLoad, ReloadForExtensionRemembersOnlySuccess) {
  clTvDecoder decoder;
  EXPECT_TRUE(decoder.ReloadForExtension(PluginPath(kDecoder).c_str(), L".tvt"));
  EXPECT_EQ(decoder.Extension(), L".tvt");
  EXPECT_EQ(decoder.Path(), PluginPath(kDecoder));

  EXPECT_FALSE(decoder.ReloadForExtension(PluginPath(L"incomplete\\decoder\\tvtest_dec_nosetposition.dll").c_str(),
                                          L".tvx"));
  EXPECT_EQ(decoder.Extension(), L".tvt") << "a failed reload is not remembered";

  decoder.Unload();
  EXPECT_FALSE(decoder.HasLibrary());
  EXPECT_TRUE(decoder.Extension().empty());
  EXPECT_TRUE(decoder.Path().empty());
}

TEST_F(WrapperLoad, CreateReplacesTheInstanceAndDestructorDestroysIt) {
  {
    clTvDSP dsp;
    ASSERT_TRUE(dsp.Load(PluginPath(kDSP).c_str()));
    ASSERT_TRUE(dsp.Create(&handles_));
    ASSERT_TRUE(dsp.Create(&handles_));
  }
  std::vector<std::string> calls;
  for (const std::string& line : LogLines()) calls.push_back(line.substr(0, line.find(' ', 11)));
  EXPECT_EQ(calls, (std::vector<std::string>{"tvtest_dsp Create", "tvtest_dsp Destroy", "tvtest_dsp Create",
                                             "tvtest_dsp Destroy"}));
}

TEST_F(WrapperLoad, RefusedCreateLeavesNoInstance) {
  SetKnob(L"TVTEST_ENC_REFUSE_CREATE", L"1");
  clTvEncoder encoder;
  ASSERT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
  EXPECT_FALSE(encoder.Create(&handles_));
  EXPECT_FALSE(encoder.HasInstance());
  EXPECT_EQ(encoder.GetNeedHQAudio(L""), 0);
}

TEST_F(WrapperLoad, DestroyWithoutInstanceCallsNothing) {
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  decoder.DestroyInstance();
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
