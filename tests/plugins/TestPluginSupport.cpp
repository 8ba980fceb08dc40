#include "TestPluginSupport.h"

#include <cwctype>

#include "TvTrace.h"

namespace tvtest {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::wstring Text(const WCHAR* text) { return text ? std::wstring(text) : std::wstring(); }

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  if (text.empty()) return parts;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
    if (at == std::wstring::npos) break;
    start = at + 1;
  }
  return parts;
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (towlower(a[i]) != towlower(b[i])) return false;
  }
  return true;
}

long long ToNumber(const std::wstring& text, long long fallback) {
  if (text.empty()) return fallback;
  wchar_t* end = nullptr;
  const long long n = wcstoll(text.c_str(), &end, 0);
  return end && *end == 0 ? n : fallback;
}

// ---------------------------------------------------------------------------

clKnobs::clKnobs(const std::wstring& prefix) : prefix_(prefix) {}

std::wstring clKnobs::Value(const wchar_t* name, const std::wstring& fallback) const {
  const std::wstring variable = prefix_ + name;
  wchar_t buffer[4096];
  const DWORD n = GetEnvironmentVariableW(variable.c_str(), buffer, 4096);
  if (n == 0 || n >= 4096) return fallback;
  return std::wstring(buffer, n);
}

long long clKnobs::Number(const wchar_t* name, long long fallback) const {
  return ToNumber(Value(name), fallback);
}

bool clKnobs::Flag(const wchar_t* name) const { return Number(name, 0) != 0; }

bool clKnobs::ListHas(const wchar_t* name, const std::wstring& call, const WCHAR* key) const {
  for (const std::wstring& item : Split(Value(name), L',')) {
    if (EqualsNoCase(item, call)) return true;
    if (key && EqualsNoCase(item, call + L":" + key)) return true;
  }
  return false;
}

bool clKnobs::Misbehaves(const wchar_t* mode) const { return ListHas(L"MISBEHAVE", mode); }

// ---------------------------------------------------------------------------

clTestPlugin::clTestPlugin(const std::wstring& envPrefix, const std::wstring& defaultName,
                           const TvMessageHandles* handles)
    : knobs_(envPrefix), name_(knobs_.Value(L"NAME", defaultName)), handles_(handles) {
  SYSTEM_INFO info = {};
  GetSystemInfo(&info);
  pageSize_ = info.dwPageSize;
  trap_ = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * pageSize_, MEM_RESERVE, PAGE_NOACCESS));
  if (trap_) VirtualAlloc(trap_, pageSize_, MEM_COMMIT, PAGE_READWRITE);

  // "<hook>:<target>,<verb>,<setting>[,<value>];..." ("*" as hook matches every hook)
  for (const std::wstring& item : Split(knobs_.Value(L"COMMUNICATE"), L';')) {
    const size_t colon = item.find(L':');
    if (colon == std::wstring::npos) continue;
    const std::vector<std::wstring> fields = Split(item.substr(colon + 1), L',');
    Request request;
    request.hook = item.substr(0, colon);
    if (fields.size() > 0) request.target = fields[0];
    if (fields.size() > 1) request.verb = fields[1];
    if (fields.size() > 2) request.setting = fields[2];
    if (fields.size() > 3) request.value = fields[3];
    requests_.push_back(request);
  }
}

clTestPlugin::~clTestPlugin() {
  for (std::wstring* text : answers_) delete text;
  if (trap_) VirtualFree(trap_, 0, MEM_RELEASE);
}

void clTestPlugin::Log(const std::wstring& line) {
  const std::wstring path = knobs_.Value(L"LOG");
  if (path.empty()) return;
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = ToUtf8(name_ + L" " + line) + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

bool clTestPlugin::Enter(const std::wstring& call, const WCHAR* key, const std::wstring& details) {
  std::wstring line = call;
  if (key) line += L" " + std::wstring(key);
  if (!details.empty()) line += L" " + details;
  Log(line);
  if (knobs_.ListHas(L"SLEEP_CALL", call, key)) Sleep(static_cast<DWORD>(knobs_.Number(L"SLEEP_MS", 0)));
  if (knobs_.ListHas(L"INFO", call, key)) ReportInformation(name_ + L": note from " + call);
  if (knobs_.ListHas(L"ERROR", call, key)) ReportError(knobs_.Value(L"ERROR_TEXT", name_ + L": error in " + call));
  if (knobs_.ListHas(L"CRASH", call, key)) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;  // an access violation inside the plug-in call, as a faulty plug-in makes
  }
  return !knobs_.ListHas(L"FAIL", call, key);
}

void clTestPlugin::ReportError(const std::wstring& text) { tv::ReportError(text, handles_); }

void clTestPlugin::ReportInformation(const std::wstring& text) { tv::ReportInformation(text, handles_); }

