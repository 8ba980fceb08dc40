#include "WaveEncoder.h"

#include "ContractRecords.h"
#include "EncoderOptions.h"
#include "Samples.h"
#include "StoredSettings.h"
#include "TextCodec.h"

namespace tvw {

bool WaveEncoder::get(const std::u16string& key, TvSettingValue* v) {
  if (!v) return false;
  if (key == u"Extension") {
    reply_ = u".wav";
    v->text = wideText(reply_);
    return true;
  }
  // Lossless output: ask the decoder for its best.
  if (key == u"NeedHQAudio") return true;
  if (key == u"Options") {
    const auto& table = encoderOptionTable();
    if (v->index < 0 || std::size_t(v->index) >= table.size()) return false;
    const EncoderOption& option = table[std::size_t(v->index)];
    if (v->number < 0 || std::size_t(v->number) >= option.entries.size()) return false;
    reply_ = u16(option.label);
    reply2_ = u16(option.link);
    reply3_ = u16(option.entries[std::size_t(v->number)]);
    v->text = wideText(reply_);
    v->text2 = wideText(reply2_);
    v->text3 = wideText(reply3_);
    return true;
  }
  return false;  // "SendRawUnCompressed", "Options", "Communicate": no
}

bool WaveEncoder::set(const std::u16string& key, TvSettingValue*) {
  return key == u"BatchID" || key == u"Priority" || key == u"CommunicateResult";
}

bool WaveEncoder::begin(TvConversionInfo* c) {
  writer_.reset();
  if (!c || !c->outputPath || !c->description) {
    report_.error(L"Error: WAVE encoder: the conversion names no output file or format.", "WAVE::ENC_BeginConversion");
    return false;
  }
  path_ = c->outputPath;
  input_ = loadFormat(c->description->format);
  std::string reason;
  if (!validateFormat(input_, reason)) {
    report_.error(L"Error: WAVE encoder: the audio cannot be written: " + widen(reason) + L".",
                  "WAVE::ENC_BeginConversion");
    return false;
  }
  StoredEncoderChoices stored;
  stored.bitDepth = readStoredIndex(encoderOptionTable()[0].link);
  stored.header = readStoredIndex(encoderOptionTable()[1].link);
  if (!chooseOutputFormat(toU16(c->codecCommandLine), input_, output_, reason, stored)) {
    report_.error(L"Error: WAVE encoder: " + widen(reason) + L".", "WAVE::ENC_BeginConversion");
    return false;
  }
  if (!sink_.create(path_)) {
    report_.error(L"Error: WAVE encoder: unable to create '" + path_ + L"': " + lastErrorText() + L".",
                  "WAVE::ENC_BeginConversion");
    return false;
  }
  writer_.reset(new WaveStreamWriter(sink_));
  if (!writer_->begin(output_)) {
    report_.error(L"Error: WAVE encoder: writing '" + path_ + L"' failed (disk full?).", "WAVE::ENC_BeginConversion");
    writer_.reset();
    return false;
  }
  return true;
}

bool WaveEncoder::encodeBlock(TvAudioBlock* b) {
  if (!writer_) {
    report_.error(L"Error: WAVE encoder: a block came before the conversion began.", "WAVE::ENC_EncodeBlock");
    return false;
  }
  if (!b || b->dataSize <= 0 || !b->data) return true;  // nothing to write
  WaveFormat f = loadFormat(b->format);
  if (f.blockAlign == 0) f = input_;  // a block without its own format keeps the stream's
  SampleType from = f.sampleType();
  if (from == SampleType::Unsupported || f.channels != output_.channels || f.sampleRate != output_.sampleRate) {
    report_.error(L"Error: WAVE encoder: the audio format changed in the middle of the stream.",
                  "WAVE::ENC_EncodeBlock");
    return false;
  }
  std::size_t n = std::size_t(b->dataSize);
  if (n % f.blockAlign != 0) {
    report_.error(L"Error: WAVE encoder: a block holds an incomplete sample frame.", "WAVE::ENC_EncodeBlock");
    return false;
  }
  SampleType to = output_.sampleType();
  const void* out = b->data;
  std::size_t outBytes = n;
  if (from != to) {
    std::size_t samples = n / sampleBytes(from);
    converted_.resize(samples * sampleBytes(to));
    convertSamples(b->data, from, converted_.data(), to, samples);
    out = converted_.data();
    outBytes = converted_.size();
  }
  if (!writer_->writeAudio(out, outBytes)) {
    report_.error(L"Error: WAVE encoder: writing '" + path_ + L"' failed (disk full?).", "WAVE::ENC_EncodeBlock");
    return false;
  }
  return true;
}

bool WaveEncoder::end(TvConversionInfo*, INT32* writeTags) {
  if (writeTags) *writeTags = 0;
  if (!writer_) {
    report_.error(L"Error: WAVE encoder: the conversion ended before it began.", "WAVE::ENC_EndConversion");
    return false;
  }
  bool ok = writer_->finish();
  ok = sink_.close() && ok;
  writer_.reset();
  if (!ok) {
    report_.error(L"Error: WAVE encoder: finishing '" + path_ + L"' failed (disk full?).", "WAVE::ENC_EndConversion");
    return false;
  }
  // The tags go in through the decoder's tag writer, which the host runs
  // once the file is in its final place.
  if (writeTags) *writeTags = 1;
  return true;
}

}  // namespace tvw
