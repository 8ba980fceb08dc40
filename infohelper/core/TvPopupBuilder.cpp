#include "TvPopupBuilder.h"

#include "TvFileTypeText.h"
#include "TvPluginApi.h"
#include "TvPluginGuard.h"
#include "TvPopupLabelGdi.h"
#include "TvRegionalSettings.h"
#include "TvRegistry.h"
#include "TvTagBlock.h"
#include "TvTrace.h"
#include "TvUnitSettings.h"
#include "clTvCodecHandler.h"
#include "clTvDecoder.h"
#include "clWaveFormat.h"

namespace tv {

PopupSettings ReadPopupSettings() {
  const RegLocation root = Settings();
  return MakePopupSettings(RegReadDword(root, kPopupMaxLen), RegReadString(root, kPopupAllowed),
                           RegReadString(root, kPopupExclude));
}

namespace {

std::vector<std::wstring> SplitAtCarriageReturns(const std::wstring& text) {
  std::vector<std::wstring> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t cr = text.find(L'\r', start);
    std::wstring item = text.substr(start, cr == std::wstring::npos ? std::wstring::npos : cr - start);
    if (!item.empty()) items.push_back(item);
    if (cr == std::wstring::npos) break;
    start = cr + 1;
  }
  return items;
}

// Reads a block the decoder returned; clTvDecoder::Open has already dropped
// one that cannot be read whole.
std::vector<clTagElement> BlockElements(const BYTE* block, INT32 size) {
  std::vector<clTagElement> elements;
  if (block && size > 0 && IsReadableBlock(block, size)) ReadTagBlock(block, size, elements);
  return elements;
}

}  // namespace

bool BuildPopupText(const std::wstring& path, std::wstring& text, HMODULE module, clPopupLabeler* labeler) {
  text.clear();
  TvMessageHandles handles = {};
  clTvCodecHandler codecs;
  clTvDecoder decoder;
  if (!codecs.FindDecoder(path, decoder, &handles, module)) return false;

  PopupFacts facts;
  facts.path = path;
  facts.typeText = FileTypeText(path);

  TvStreamInfo stream = {};
  stream.sourcePath = path.c_str();
  stream.openFlags = TV_OPEN_INSPECT;
  if (decoder.Open(&stream)) {
    facts.opened = true;
    clWaveFormat format;
    format.Set(&stream.description.format, sizeof stream.description.format);
    facts.channels = format.Channels();
    facts.sampleRate = format.SamplesPerSec();
    facts.bitsPerSample = format.BitsPerSample();
    facts.floatingPoint = format.EffectiveFormatTag() == kWaveFormatIeeeFloat;
    facts.averageBytesPerSecond = format.BytesPerSec();
    facts.bitRate = stream.description.bitRate;
    facts.lengthMs = stream.description.lengthMs;
    facts.fileSize = stream.description.sourceBytes;
    facts.tags = BlockElements(stream.tagBlock, stream.tagBlockSize);
    facts.properties = BlockElements(stream.propertyBlock, stream.propertyBlockSize);
    TvSettingTexts defaults = decoder.GetPropertyElements(true);
    if (defaults.result && defaults.hasText) facts.defaultElements = SplitAtCarriageReturns(defaults.text);
  }

  clGdiPopupLabeler gdiLabeler;
  text = ComposePopupText(facts, ReadPopupSettings(), ReadUnitSettings(), LoadRegionalSettings(),
                          labeler ? *labeler : gdiLabeler);
  return true;
}

}  // namespace tv
