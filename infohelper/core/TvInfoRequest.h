// The request files TipfetchInfo reads, and the forms a starter writes them
// in. Plain byte and text work with no platform calls, so both sides (the
// helper and the programs that start it) share one reading of each form.
//
// Forms (all little-endian):
//   pop-up / file information request: the audio path as UTF-16LE, ended by
//     CR (an LF right after it is consumed), by LF, or by the end of the file;
//     no byte-order mark and no terminating zero are needed.
//   "<tempF>" pop-up request: exactly 260 bytes of ANSI text holding the path,
//     zero-terminated within them (all 260 bytes are the path when no zero).
//   "DelTagElements": two UTF-16LE lines (as above): the audio path, then
//     "[tag_del_all]" or the tag names joined by "{tag_sep}".
//   "SetTags": int32 byte count n (1..10 000 000), n bytes of tag block, the
//     marker 0x12945633 (bytes 33 56 94 12), then the audio path as one
//     UTF-16LE line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tv {

// Longest audio path accepted from a request, in UTF-16 code units (the
// platform's longest path). A first line without an end within this many
// units, in a file that holds more, is refused as malformed.
constexpr size_t kMaxRequestPathChars = 32767;
// Bytes a path request needs to be read from the file's start at most: the
// longest path and its line end.
constexpr size_t kMaxPathRequestBytes = (kMaxRequestPathChars + 2) * 2;
// The "<tempF>" request's fixed path field.
constexpr size_t kTempFPathBytes = 260;
// Tag writing request.
constexpr uint32_t kSetTagsMarker = 0x12945633;
constexpr int64_t kMaxSetTagsBlockBytes = 10000000;
constexpr size_t kMaxSetTagsRequestBytes = 4 + size_t(kMaxSetTagsBlockBytes) + 4 + kMaxPathRequestBytes;
// Tag deletion request.
constexpr const wchar_t* kDeleteAllTags = L"[tag_del_all]";
constexpr const wchar_t* kTagSeparator = L"{tag_sep}";
constexpr size_t kMaxDelTagRequestBytes = 2 * kMaxPathRequestBytes + 1024 * 1024;

// Reads one UTF-16LE line from `size` bytes at `data`, starting at byte
// `*offset` (0 when null) and moving it past the line and its end. An odd
// last byte is ignored. `ended` (when given) tells whether a line end was
// found. `maxChars` bounds the line; false when no end lies within it while
// the data goes on (a line too long to be a path), else true.
bool ReadUtf16Line(const uint8_t* data, size_t size, size_t* offset, std::wstring& line,
                   size_t maxChars = kMaxRequestPathChars, bool* ended = nullptr);

// The audio path of a pop-up or file information request; false when the
// request holds no path (empty file, empty first line, or a first line too
// long to be a path).
bool ParsePathRequest(const std::vector<uint8_t>& data, std::wstring& path);
// What a starter writes: the path as UTF-16LE, no terminator, no line end.
std::vector<uint8_t> PathRequestBytes(const std::wstring& path);

// The ANSI bytes of a "<tempF>" request's path; false when the file holds
// fewer than 260 bytes or the path is empty.
bool ParseTempFRequest(const std::vector<uint8_t>& data, std::string& ansiPath);
// The 260-byte request for an ANSI path (cut to 259 bytes, zero-filled).
std::vector<uint8_t> TempFRequestBytes(const std::string& ansiPath);

struct DelTagRequest {
  std::wstring path;
  bool all = false;                 // "[tag_del_all]": every tag
  std::vector<std::wstring> names;  // otherwise these, in order (may hold empty names)
};
// False unless both lines are present and non-empty.
bool ParseDelTagRequest(const std::vector<uint8_t>& data, DelTagRequest& request);
std::vector<uint8_t> DelTagRequestBytes(const DelTagRequest& request);
// The name list DeleteATag takes: each name zero-terminated ("[Empty]" for an
// empty name), then one more zero.
std::wstring TagNameList(const std::vector<std::wstring>& names);

struct SetTagsRequest {
  std::vector<uint8_t> tagBlock;
  std::wstring path;
};
// False unless the count is 1..10 000 000, the block is there whole, the
// marker matches and the path line is not empty.
bool ParseSetTagsRequest(const std::vector<uint8_t>& data, SetTagsRequest& request);
// Empty when the block is empty or too large for the form.
std::vector<uint8_t> SetTagsRequestBytes(const SetTagsRequest& request);

}  // namespace tv
