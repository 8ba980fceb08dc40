#include "Settings.h"

#include <cmath>

#include "TextCodec.h"

namespace tvw {

std::vector<Option> splitOptions(const std::u16string& t) {
  std::vector<Option> out;
  std::size_t p = 0;
  while (true) {
    std::size_t dash = t.find(u'-', p);
    if (dash == std::u16string::npos) break;
    std::size_t start = dash + 1;
    if (start < t.size() && t[start] == u'-') ++start;
    std::size_t end = start;
    while (end < t.size() && t[end] != u'"' && t[end] != u'=' && t[end] != u' ') ++end;
    if (end == start) {
      p = dash + 1;
      continue;
    }
    Option o;
    o.name = t.substr(start, end - start);
    std::size_t v = end;
    while (v < t.size() && (t[v] == u' ' || t[v] == u'=')) ++v;
    if (v >= t.size() || t[v] == u'-') {
      p = v;
    } else if (t[v] == u'"') {
      std::size_t close = t.find(u'"', v + 1);
      if (close == std::u16string::npos) {
        p = v + 1;
      } else {
        o.value = t.substr(v + 1, close - v - 1);
        p = close + 1;
      }
    } else {
      std::size_t sp = t.find(u' ', v);
      o.value = t.substr(v, sp == std::u16string::npos ? std::u16string::npos : sp - v);
      p = sp == std::u16string::npos ? t.size() : sp + 1;
    }
    out.push_back(o);
  }
  return out;
}

std::vector<Option> splitSettings(const std::u16string& text) {
  std::vector<Option> out;
  std::u16string t = text;
  // "-6 dB" is one value: glue a unit to its number before splitting.
  for (std::size_t i = 0; i + 2 < t.size(); ++i)
    if (t[i] == u' ' && foldAscii(t[i + 1]) == u'd' && foldAscii(t[i + 2]) == u'b' &&
        (i + 3 == t.size() || t[i + 3] == u' ' || t[i + 3] == u';' || t[i + 3] == u','))
      t.erase(i, 1);
  std::size_t i = 0;
  while (i < t.size()) {
    while (i < t.size() && (t[i] == u' ' || t[i] == u';' || t[i] == u',')) ++i;
    if (i >= t.size()) break;
    std::size_t end = i;
    while (end < t.size() && t[end] != u' ' && t[end] != u';' && t[end] != u',') ++end;
    std::u16string item = t.substr(i, end - i);
    std::size_t eq = item.find(u'=');
    if (eq == std::u16string::npos)
      out.push_back({u"", item});
    else
      out.push_back({item.substr(0, eq), item.substr(eq + 1)});
    i = end;
  }
  return out;
}

const Option* findOption(const std::vector<Option>& options, const char* name) {
  for (const auto& o : options)
    if (equalsNoCase(o.name, u16(name))) return &o;
  return nullptr;
}

bool parseDecibels(const std::u16string& text, double& out) {
  std::u16string t = text;
  if (t.size() >= 2 && foldAscii(t[t.size() - 2]) == u'd' && foldAscii(t[t.size() - 1]) == u'b') t.resize(t.size() - 2);
  std::string s;
  bool digits = false, point = false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    char16_t c = t[i];
    if ((c == u'-' || c == u'+') && i == 0) s += char(c);
    else if (c >= u'0' && c <= u'9') { s += char(c); digits = true; }
    else if (c == u'.' && !point) { s += '.'; point = true; }
    else return false;
  }
  if (!digits || s.size() > 24) return false;
  // Parsed by hand: the host may have switched the C locale's decimal point.
  double sign = 1.0, value = 0.0, scale = 1.0;
  bool fraction = false;
  for (char c : s) {
    if (c == '-') sign = -1.0;
    else if (c == '.') fraction = true;
    else if (c >= '0' && c <= '9') {
      if (fraction) {
        scale /= 10.0;
        value += (c - '0') * scale;
      } else {
        value = value * 10.0 + (c - '0');
      }
    }
  }
  out = sign * value;
  return std::isfinite(out);
}

bool parseInteger(const std::u16string& text, long& out) {
  if (text.empty() || text.size() > 9) return false;
  long v = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
  }
  out = v;
  return true;
}

std::string narrow(const std::u16string& text) {
  std::string s;
  for (char16_t c : text) s += (c >= 0x20 && c < 0x7F) ? char(c) : '?';
  return s;
}

}  // namespace tvw
