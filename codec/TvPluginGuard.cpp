#include "TvPluginGuard.h"

#include <cstdint>

#include "TvTrace.h"

namespace tv {
namespace {

bool IsReadableProtection(DWORD protect) {
  if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
  const DWORD access = protect & 0xFF;
  return access == PAGE_READONLY || access == PAGE_READWRITE || access == PAGE_WRITECOPY ||
         access == PAGE_EXECUTE_READ || access == PAGE_EXECUTE_READWRITE ||
         access == PAGE_EXECUTE_WRITECOPY;
}

bool IsWritableProtection(DWORD protect) {
  if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
  const DWORD access = protect & 0xFF;
  return access == PAGE_READWRITE || access == PAGE_WRITECOPY ||
         access == PAGE_EXECUTE_READWRITE || access == PAGE_EXECUTE_WRITECOPY;
}

// End of the accessible region that contains `p`, or 0 when `p` is not accessible.
uintptr_t AccessibleEnd(uintptr_t p, bool forWrite) {
  MEMORY_BASIC_INFORMATION info = {};
  if (VirtualQuery(reinterpret_cast<const void*>(p), &info, sizeof(info)) != sizeof(info)) return 0;
  if (info.State != MEM_COMMIT) return 0;
  if (!(forWrite ? IsWritableProtection(info.Protect) : IsReadableProtection(info.Protect))) return 0;
  return reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
}

bool IsAccessibleRange(const void* p, size_t bytes, bool forWrite) {
  if (!p) return false;
  uintptr_t at = reinterpret_cast<uintptr_t>(p);
  if (bytes > UINTPTR_MAX - at) return false;  // wraps around the address space
  const uintptr_t end = at + bytes;
  while (at < end) {
    const uintptr_t regionEnd = AccessibleEnd(at, forWrite);
    if (regionEnd <= at) return false;
    at = regionEnd;
  }
  return true;
}

}  // namespace

bool IsReadableRange(const void* p, size_t bytes) { return IsAccessibleRange(p, bytes, false); }

bool IsWritableRange(const void* p, size_t bytes) { return IsAccessibleRange(p, bytes, true); }

bool CopyPluginText(const WCHAR* text, std::wstring& out, size_t maxChars) {
  out.clear();
  uintptr_t at = reinterpret_cast<uintptr_t>(text);
  if (!text || (at & 1)) return false;
  size_t scanned = 0;
  while (scanned <= maxChars) {
    const uintptr_t regionEnd = AccessibleEnd(at, false);
    if (regionEnd <= at) return false;  // ran into memory it may not read
    const WCHAR* c = reinterpret_cast<const WCHAR*>(at);
    const WCHAR* last = reinterpret_cast<const WCHAR*>(regionEnd);  // regions end page-aligned
    for (; c < last && scanned <= maxChars; ++c, ++scanned) {
      if (*c == 0) {
        out.assign(text, scanned);
        return true;
      }
    }
    at = reinterpret_cast<uintptr_t>(c);
  }
  return false;  // no terminator within the limit
}

bool IsReadableBlock(const void* block, INT32 size) {
  if (size == 0) return true;
  if (size < 0) return false;
  return IsReadableRange(block, static_cast<size_t>(size));
}

void CopySettingTexts(const TvSettingValue& value, TvSettingTexts& texts) {
  texts.hasText = CopyPluginText(value.text, texts.text);
  texts.hasText2 = CopyPluginText(value.text2, texts.text2);
  texts.hasText3 = CopyPluginText(value.text3, texts.text3);
}

void KeepWaveFormatInBounds(WAVEFORMATEXTENSIBLE& format) {
  const WORD room = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
  if (format.Format.cbSize > room) format.Format.cbSize = room;
}

bool CheckReturnedBlock(TvAudioBlock& block, std::wstring& actionCopy,
                        const TvMessageHandles* handles, const char* function) {
  KeepWaveFormatInBounds(block.format);
  if (block.actionText) {
    block.actionText =
        CopyPluginText(block.actionText, actionCopy, kMaxActionTextChars) ? actionCopy.c_str() : nullptr;
  }
  if (IsReadableBlock(block.data, block.dataSize)) return true;
  ReportError(L"A plug-in returned audio data that cannot be read (" + std::to_wstring(block.dataSize) +
                  L" bytes).",
              handles, function);
  block.data = nullptr;
  block.dataSize = 0;
  return false;
}

}  // namespace tv
