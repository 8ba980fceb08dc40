// The Communicate relay: at fixed points of a conversion the decoder, then
// the encoder, may each ask the host to call Get or Set on the other plug-in.
#pragma once
#include "TvPluginApi.h"

class clTvDecoder;
class clTvEncoder;

// Upper bound of requests one plug-in may make at one hook, so a plug-in
// that never ends its list cannot hold the conversion forever.
constexpr int kMaxCommunicateRequests = 10000;

// Runs the relay for `hook` ("BeforeOpen", "BeforeEncoding", "EndEncoding",
// "AfterConversion"). `decoder` is null when the source is standard input: it
// is then neither asked nor served. Each request: the asking plug-in's Get
// "Communicate" (index = request number, number = 1 while `noErrorSoFar`,
// text = hook) names a target ("Decoder"/"Encoder", any case), a verb
// ("get"/"set", text2), a setting (text3) and a record (data); the target's
// Get or Set result is given back through Set "CommunicateResult" in number.
// Unknown targets or verbs and missing fields give 0 and the loop goes on.
// Returns the number of requests relayed.
int TvRelayCommunicate(const wchar_t* hook, clTvDecoder* decoder, clTvEncoder* encoder, bool noErrorSoFar,
                       const TvMessageHandles* handles);
