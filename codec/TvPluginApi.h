// Tonvera codec plug-in SDK: the contract between the suite and its decoder,
// encoder and DSP effect libraries.
//
// A C++ header, self-contained on purpose (platform headers only), so a plug-in can be
// built from this one file. Records cross the boundary by address, so their
// layout is pinned below for both the 32-bit and the 64-bit programs.
//
// Folders (beside the program file) and library names:
//   decoder  - any "*.dll"; chosen by its "Decodes" list
//   encoder  - codec name + ".DLL"
//   DSPs     - effect name + ".dll"
// Every export of a kind must exist, else the library counts as not loaded.
//
// Calling order, per instance:
//   Create first; then any number of Get and Set;
//   decoder: Open, DecodeBlock until the last block, Close;
//   encoder: ENC_BeginConversion, ENC_EncodeBlock per block, ENC_EndConversion;
//   DSP:     DSP_BeginConversion, DSP_PassAudioBlock per block (or DSP_PassNonLive
//            once), DSP_EndConversion, DSP_AfterConversion;
//   Destroy last.
// DeleteATag and Set "IDTags" are called on a decoder instance without Open.
// SetPosition, *_ShowConfigBit and *_RemoveConfigBit are never called by the
// suite but must be exported.
//
// Results: every entry returns a 32-bit integer, non-zero meaning success (or
// yes). An instance is a non-zero pointer-sized value returned by Create; 0
// means failure. All texts are zero-terminated UTF-16.
//
// Reports: a plug-in writes its error and information lines (UTF-16LE, ended
// by CR LF) to the channels of the TvMessageHandles record it gets at Create;
// any error line fails the conversion in progress.
//
// Ownership: every record is zeroed and owned by the caller. Buffers a decoder
// hands out (tag block, property block, audio data) stay the decoder's until
// its instance is closed; hosts copy what they keep. Buffers the host passes
// stay the host's.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>

// The three report handles (error channel, information channel, trace file);
// defined by the suite's runtime, received by every plug-in at Create.
struct TvMessageHandles;

// The layout of TvMessageHandles, for plug-ins built without the suite's
// runtime: read the record through TvReportHandlesOf. A line is written with
// one WriteFile: UTF-16LE text (no byte-order mark), optionally followed by
// two spaces and "[function]", then CR LF. Error lines go to errorChannel,
// notes to infoChannel; when traceFile is set the same line, prefixed
// "*** Error: " or "*** Information: ", goes there too. A null or invalid
// handle means "do not write".
struct TvPluginReportHandles {
  HANDLE errorChannel;
  HANDLE infoChannel;
  HANDLE traceFile;  // null when there is no trace
};

inline TvPluginReportHandles TvReportHandlesOf(const TvMessageHandles* handles) {
  TvPluginReportHandles copy = {};
  if (handles) copy = *reinterpret_cast<const TvPluginReportHandles*>(handles);
  return copy;
}

// Calling convention of every export (stdcall in 32-bit, the one ABI in 64-bit).
// Exports carry the plain names above, undecorated: list them in a .def file
// (a 32-bit GNU link then also wants --enable-stdcall-fixup to map "Create"
// to "Create@4" quietly) or link with --kill-at.
#define TV_PLUGIN_CALL __stdcall

typedef INT_PTR TvPluginInstance;  // 0 = none
typedef INT32 TvPluginResult;      // non-zero = success / yes

// ---------------------------------------------------------------------------
// Folders, export names and keys
// ---------------------------------------------------------------------------

#define TV_DECODER_FOLDER L"decoder"
#define TV_ENCODER_FOLDER L"encoder"
#define TV_DSP_FOLDER L"DSPs"

// Decoder exports
#define TV_EXPORT_CREATE "Create"
#define TV_EXPORT_DESTROY "Destroy"
#define TV_EXPORT_GET "Get"
#define TV_EXPORT_SET "Set"
#define TV_EXPORT_OPEN "Open"
#define TV_EXPORT_CLOSE "Close"
#define TV_EXPORT_DECODEBLOCK "DecodeBlock"
#define TV_EXPORT_SETPOSITION "SetPosition"
#define TV_EXPORT_DELETEATAG "DeleteATag"

