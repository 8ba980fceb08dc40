// The Communicate relay between a decoder and an encoder.
#include "PluginTestSupport.h"
#include "TvCommunicate.h"
#include "clTvDecoder.h"
#include "clTvEncoder.h"

using namespace tvtest;

namespace {

class Communicate : public PluginTest {
 protected:
  void Start() {
    ASSERT_TRUE(decoder_.Load(PluginPath(L"decoder\\tvtest_dec.dll").c_str()));
    ASSERT_TRUE(encoder_.Load(PluginPath(L"encoder\\tvtest.dll").c_str()));
    ASSERT_TRUE(decoder_.Create(&handles_));
    ASSERT_TRUE(encoder_.Create(&handles_));
  }
  clTvDecoder decoder_;
  clTvEncoder encoder_;
};

TEST_F(Communicate, UnknownTargetGivesZeroAndTheLoopGoesOn) {
  SetKnob(L"TVTEST_DEC_COMMUNICATE",
          L"BeforeEncoding:Nobody,get,Extension;BeforeEncoding:Encoder,get,Extension;BeforeOpen:Encoder,get,Extension");
  Start();
  EXPECT_EQ(TvRelayCommunicate(TV_HOOK_BEFORE_ENCODING, &decoder_, &encoder_, true, &handles_), 2);
  EXPECT_TRUE(Logged("tvtest_dec Get Communicate index=0 number=1 text=BeforeEncoding"));
  EXPECT_TRUE(Logged("tvtest_dec CommunicateResult index=0 number=0 got="));
  EXPECT_TRUE(Logged("tvtest_dec CommunicateResult index=1 number=1 got=.tvo"));
  EXPECT_TRUE(Logged("tvtest_dec Get Communicate index=2"));
  EXPECT_TRUE(Logged("tvtest_enc Get Communicate index=0 number=1 text=BeforeEncoding"))
      << "the encoder is asked after the decoder";
}

// One request by the decoder; the answer given back in CommunicateResult.
struct RequestCase {
  const wchar_t* request;
  std::string expected;
};

class CommunicateRequest : public Communicate, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(CommunicateRequest, IsServedOrRefused) {
  SetKnob(L"TVTEST_DEC_COMMUNICATE", std::wstring(L"EndEncoding:") + GetParam().request);
  Start();
  TvRelayCommunicate(TV_HOOK_END_ENCODING, &decoder_, &encoder_, true, &handles_);
  EXPECT_TRUE(Logged("tvtest_dec CommunicateResult index=0 " + GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CommunicateRequest,
    ::testing::Values(RequestCase{L"Encoder,get,Extension", "number=1 got=.tvo"},
                      RequestCase{L"ENCODER,GET,Extension", "number=1 got=.tvo"},
                      RequestCase{L"decoder,get,Decoder Description", "number=1 got=Tonvera test decoder"},
                      RequestCase{L"Encoder,set,Priority,high", "number=1 got=high"},
                      RequestCase{L"Encoder,get,No Such Key", "number=0"},
                      RequestCase{L"Rendermill,get,Extension", "number=0"},
                      RequestCase{L"Encoder,fetch,Extension", "number=0"},
                      RequestCase{L"Encoder", "number=0"},
                      RequestCase{L"Encoder,get", "number=0"}));

TEST_F(Communicate, StandardInputSourceNeitherAsksNorServesTheDecoder) {
  SetKnob(L"TVTEST_DEC_COMMUNICATE", L"*:Encoder,get,Extension");
  SetKnob(L"TVTEST_ENC_COMMUNICATE", L"AfterConversion:Decoder,get,Decoder Description;AfterConversion:Encoder,set,Priority,1");
  Start();
  EXPECT_EQ(TvRelayCommunicate(TV_HOOK_AFTER_CONVERSION, nullptr, &encoder_, true, &handles_), 2);
  EXPECT_FALSE(Logged("tvtest_dec Get Communicate"));
  EXPECT_TRUE(Logged("tvtest_enc CommunicateResult index=0 number=0"));
  EXPECT_TRUE(Logged("tvtest_enc CommunicateResult index=1 number=1"));
}

TEST_F(Communicate, RequestsTellWhetherAnErrorWasRecorded) {
  SetKnob(L"TVTEST_ENC_COMMUNICATE", L"BeforeOpen:Encoder,get,Extension");
  Start();
  TvRelayCommunicate(TV_HOOK_BEFORE_OPEN, &decoder_, &encoder_, false, &handles_);
  EXPECT_TRUE(Logged("tvtest_enc Get Communicate index=0 number=0 text=BeforeOpen"));
  EXPECT_TRUE(Logged("tvtest_dec Get Communicate index=0 number=0 text=BeforeOpen"));
}

TEST_F(Communicate, RequestWithAnUnusableRecordGivesZero) {
  SetKnob(L"TVTEST_DEC_MISBEHAVE", L"badpointer");
  SetKnob(L"TVTEST_DEC_COMMUNICATE", L"BeforeOpen:Encoder,get,Extension;BeforeOpen:Encoder,get,Extension");
  Start();
  EXPECT_EQ(TvRelayCommunicate(TV_HOOK_BEFORE_OPEN, &decoder_, &encoder_, true, &handles_), 2);
  EXPECT_TRUE(Logged("tvtest_dec CommunicateResult index=1 number=0"));
  EXPECT_FALSE(Logged("tvtest_enc Get Extension")) << "the target is not called with a record it cannot fill";
}

TEST_F(Communicate, EndlessRequestsAreCut) {
  SetKnob(L"TVTEST_ENC_MISBEHAVE", L"endless");
  SetKnob(L"TVTEST_ENC_LOG", L"");  // ten thousand requests need no log
  Start();
  EXPECT_EQ(TvRelayCommunicate(TV_HOOK_BEFORE_ENCODING, &decoder_, &encoder_, true, &handles_),
            kMaxCommunicateRequests);
  EXPECT_NE(infos_.Take().find(L"requests at BeforeEncoding"), std::wstring::npos);
}

TEST_F(Communicate, InstanceLessPluginsAreNotAsked) {
  ASSERT_TRUE(encoder_.Load(PluginPath(L"encoder\\tvtest.dll").c_str()));
  EXPECT_EQ(TvRelayCommunicate(TV_HOOK_BEFORE_OPEN, &decoder_, &encoder_, true, &handles_), 0);
  EXPECT_EQ(TvRelayCommunicate(TV_HOOK_BEFORE_OPEN, nullptr, nullptr, true, &handles_), 0);
}

}  // namespace
