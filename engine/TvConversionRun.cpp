#include "TvConversionRun.h"

#include "IDTagWriter.h"
#include "TvCommunicate.h"
#include "TvCrashGuard.h"
#include "TvFileSystem.h"
#include "TvPath.h"
#include "TvProgress.h"
#include "TvRegionalSettings.h"
#include "TvRendermill.h"
#include "TvTrace.h"
#include "clTvDSP.h"

namespace {

const char kRunFunction[] = "TvRendermill::TvRendermill";
const char kPriorityFunction[] = "TvRendermill::SetConversionPriority";
const char kCloseFunction[] = "TvRendermill::CloseDecoder";

const wchar_t kBanner[] = L"Rendermill - Tonvera audio conversion engine";

void Pause(const tv::clPauseTable& pauses) {
  const int ms = pauses.PauseMs();
  if (ms >= 0) Sleep(DWORD(ms));
}

}  // namespace

clConversionRun::clConversionRun(TvRendermill& engine)
    : engine_(engine),
      handles_(&engine.MessageHandles()),
      parent_(engine.ParentMessages()),
      standardInput_(engine.IsStandardInputSource()),
      stream_(),
      info_() {}

clConversionRun::~clConversionRun() = default;

bool clConversionRun::Failed() const { return engine_.ErrorFlag() != 0; }
void clConversionRun::Fail() { engine_.RaiseErrorFlag(); }
void clConversionRun::Console(const std::wstring& text, bool lineEnd) { parent_.ConsoleText(text, lineEnd); }
void clConversionRun::TraceLine(const std::wstring& text) { tv::Trace(text, handles_); }
std::wstring clConversionRun::DspFolder() const { return tv::FolderOfModule(nullptr) + L"DSPs\\"; }

void clConversionRun::KeepAlive() {
  watchdog_.Signal();
  engine_.FlushMessages();
}

bool clConversionRun::QuitRequested() { return tv::QuitRequested(engine_.QuitEvent()); }
void clConversionRun::SendAction(const std::wstring& text) { parent_.SendTvxMessage(text); }

void clConversionRun::CountRenderedBytes(uint64_t bytes) {
  tv::WriteRenderByteCounter(engine_.SharedByteCounter(), static_cast<uint32_t>(bytes));
}

TvConversionInfo* clConversionRun::ConversionInfo() {
  info_.errorFlag = engine_.ErrorFlag();  // plug-ins see the flag as it stands
  return &info_;
}

void clConversionRun::Execute() {
  // Plug-ins run only inside this call: a fault in one still ends the run
  // with an error line and without a temporary output left behind.
  const clCrashGuardScope crashGuard(engine_.ErrorOutput(), engine_.IsCommandFileMode());

  Console(L"");
  Console(kBanner);
  Console(L"");
  watchdog_.Start(engine_.WatchdogEvent());

  handler_.reset(new clTvCodecHandler());
  decoder_.reset(new clTvDecoder());
  Console(L"Encoding: " + engine_.CodecName());
  Console(L"Audio Source: " + (standardInput_ ? std::wstring(L"Standard Input") : engine_.SourcePath()));
  Console(L"Audio Destination: " + engine_.DestinationPath());
  if (!engine_.DspEffects().empty()) {
    std::wstring names;
    for (const TvDspEffectEntry& entry : engine_.DspEffects()) names += (names.empty() ? L"" : L", ") + entry.name;
    Console(L"DSP Effects: " + names);
  }
  parent_.ShowProgressScale();

  if (LoadCodecs()) {
    if (encoder_->GetSendRawUnCompressed(engine_.SourcePath().c_str(), codecCommandLine_.c_str(),
                                         engine_.DestinationPath().c_str()) != 0) {
      RunRawPassThrough();
    } else {
      LoadDspEffects();
      Convert();
      for (TvDspEffectEntry& entry : engine_.DspEffects()) entry.wrapper.reset();  // libraries unloaded
    }
  }

  engine_.FlushMessages();
  renderer_.Discard();
  // The parent tells failure by error lines alone: a failure that brought
  // none with it (a plug-in refusing a call silently, a quit request) gets one.
  if (Failed() && !parent_.Failed()) {
    tv::ReportError(QuitRequested() ? L"Error: Conversion stopped on request." : L"Error: Conversion failed.",
                    handles_);
    engine_.FlushMessages();
  }

  std::wstring completion;
  if (elapsedMeasured_ && elapsedMs_ != 0) {
    completion = tv::CompletionText(elapsedMs_, speed_, tv::LoadRegionalSettings());
    TraceLine(completion);
  }
  Console(Failed() ? std::wstring(L"Conversion Failed.") : completion);

  engine_.FlushMessages();
  decoder_.reset();
  handler_.reset();
  encoder_.reset();
  watchdog_.Stop();
  destination_.DiscardTemporary();  // only a failed run still has one
}