// Encoder exports
#define TV_EXPORT_ENC_CREATE "ENC_Create"
#define TV_EXPORT_ENC_DESTROY "ENC_Destroy"
#define TV_EXPORT_ENC_GET "ENC_Get"
#define TV_EXPORT_ENC_SET "ENC_Set"
#define TV_EXPORT_ENC_SHOWCONFIGBIT "ENC_ShowConfigBit"
#define TV_EXPORT_ENC_REMOVECONFIGBIT "ENC_RemoveConfigBit"
#define TV_EXPORT_ENC_BEGINCONVERSION "ENC_BeginConversion"
#define TV_EXPORT_ENC_ENDCONVERSION "ENC_EndConversion"
#define TV_EXPORT_ENC_ENCODEBLOCK "ENC_EncodeBlock"

// DSP effect exports
#define TV_EXPORT_DSP_CREATE "DSP_Create"
#define TV_EXPORT_DSP_DESTROY "DSP_Destroy"
#define TV_EXPORT_DSP_GET "DSP_Get"
#define TV_EXPORT_DSP_SET "DSP_Set"
#define TV_EXPORT_DSP_SHOWCONFIGBIT "DSP_ShowConfigBit"
#define TV_EXPORT_DSP_REMOVECONFIGBIT "DSP_RemoveConfigBit"
#define TV_EXPORT_DSP_BEGINCONVERSION "DSP_BeginConversion"
#define TV_EXPORT_DSP_ENDCONVERSION "DSP_EndConversion"
#define TV_EXPORT_DSP_PASSAUDIOBLOCK "DSP_PassAudioBlock"
#define TV_EXPORT_DSP_PASSNONLIVE "DSP_PassNonLive"
#define TV_EXPORT_DSP_AFTERCONVERSION "DSP_AfterConversion"

// Open flags (TvStreamInfo::openFlags)
#define TV_OPEN_CONVERT 29      // the stream is to be decoded
#define TV_OPEN_INSPECT 28      // format, tags and property block only
#define TV_OPEN_TAGS_ONLY 8     // only the tags are wanted

// Get/Set keys. Unless said otherwise the record's `text` carries the value.
#define TV_KEY_DECODES L"Decodes"                         // decoder Get: in index; out text = ".ext", text2 = description
#define TV_KEY_DECODER_DESCRIPTION L"Decoder Description" // decoder Get: out text
#define TV_KEY_EXTENSION L"Extension"                     // encoder Get: out text = extension written (".IGNORE" hides it)
#define TV_KEY_OPTIONS L"Options"                         // decoder/encoder Get: in index = option, number = entry;
#define TV_KEY_ID_TAG_OPTIONS L"ID Tag Options"           //   out text = label, text2 = registry link, text3 = entry
#define TV_KEY_PROPERTY_ELEMENTS L"Property Elements"     // decoder Get: out text = names separated by CR
#define TV_KEY_DEFAULT_PROPERTY_ELEMENTS L"Default Property Elements"
#define TV_KEY_IDTAGS L"IDTags"                           // decoder Set: number = block size, text = path, data = tag block
#define TV_KEY_BATCHID L"BatchID"                         // all kinds Set: number = batch id
#define TV_KEY_DECODE_AS L"Decode As"                     // decoder Set: text "Highest Quality"
#define TV_KEY_NEED_HQ_AUDIO L"NeedHQAudio"               // encoder Get: in text = codec command line
#define TV_KEY_SEND_RAW_UNCOMPRESSED L"SendRawUnCompressed" // encoder Get: in text = source, text2 = command line, text3 = destination
#define TV_KEY_PRIORITY L"Priority"                       // encoder Set: text = priority option
#define TV_KEY_IS_LIVE L"IsLive"                          // DSP Get: in text = settings
#define TV_KEY_COMMUNICATE L"Communicate"                 // decoder/encoder Get: the plug-in's next relay request
#define TV_KEY_COMMUNICATE_RESULT L"CommunicateResult"    // decoder/encoder Set: the relay's answer

#define TV_DECODE_AS_HIGHEST_QUALITY L"Highest Quality"
#define TV_EXTENSION_IGNORE L".IGNORE"

// Communicate relay: hook names (request text), targets (answer text) and verbs (text2).
#define TV_HOOK_BEFORE_OPEN L"BeforeOpen"
#define TV_HOOK_BEFORE_ENCODING L"BeforeEncoding"
#define TV_HOOK_END_ENCODING L"EndEncoding"
#define TV_HOOK_AFTER_CONVERSION L"AfterConversion"
#define TV_TARGET_DECODER L"Decoder"
#define TV_TARGET_ENCODER L"Encoder"
#define TV_VERB_GET L"get"
#define TV_VERB_SET L"set"