bool clTestPlugin::NextCommunicateRequest(TvSettingValue* value) {
  if (knobs_.Misbehaves(L"endless")) {
    value->text = L"Nobody";
    value->text2 = L"get";
    value->text3 = L"Extension";
    value->data = &targetRecord_;
    return true;
  }
  const std::wstring hook = Text(value->text);
  int wanted = value->index;
  for (const Request& request : requests_) {
    if (request.hook != L"*" && !EqualsNoCase(request.hook, hook)) continue;
    if (wanted-- > 0) continue;
    targetRecord_ = TvSettingValue{};
    requestValue_ = request.value;
    targetRecord_.text = requestValue_.c_str();
    targetRecord_.number = static_cast<INT32>(ToNumber(request.value, 0));
    value->text = request.target.c_str();
    value->text2 = request.verb.empty() ? nullptr : request.verb.c_str();
    value->text3 = request.setting.empty() ? nullptr : request.setting.c_str();
    value->data = &targetRecord_;
    if (knobs_.Misbehaves(L"badpointer")) value->data = Unreadable();
    return true;
  }
  return false;
}

void clTestPlugin::TakeCommunicateResult(const TvSettingValue* value) {
  Log(L"CommunicateResult index=" + std::to_wstring(value->index) + L" number=" + std::to_wstring(value->number) +
      L" got=" + Text(targetRecord_.text));
}

const WCHAR* clTestPlugin::Answer(const std::wstring& text) {
  if (knobs_.Misbehaves(L"nulltext")) return nullptr;
  if (knobs_.Misbehaves(L"unterminated")) return UnterminatedText();
  if (knobs_.Misbehaves(L"badpointer")) return reinterpret_cast<const WCHAR*>(Unreadable());
  answers_.push_back(new std::wstring(text));
  return answers_.back()->c_str();
}

void clTestPlugin::SetActionText(TvAudioBlock* block) {
  const std::wstring action = knobs_.Value(L"ACTION");
  if (knobs_.Misbehaves(L"unterminated")) block->actionText = UnterminatedText();
  else if (knobs_.Misbehaves(L"badpointer")) block->actionText = reinterpret_cast<const WCHAR*>(Unreadable());
  else if (!action.empty()) block->actionText = Answer(action);
}

BYTE* clTestPlugin::EdgeOfReadable(size_t bytes) {
  if (!trap_ || bytes > pageSize_) return nullptr;
  return trap_ + pageSize_ - bytes;
}

BYTE* clTestPlugin::Unreadable() { return trap_ ? trap_ + pageSize_ : nullptr; }

const WCHAR* clTestPlugin::UnterminatedText() {
  const size_t chars = 32;
  WCHAR* text = reinterpret_cast<WCHAR*>(EdgeOfReadable(chars * sizeof(WCHAR)));
  if (!text) return nullptr;
  for (size_t i = 0; i < chars; ++i) text[i] = L'X';
  return text;
}

// ---------------------------------------------------------------------------

std::vector<BYTE> BuildTagBlock(const std::vector<TagElement>& elements) {
  std::vector<BYTE> block(4, 0);
  const INT32 count = static_cast<INT32>(elements.size());
  memcpy(block.data(), &count, 4);
  for (const TagElement& element : elements) {
    const size_t nameBytes = 2 * (element.name.size() + 1), valueBytes = 2 * (element.value.size() + 1);
    const INT32 size = static_cast<INT32>(4 + nameBytes + valueBytes + element.data.size());
    const size_t at = block.size();
    block.resize(at + static_cast<size_t>(size), 0);
    memcpy(&block[at], &size, 4);
    memcpy(&block[at + 4], element.name.c_str(), nameBytes);
    memcpy(&block[at + 4 + nameBytes], element.value.c_str(), valueBytes);
    if (!element.data.empty()) memcpy(&block[at + 4 + nameBytes + valueBytes], element.data.data(), element.data.size());
  }
  return block;
}

std::vector<TagElement> ParseTagBlock(const BYTE* block, size_t size) {
  std::vector<TagElement> elements;
  if (!block || size < 4) return elements;
  INT32 count = 0;
  memcpy(&count, block, 4);
  size_t at = 4;
  for (INT32 i = 0; i < count && at + 4 <= size; ++i) {
    INT32 elementSize = 0;
    memcpy(&elementSize, block + at, 4);
    if (elementSize < 4 || static_cast<size_t>(elementSize) > size - at) break;
    const WCHAR* p = reinterpret_cast<const WCHAR*>(block + at + 4);
    const size_t chars = (static_cast<size_t>(elementSize) - 4) / 2;
    TagElement element;
    size_t c = 0;
    while (c < chars && p[c]) element.name += p[c++];
    ++c;
    while (c < chars && p[c]) element.value += p[c++];
    ++c;
    const size_t dataStart = 4 + 2 * c;
    if (dataStart < static_cast<size_t>(elementSize))
      element.data.assign(block + at + dataStart, block + at + static_cast<size_t>(elementSize));
    elements.push_back(element);
    at += static_cast<size_t>(elementSize);
  }
  return elements;
}

std::vector<TagElement> ParseTagList(const std::wstring& text) {
  std::vector<TagElement> elements;
  for (const std::wstring& item : Split(text, L'|')) {
    const size_t eq = item.find(L'=');
    if (eq == std::wstring::npos) elements.push_back({item, L"", {}});
    else elements.push_back({item.substr(0, eq), item.substr(eq + 1), {}});
  }
  return elements;
}

bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes) {
  bytes.clear();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

bool WriteWholeFile(const std::wstring& path, const BYTE* bytes, size_t size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = size == 0 || (WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size);
  CloseHandle(file);
  return ok;
}

}  // namespace tvtest
