// The option list shared by the console programs: a command text split into
// named options ("-" or "--" before a name, spaces or "=" before a value,
// values in double quotes). Names keep the case they were written in; lookups
// fold only A-Z. No platform headers: the splitting is plain text work.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class clCommandLine {
 public:
  clCommandLine() = default;
  virtual ~clCommandLine() = default;

  // Empties both lists, then scans `text` from the 1-based character position
  // `startPos` and appends every option found in command order. A start
  // position beyond the text yields no options.
  virtual void Parse(const std::wstring& text, size_t startPos = 1);

  // The first option whose name matches case-insensitively; `value` is empty
  // when none does.
  virtual bool GetOption(const std::wstring& name, std::wstring& value) const;
  // Convenience form: the value, or empty when the option is absent.
  virtual std::wstring OptionValue(const std::wstring& name) const;
  virtual bool HasOption(const std::wstring& name) const;
  // The index-th option (0-based); false and two empty strings when out of range.
  virtual bool OptionAt(size_t index, std::wstring& name, std::wstring& value) const;
  virtual size_t OptionCount() const { return m_names.size(); }

 protected:
  std::vector<std::wstring> m_names;   // as written
  std::vector<std::wstring> m_values;  // m_values[i] belongs to m_names[i]
};