// ---------------------------------------------------------------------------
// Records (little-endian). 32-bit and 64-bit programs use the same field
// order; the 64-bit forms have 8-byte pointers and natural alignment, except
// TvStreamInfo, whose 64-bit offsets are fixed by the 64-bit shell extension.
// ---------------------------------------------------------------------------

// Key/value exchange of Get and Set. 40 bytes (32-bit), 56 bytes (64-bit).
struct TvSettingValue {
  INT32 index;
  INT32 number;
  BYTE reserved[16];     // zero, not read by the host
  const WCHAR* text;
  const WCHAR* text2;
  const WCHAR* text3;
  void* data;
};

// 4-byte packing: the 32-bit records place 64-bit integers on 4-byte
// boundaries (offsets 52, 60, 76), and the 64-bit TvStreamInfo places its
// property block pointer at 92. Packing ends after TvStreamInfo in the
// 64-bit build and after TvConversionInfo in the 32-bit build.
#pragma pack(push, 4)

// The stream's audio description: the part of TvStreamInfo from its wave
// format on. Encoders and effects receive a pointer to it; the fields after
// the format lie at fixed distances (length at +44, source size at +52).
struct TvAudioDescription {
  WAVEFORMATEXTENSIBLE format;  // 40 bytes; WAVEFORMATEX unless the extensible form
  INT32 bitRate;                // bits per second
  INT64 lengthMs;
  INT64 sourceBytes;            // for a raw PCM source, its audio bytes
};

// Filled by the decoder's Open. 108 bytes (32-bit), 128 bytes (64-bit).
struct TvStreamInfo {
  const WCHAR* sourcePath;      // in
  INT32 openFlags;              // in: TV_OPEN_*
  TvAudioDescription description;
  BYTE reserved1[8];            // not read by the host
  const BYTE* tagBlock;         // owned by the decoder
  INT32 tagBlockSize;
  const BYTE* propertyBlock;    // audio property elements in tag block form; the decoder's
  INT32 propertyBlockSize;
#ifdef _WIN64
  BYTE reserved2[24];           // not read by the host
#else
  BYTE reserved2[16];
#endif
};

#ifdef _WIN64
#pragma pack(pop)
#endif

// One block of PCM audio. 104 bytes (32-bit), 120 bytes (64-bit).
struct TvAudioBlock {
  BYTE* data;                   // owned by whoever filled the block
  INT32 dataSize;               // bytes
  WAVEFORMATEXTENSIBLE format;  // 40 bytes: the format of this block
  INT32 bitRate;
  INT64 durationMs;
  BYTE reserved1[16];           // not read by the host
  INT64 positionMs;             // start of the block
  BYTE lastBlock;               // non-zero at the end of the stream
  BYTE reserved2[11];
  const WCHAR* actionText;      // a plug-in may point it at a short status text
  BYTE reserved3[4];
};

// The conversion in progress. 36 bytes (32-bit), 64 bytes (64-bit).
struct TvConversionInfo {
  const WCHAR* sourcePath;      // "-" for standard input
  const WCHAR* outputPath;      // the path the encoder writes (temporary or final)
  const WCHAR* codecCommandLine;
  TvAudioDescription* description;  // points into the decoder's TvStreamInfo
  const BYTE* tagBlock;
  INT32 tagBlockSize;
  const BYTE* propertyBlock;
  INT32 propertyBlockSize;
  INT32 errorFlag;              // 1 once any error has been recorded
};

#ifndef _WIN64
#pragma pack(pop)
#endif

// ---------------------------------------------------------------------------
// Entry point types (the instance comes first, after Create)
// ---------------------------------------------------------------------------

// All kinds
typedef TvPluginInstance(TV_PLUGIN_CALL* TvCreateFn)(const TvMessageHandles* handles);
typedef TvPluginResult(TV_PLUGIN_CALL* TvDestroyFn)(TvPluginInstance instance);
typedef TvPluginResult(TV_PLUGIN_CALL* TvGetFn)(TvPluginInstance instance, const WCHAR* key,
                                                TvSettingValue* value);
typedef TvPluginResult(TV_PLUGIN_CALL* TvSetFn)(TvPluginInstance instance, const WCHAR* key,
                                                TvSettingValue* value);

// Decoder
typedef TvPluginResult(TV_PLUGIN_CALL* TvOpenFn)(TvPluginInstance instance, TvStreamInfo* stream);
typedef TvPluginResult(TV_PLUGIN_CALL* TvCloseFn)(TvPluginInstance instance,
                                                  TvConversionInfo* conversion);
