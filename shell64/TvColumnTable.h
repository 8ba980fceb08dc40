// The Explorer columns the column handler offers: which ones (the user's
// "ColumnsAllowed" list), and how each is described to the shell (property
// identifier, alignment, width, title). No platform calls; the shell record
// is filled from these descriptions in TvColumnRecord.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tv {

// The columns offered when "ColumnsAllowed" is empty.
extern const wchar_t* const kDefaultColumnsAllowed;
// Marks a user column: the entry without its first five characters names a
// tag or property element.
constexpr const wchar_t* kUserColumnMark = L"_USR_";
// Most columns offered, and the text limits of the shell's column record.
constexpr size_t kMaxColumns = 100;
constexpr size_t kMaxColumnTitleChars = 79;
constexpr size_t kMaxColumnDescriptionChars = 127;
constexpr const wchar_t* kColumnDescription = L"Tonvera";

enum class ColumnAlignment { Left, Right };

struct ColumnDescription {
  std::wstring name;
  uint32_t propertyId = 0;
  ColumnAlignment alignment = ColumnAlignment::Left;
  uint32_t widthChars = 32;
  std::wstring title;        // a space and the name, at most 79 characters
  std::wstring description;  // "Tonvera"
};

// Top byte: the name's length modulo 256; low 24 bits: the sum over the
// characters of position (from 1) x character code, modulo 2^24.
uint32_t ColumnPropertyId(const std::wstring& name);

ColumnDescription DescribeColumn(const std::wstring& name);

// The column names of a "ColumnsAllowed" text (the default list when empty),
// user columns without their mark, in order.
std::vector<std::wstring> ColumnNames(const std::wstring& columnsAllowed);

// The descriptions of the first kMaxColumns names.
std::vector<ColumnDescription> BuildColumnTable(const std::wstring& columnsAllowed);

// The key a column's value is looked up by: its title, with the titles of
// tag-backed columns changed to their tag names (" Track Number" to " Track").
std::wstring ColumnValueKey(const std::wstring& title);

}  // namespace tv