bool clConversionRun::LoadCodecs() {
  const int32_t batchId = engine_.BatchId();
  if (!standardInput_) {
    if (!handler_->FindDecoder(engine_.SourcePath(), *decoder_, handles_)) {
      tv::ReportError(L"Error: Unable to load decoder for file type '" + tv::PathExtension(engine_.SourcePath()) +
                          L"', codec not installed? visit 'Codexhub'.",
                      handles_);
      Fail();
      return false;
    }
    if (batchId != 0) decoder_->SetBatchID(batchId);
  }
  encoder_.reset(new clTvEncoder());
  if (!handler_->LoadEncoder(engine_.CodecName(), *encoder_, handles_)) {
    tv::ReportError(L"Error: Unable to load encoder '" + engine_.CodecName() + L"'.", handles_);
    Fail();
    return false;
  }
  if (batchId != 0) encoder_->SetBatchID(batchId);
  codecCommandLine_ = engine_.StripRendermillCmds();
  return true;
}

void clConversionRun::RunRawPassThrough() {
  if (!OpenDecoder(TV_OPEN_INSPECT)) return;
  SetConversionPriority();
  tags_.Build(engine_, stream_.tagBlock, stream_.tagBlockSize);
  if (!CloseDecoder()) Fail();

  // The encoder reads the source itself, but it still writes a temporary file
  // when the destination exists: a failure must not cost the old file.
  destination_.Prepare(engine_.DestinationPath());
  writePath_ = destination_.WritePath();
  info_.sourcePath = stream_.sourcePath;
  info_.outputPath = writePath_.c_str();
  info_.codecCommandLine = codecCommandLine_.c_str();
  info_.description = &stream_.description;
  info_.tagBlock = static_cast<const BYTE*>(tags_.BlockData());
  info_.tagBlockSize = tags_.BlockSize();
  info_.propertyBlock = stream_.propertyBlock;
  info_.propertyBlockSize = stream_.propertyBlockSize;
  if (!encoder_->BeginConversion(ConversionInfo())) Fail();

  // Nothing more is asked of this encoder; its instance goes now so that its
  // output is closed before it replaces the destination.
  encoder_->DestroyInstance();
  engine_.FlushMessages();
  const bool succeeded = !Failed() && !QuitRequested();
  if (!destination_.Finish(succeeded, handles_) && succeeded) Fail();
}

void clConversionRun::LoadDspEffects() {
  std::vector<TvDspEffectEntry>& effects = engine_.DspEffects();
  const int32_t batchId = engine_.BatchId();
  for (size_t i = effects.size(); i-- > 0;) {
    TvDspEffectEntry& entry = effects[i];
    entry.wrapper = std::make_shared<clTvDSP>();  // stays unloaded when the effect cannot be had
    entry.live = false;
    const std::wstring path = DspFolder() + entry.name + L".dll";
    clTvDSP scratch;
    // An effect name is a file name inside the DSP folder, never a path.
    if (!clTvCodecHandler::IsPlainCodecName(entry.name) || !scratch.Load(path.c_str()) || !scratch.Create(handles_)) {
      tv::ReportError(L"Error: Unable to load DSP effect '" + entry.name + L"'.", handles_);
      continue;
    }
    entry.live = scratch.GetIsLive(entry.settings.c_str()) != 0;
    if (!entry.wrapper->Load(path.c_str()) || !entry.wrapper->Create(handles_)) {
      effects.erase(effects.begin() + std::ptrdiff_t(i));
      continue;
    }
    if (batchId != 0) entry.wrapper->SetBatchID(batchId);
  }
}

bool clConversionRun::OpenDecoder(int openFlags) {
  stream_ = TvStreamInfo();
  bool opened = false;
  if (standardInput_) {
    stdInput_.reset(new clStdInputSource());
    opened = stdInput_->Open(engine_, stream_, handles_);
  } else {
    sourcePath_ = engine_.SourcePath();
    stream_.sourcePath = sourcePath_.c_str();
    stream_.openFlags = openFlags;
    opened = decoder_->Open(&stream_) != 0;
    stream_.sourcePath = sourcePath_.c_str();  // the record's path is ours, whatever the plug-in did
  }
  decoderOpen_ = opened;
  if (!opened) {
    Fail();
    engine_.FlushMessages();
    if (!parent_.Failed()) tv::ReportError(L"Error: Unable to open '" + engine_.SourcePath() + L"'.", handles_);
  }
  return opened;
}