typedef TvPluginResult(TV_PLUGIN_CALL* TvDecodeBlockFn)(TvPluginInstance instance,
                                                        TvAudioBlock* block);
typedef TvPluginResult(TV_PLUGIN_CALL* TvSetPositionFn)(TvPluginInstance instance);
// names: UTF-16 names, each zero-terminated, ended by one more zero; null deletes every tag.
typedef TvPluginResult(TV_PLUGIN_CALL* TvDeleteATagFn)(TvPluginInstance instance,
                                                       const WCHAR* path, const WCHAR* names);

// Encoder and DSP effect
typedef TvPluginResult(TV_PLUGIN_CALL* TvShowConfigBitFn)(TvPluginInstance instance);
typedef TvPluginResult(TV_PLUGIN_CALL* TvRemoveConfigBitFn)(TvPluginInstance instance);

// Encoder
typedef TvPluginResult(TV_PLUGIN_CALL* TvEncBeginConversionFn)(TvPluginInstance instance,
                                                               TvConversionInfo* conversion);
typedef TvPluginResult(TV_PLUGIN_CALL* TvEncEncodeBlockFn)(TvPluginInstance instance,
                                                           TvAudioBlock* block);
// writeTags: set to 0 by the host first; non-zero asks the host to write the tags itself.
typedef TvPluginResult(TV_PLUGIN_CALL* TvEncEndConversionFn)(TvPluginInstance instance,
                                                             TvConversionInfo* conversion,
                                                             INT32* writeTags);

// DSP effect
typedef TvPluginResult(TV_PLUGIN_CALL* TvDspBeginConversionFn)(TvPluginInstance instance,
                                                               TvConversionInfo* conversion,
                                                               const WCHAR* settings);
typedef TvPluginResult(TV_PLUGIN_CALL* TvDspPassAudioBlockFn)(TvPluginInstance instance,
                                                              TvAudioBlock* block);
// Processes the raw PCM file in place and updates the description.
typedef TvPluginResult(TV_PLUGIN_CALL* TvDspPassNonLiveFn)(TvPluginInstance instance,
                                                           const WCHAR* pcmPath,
                                                           TvAudioDescription* description,
                                                           const WCHAR* settings,
                                                           const WCHAR* quitEventName);
typedef TvPluginResult(TV_PLUGIN_CALL* TvDspEndConversionFn)(TvPluginInstance instance,
                                                             TvConversionInfo* conversion);
typedef TvPluginResult(TV_PLUGIN_CALL* TvDspAfterConversionFn)(TvPluginInstance instance,
                                                               TvConversionInfo* conversion);

// ---------------------------------------------------------------------------
// Layout pins
// ---------------------------------------------------------------------------
#include <cstddef>
#define TV_PIN(type, field, at) static_assert(offsetof(type, field) == (at), #type "::" #field)

static_assert(sizeof(WAVEFORMATEXTENSIBLE) == 40, "wave format space");
static_assert(sizeof(TvPluginReportHandles) == 3 * sizeof(void*), "three handles");
TV_PIN(TvAudioDescription, format, 0);
TV_PIN(TvAudioDescription, bitRate, 40);
TV_PIN(TvAudioDescription, lengthMs, 44);
TV_PIN(TvAudioDescription, sourceBytes, 52);
static_assert(sizeof(TvAudioDescription) == 60, "TvAudioDescription");

#ifdef _WIN64
static_assert(sizeof(TvPluginInstance) == 8, "instance is pointer-sized");
TV_PIN(TvSettingValue, index, 0);
TV_PIN(TvSettingValue, number, 4);
TV_PIN(TvSettingValue, reserved, 8);
TV_PIN(TvSettingValue, text, 24);
TV_PIN(TvSettingValue, text2, 32);
TV_PIN(TvSettingValue, text3, 40);
TV_PIN(TvSettingValue, data, 48);
static_assert(sizeof(TvSettingValue) == 56, "TvSettingValue");

TV_PIN(TvStreamInfo, sourcePath, 0);
TV_PIN(TvStreamInfo, openFlags, 8);
TV_PIN(TvStreamInfo, description, 12);
TV_PIN(TvStreamInfo, description.bitRate, 52);
TV_PIN(TvStreamInfo, description.lengthMs, 56);
TV_PIN(TvStreamInfo, description.sourceBytes, 64);
TV_PIN(TvStreamInfo, tagBlock, 80);
TV_PIN(TvStreamInfo, tagBlockSize, 88);
TV_PIN(TvStreamInfo, propertyBlock, 92);
TV_PIN(TvStreamInfo, propertyBlockSize, 100);
static_assert(sizeof(TvStreamInfo) == 128, "TvStreamInfo");

