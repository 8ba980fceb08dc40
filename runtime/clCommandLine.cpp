#include "clCommandLine.h"

#include "TvString.h"

namespace {

// Position of the first of the characters in `stops` at or after `from`, or
// the text's length when there is none.
size_t FindFirstOf(const std::wstring& text, size_t from, const wchar_t* stops) {
  size_t pos = text.find_first_of(stops, from);
  return pos == std::wstring::npos ? text.size() : pos;
}

}  // namespace

void clCommandLine::Parse(const std::wstring& text, size_t startPos) {
  m_names.clear();
  m_values.clear();
  // Scanning works 0-based inside; the interface speaks 1-based positions.
  size_t p = startPos == 0 ? 0 : startPos - 1;
  const size_t end = text.size();

  while (p < end) {
    const size_t dash = text.find(L'-', p);
    if (dash == std::wstring::npos) break;

    size_t nameStart = dash + 1;
    if (nameStart < end && text[nameStart] == L'-') ++nameStart;  // "--name" equals "-name"
    const size_t nameEnd = FindFirstOf(text, nameStart, L"\"= ");
    if (nameEnd <= nameStart) {  // an empty name: look again one character on
      p = dash + 1;
      continue;
    }

    size_t v = nameEnd;
    while (v < end && (text[v] == L' ' || text[v] == L'=')) ++v;

    std::wstring value;
    if (v >= end) {
      p = end;
    } else if (text[v] == L'-') {
      p = v;  // the next option follows directly; its dash starts the next scan
    } else if (text[v] == L'"') {
      const size_t close = text.find(L'"', v + 1);
      if (close == std::wstring::npos) {
        p = v + 1;  // an unclosed quote gives no value
      } else {
        value = text.substr(v + 1, close - v - 1);
        p = close + 1;
      }
    } else {
      const size_t space = FindFirstOf(text, v, L" ");
      value = text.substr(v, space - v);
      p = space + 1;
    }

    m_names.push_back(text.substr(nameStart, nameEnd - nameStart));
    m_values.push_back(value);
  }
}

bool clCommandLine::GetOption(const std::wstring& name, std::wstring& value) const {
  for (size_t i = 0; i < m_names.size(); ++i) {
    if (tv::EqualsNoCase(m_names[i], name)) {
      value = m_values[i];
      return true;
    }
  }
  value.clear();
  return false;
}

std::wstring clCommandLine::OptionValue(const std::wstring& name) const {
  std::wstring value;
  GetOption(name, value);
  return value;
}

bool clCommandLine::HasOption(const std::wstring& name) const {
  std::wstring ignored;
  return GetOption(name, ignored);
}

bool clCommandLine::OptionAt(size_t index, std::wstring& name, std::wstring& value) const {
  if (index >= m_names.size()) {
    name.clear();
    value.clear();
    return false;
  }
  name = m_names[index];
  value = m_values[index];
  return true;
}