bool clConversionRun::CloseDecoder() {
  if (standardInput_) {
    clTraceScope scope(handles_, kCloseFunction);
    if (stdInput_) stdInput_->Close();
    decoderOpen_ = false;
    return true;
  }
  decoderOpen_ = false;
  return decoder_->Close(ConversionInfo()) != 0;
}

void clConversionRun::SetConversionPriority() {
  std::wstring value;
  if (!engine_.GetOption(L"priority", value) || value.empty()) return;
  tv::Trace(L"Setting Priority: " + value, handles_, kPriorityFunction);
  int threadPriority = THREAD_PRIORITY_NORMAL;
  DWORD priorityClass = NORMAL_PRIORITY_CLASS;
  switch (tv::PriorityFromOption(value)) {
    case tv::ConversionPriority::Low:
      threadPriority = THREAD_PRIORITY_BELOW_NORMAL;
      break;
    case tv::ConversionPriority::Idle:
      threadPriority = THREAD_PRIORITY_IDLE;
      priorityClass = IDLE_PRIORITY_CLASS;
      break;
    case tv::ConversionPriority::High:
      threadPriority = THREAD_PRIORITY_ABOVE_NORMAL;
      break;
    case tv::ConversionPriority::Normal:
      break;
  }
  SetThreadPriority(GetCurrentThread(), threadPriority);
  SetPriorityClass(GetCurrentProcess(), priorityClass);
  encoder_->SetPriority(value.c_str());
}

void clConversionRun::Relay(const wchar_t* hook) {
  TvRelayCommunicate(hook, standardInput_ ? nullptr : decoder_.get(), encoder_.get(), !Failed(), handles_);
}

void clConversionRun::Convert() {
  Relay(TV_HOOK_BEFORE_OPEN);
  if (!standardInput_ && encoder_->GetNeedHQAudio(codecCommandLine_.c_str()) != 0)
    decoder_->SetDecodeAsHighestQuality();
  if (!OpenDecoder(TV_OPEN_CONVERT)) return;
  SetConversionPriority();

  const std::wstring& destination = engine_.DestinationPath();
  destination_.Prepare(destination);
  writePath_ = destination_.WritePath();
  tags_.Build(engine_, stream_.tagBlock, stream_.tagBlockSize);

  info_.sourcePath = stream_.sourcePath;
  info_.outputPath = writePath_.c_str();
  info_.codecCommandLine = codecCommandLine_.c_str();
  info_.description = &stream_.description;
  info_.tagBlock = static_cast<const BYTE*>(tags_.BlockData());
  info_.tagBlockSize = tags_.BlockSize();
  info_.propertyBlock = stream_.propertyBlock;
  info_.propertyBlockSize = stream_.propertyBlockSize;
  info_.errorFlag = engine_.ErrorFlag();

  std::vector<TvDspEffectEntry>& effects = engine_.DspEffects();
  if (!renderer_.HandleNonLiveDSPs(effects, stream_.description, engine_.QuitEventName(), *this, handles_)) Fail();

  SendAction(tv::EncodingAction(destination));
  for (TvDspEffectEntry& entry : effects) {
    if (entry.active && entry.live && !entry.wrapper->BeginConversion(ConversionInfo(), entry.settings.c_str()))
      Fail();
  }
  if (!encoder_->BeginConversion(ConversionInfo())) {
    Fail();
    destination_.Finish(false, handles_);
    return;
  }

  Relay(TV_HOOK_BEFORE_ENCODING);
  TraceLine(L"Encoding To: " + engine_.CodecName());
  TraceLine(L"Encoder Cmd Line: " + codecCommandLine_);
  if (!effects.empty()) {
    TraceLine(L"DSP Effects:");
    for (const TvDspEffectEntry& entry : effects)
      TraceLine(L"    " + entry.name + (entry.live ? L"" : L" (non-live)") + L": " + entry.settings);
  }
  TraceLine(L"");

  const ULONGLONG start = GetTickCount64();
  TraceLine(L"============= CONVERSION BEGIN =============");
  if (!Failed()) BlockLoop();
  TraceLine(L"============= CONVERSION END =============");
  elapsedMs_ = int64_t(GetTickCount64() - start);
  elapsedMeasured_ = true;

  Relay(TV_HOOK_END_ENCODING);
  parent_.EndProgressLine();
  engine_.FlushMessages();
  speed_ = tv::RealtimeSpeed(stream_.description.lengthMs, elapsedMs_);

  if (!CloseDecoder()) Fail();
  if (QuitRequested()) Fail();
  for (TvDspEffectEntry& entry : effects) {
    if (entry.live && !entry.wrapper->EndConversion(ConversionInfo())) Fail();
  }
  encoderWritesTags_ = 0;
  if (!encoder_->EndConversion(ConversionInfo(), &encoderWritesTags_)) Fail();
  if (!engine_.WritesTags() || destination_.IsIgnored()) encoderWritesTags_ = 0;

  FinishFile();

  Relay(TV_HOOK_AFTER_CONVERSION);
  for (TvDspEffectEntry& entry : effects) {
    if (!entry.wrapper->AfterConversion(ConversionInfo())) Fail();
  }
}