TV_PIN(TvAudioBlock, data, 0);
TV_PIN(TvAudioBlock, dataSize, 8);
TV_PIN(TvAudioBlock, format, 12);
TV_PIN(TvAudioBlock, bitRate, 52);
TV_PIN(TvAudioBlock, durationMs, 56);
TV_PIN(TvAudioBlock, positionMs, 80);
TV_PIN(TvAudioBlock, lastBlock, 88);
TV_PIN(TvAudioBlock, actionText, 104);
static_assert(sizeof(TvAudioBlock) == 120, "TvAudioBlock");

TV_PIN(TvConversionInfo, sourcePath, 0);
TV_PIN(TvConversionInfo, outputPath, 8);
TV_PIN(TvConversionInfo, codecCommandLine, 16);
TV_PIN(TvConversionInfo, description, 24);
TV_PIN(TvConversionInfo, tagBlock, 32);
TV_PIN(TvConversionInfo, tagBlockSize, 40);
TV_PIN(TvConversionInfo, propertyBlock, 48);
TV_PIN(TvConversionInfo, propertyBlockSize, 56);
TV_PIN(TvConversionInfo, errorFlag, 60);
static_assert(sizeof(TvConversionInfo) == 64, "TvConversionInfo");
#else
static_assert(sizeof(TvPluginInstance) == 4, "instance is pointer-sized");
TV_PIN(TvSettingValue, index, 0);
TV_PIN(TvSettingValue, number, 4);
TV_PIN(TvSettingValue, reserved, 8);
TV_PIN(TvSettingValue, text, 24);
TV_PIN(TvSettingValue, text2, 28);
TV_PIN(TvSettingValue, text3, 32);
TV_PIN(TvSettingValue, data, 36);
static_assert(sizeof(TvSettingValue) == 40, "TvSettingValue");

TV_PIN(TvStreamInfo, sourcePath, 0);
TV_PIN(TvStreamInfo, openFlags, 4);
TV_PIN(TvStreamInfo, description, 8);
TV_PIN(TvStreamInfo, description.bitRate, 48);
TV_PIN(TvStreamInfo, description.lengthMs, 52);
TV_PIN(TvStreamInfo, description.sourceBytes, 60);
TV_PIN(TvStreamInfo, reserved1, 68);
TV_PIN(TvStreamInfo, tagBlock, 76);
TV_PIN(TvStreamInfo, tagBlockSize, 80);
TV_PIN(TvStreamInfo, propertyBlock, 84);
TV_PIN(TvStreamInfo, propertyBlockSize, 88);
TV_PIN(TvStreamInfo, reserved2, 92);
static_assert(sizeof(TvStreamInfo) == 108, "TvStreamInfo");

TV_PIN(TvAudioBlock, data, 0);
TV_PIN(TvAudioBlock, dataSize, 4);
TV_PIN(TvAudioBlock, format, 8);
TV_PIN(TvAudioBlock, bitRate, 48);
TV_PIN(TvAudioBlock, durationMs, 52);
TV_PIN(TvAudioBlock, reserved1, 60);
TV_PIN(TvAudioBlock, positionMs, 76);
TV_PIN(TvAudioBlock, lastBlock, 84);
TV_PIN(TvAudioBlock, reserved2, 85);
TV_PIN(TvAudioBlock, actionText, 96);
TV_PIN(TvAudioBlock, reserved3, 100);
static_assert(sizeof(TvAudioBlock) == 104, "TvAudioBlock");

TV_PIN(TvConversionInfo, sourcePath, 0);
TV_PIN(TvConversionInfo, outputPath, 4);
TV_PIN(TvConversionInfo, codecCommandLine, 8);
TV_PIN(TvConversionInfo, description, 12);
TV_PIN(TvConversionInfo, tagBlock, 16);
TV_PIN(TvConversionInfo, tagBlockSize, 20);
TV_PIN(TvConversionInfo, propertyBlock, 24);
TV_PIN(TvConversionInfo, propertyBlockSize, 28);
TV_PIN(TvConversionInfo, errorFlag, 32);
static_assert(sizeof(TvConversionInfo) == 36, "TvConversionInfo");
#endif

#undef TV_PIN
