#include "Genres.h"

#include "TextCodec.h"

namespace tvw {

namespace {
// The ID3v1 genre table with its common extensions, codes 0 to 125.
const char* const kGenres[] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal",
    "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip",
    "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop",
    "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk",
    "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk",
    "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk",
    "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock",
    "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera", "Chamber Music",
    "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba",
    "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo",
    "A capella", "Euro-House", "Dance Hall"};
constexpr int kGenreCount = int(sizeof kGenres / sizeof kGenres[0]);

bool number(const std::u16string& s, int& out) {
  if (s.empty() || s.size() > 3) return false;
  out = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
    out = out * 10 + (c - u'0');
  }
  return true;
}
}  // namespace

std::u16string resolveGenre(const std::u16string& value) {
  int code = 0;
  if (number(value, code)) return code < kGenreCount ? u16(kGenres[code]) : value;
  if (value.size() < 3 || value[0] != u'(') return value;
  std::size_t close = value.find(u')');
  if (close == std::u16string::npos) return value;
  std::u16string inner = value.substr(1, close - 1);
  std::u16string rest = value.substr(close + 1);
  if (!rest.empty()) return rest;  // "(17)Rock": the text is the refinement
  if (inner == u"RX") return u"Remix";
  if (inner == u"CR") return u"Cover";
  if (number(inner, code) && code < kGenreCount) return u16(kGenres[code]);
  return value;
}

}  // namespace tvw
