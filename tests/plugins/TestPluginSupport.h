// Shared machinery of the test plug-ins: run-time knobs read from the
// environment, a call log, report lines, and the deliberately broken answers
// a misbehaving plug-in gives. See README.md for every knob.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "TvPluginApi.h"

namespace tvtest {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
// A copy of a possibly null text.
std::wstring Text(const WCHAR* text);
std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
long long ToNumber(const std::wstring& text, long long fallback);

// The knobs of one plug-in instance, read once at Create from the
// environment variables "<prefix><NAME>" (prefix such as "TVTEST_DEC_").
class clKnobs {
 public:
  explicit clKnobs(const std::wstring& prefix);
  virtual ~clKnobs() = default;
  virtual std::wstring Value(const wchar_t* name, const std::wstring& fallback = L"") const;
  virtual long long Number(const wchar_t* name, long long fallback) const;
  virtual bool Flag(const wchar_t* name) const;
  // True when the comma list knob `name` holds `call` or "<call>:<key>".
  virtual bool ListHas(const wchar_t* name, const std::wstring& call, const WCHAR* key = nullptr) const;
  virtual bool Misbehaves(const wchar_t* mode) const;

 private:
  std::wstring prefix_;
};

// The per-instance behaviour every test plug-in shares.
class clTestPlugin {
 public:
  clTestPlugin(const std::wstring& envPrefix, const std::wstring& defaultName, const TvMessageHandles* handles);
  virtual ~clTestPlugin();

  // Logs the call, then sleeps, reports and tells whether it must fail, as the
  // knobs SLEEP_CALL/SLEEP_MS, INFO, ERROR and FAIL ask.
  virtual bool Enter(const std::wstring& call, const WCHAR* key, const std::wstring& details);
  virtual void Log(const std::wstring& line);
  virtual void ReportError(const std::wstring& text);
  virtual void ReportInformation(const std::wstring& text);

  // Answers Get "Communicate" from the COMMUNICATE knob; false when the list
  // for this hook has ended.
  virtual bool NextCommunicateRequest(TvSettingValue* value);
  virtual void TakeCommunicateResult(const TvSettingValue* value);

  // Stores a text for the plug-in's lifetime and returns it, or, when
  // misbehaving, a null, unterminated or unreadable pointer instead.
  virtual const WCHAR* Answer(const std::wstring& text);
  // Sets the action text of a block from the ACTION knob.
  virtual void SetActionText(TvAudioBlock* block);
  // A few bytes followed by memory that may not be read.
  virtual BYTE* EdgeOfReadable(size_t bytes);
  virtual BYTE* Unreadable();

  const clKnobs& Knobs() const { return knobs_; }
  const std::wstring& Name() const { return name_; }
  const TvMessageHandles* Handles() const { return handles_; }

 private:
  const WCHAR* UnterminatedText();

  clKnobs knobs_;
  std::wstring name_;
  const TvMessageHandles* handles_;
  std::vector<std::wstring*> answers_;
  BYTE* trap_ = nullptr;  // one readable page followed by one reserved page
  size_t pageSize_ = 4096;
  struct Request {
    std::wstring hook, target, verb, setting, value;
  };
  std::vector<Request> requests_;
  TvSettingValue targetRecord_ = {};
  std::wstring requestValue_;
};

// Tag block helpers (the suite's flat tag list form).
struct TagElement {
  std::wstring name;
  std::wstring value;
  std::vector<BYTE> data;
};
std::vector<BYTE> BuildTagBlock(const std::vector<TagElement>& elements);
std::vector<TagElement> ParseTagBlock(const BYTE* block, size_t size);
// "NAME=VALUE|NAME=VALUE" -> elements.
std::vector<TagElement> ParseTagList(const std::wstring& text);

bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes);
bool WriteWholeFile(const std::wstring& path, const BYTE* bytes, size_t size);

}  // namespace tvtest