bool clConversionRun::DecodeAudioBlock(TvAudioBlock& block) {
  if (renderer_.Rendered()) return renderer_.Source().NextBlock(block, byteTotal_);
  if (standardInput_) return stdInput_ && stdInput_->NextBlock(block, byteTotal_);
  return decoder_->DecodeBlock(&block) != 0;
}

void clConversionRun::BlockLoop() {
  std::vector<TvDspEffectEntry>& effects = engine_.DspEffects();
  tv::clPauseTable pauses;
  while (!QuitRequested()) {
    watchdog_.Signal();
    engine_.FlushMessages();

    TvAudioBlock block = {};
    if (!DecodeAudioBlock(block)) {
      Fail();
      break;
    }
    if (block.actionText) parent_.ShowInputAction(block.actionText);

    int32_t size = block.data && block.dataSize > 0 ? block.dataSize : 0;
    const bool last = block.lastBlock != 0;
    if (size > 0 || last) {
      const tv::SampleCheck samples = tv::CheckWholeSamples(size, block.format.Format.nBlockAlign, last);
      if (samples == tv::SampleCheck::MidStream) {
        tv::ReportError(L"Error: Audio data contains incomplete samples mid-stream.", handles_);
        Fail();
        break;
      }
      if (samples == tv::SampleCheck::CutAtEnd) {
        block.dataSize = size;
        tv::ReportInformation(L"Information: Audio data contains incomplete samples at end.", handles_,
                              kRunFunction);
      }

      parent_.ReportProgress(tv::PercentDone(block.positionMs, stream_.description.lengthMs));

      block.actionText = nullptr;
      bool effectFailed = false;
      for (TvDspEffectEntry& entry : effects) {
        if (entry.active && entry.live && !entry.wrapper->PassAudioBlock(&block)) effectFailed = true;
      }
      if (effectFailed) {
        Fail();
        break;
      }
      if (!encoder_->EncodeBlock(&block)) {
        Fail();
        break;
      }
      if (block.actionText) parent_.ShowOutputAction(block.actionText);

      byteTotal_ += uint64_t(size);
      tv::WriteByteCounter(engine_.SharedByteCounter(), byteTotal_);
      pauses.AfterAudio();
    } else {
      pauses.AfterEmptyBlock();
    }
    Pause(pauses);
    if (last || Failed()) break;
  }
}

void clConversionRun::FinishFile() {
  // Errors the plug-ins reported while finishing must count before the
  // output may replace anything.
  engine_.FlushMessages();
  const bool succeeded = !Failed() && !QuitRequested();
  if (!destination_.Finish(succeeded, handles_)) {
    if (succeeded) Fail();
    return;
  }
  writePath_ = destination_.Destination();
  info_.outputPath = writePath_.c_str();

  if (encoderWritesTags_ != 0 && !Failed()) {
    const std::wstring& destination = engine_.DestinationPath();
    SendAction(tv::WritingTagsAction(destination));
    clParentMessages& parent = parent_;
    const tv::ConsoleWriter console = [&parent](const std::wstring& text, bool lineEnd) {
      parent.ConsoleText(text, lineEnd);
    };
    if (!tv::IDTagWriter(destination, tags_.BlockData(), tags_.BlockSize(), handles_, console)) Fail();
  }
}
