// When the column handler reads its settings again.
#include <gtest/gtest.h>

#include "TvShellSettings.h"

namespace {

TEST(SettingsRefresh, FirstCallAndAfterFifteenSeconds) {
  struct Case {
    bool everRead;
    uint64_t now;
    uint64_t last;
    bool due;
  };
  const Case cases[] = {
      {false, 0, 0, true},             // the first call always reads
      {true, 1000, 1000, false},       // just read
      {true, 16000, 1000, false},      // exactly 15 000 ms later: not yet
      {true, 16001, 1000, true},       // more than 15 000 ms later
      {true, 500, 1000, true},         // a clock that went back
  };
  for (const Case& c : cases)
    EXPECT_EQ(tv::SettingsRefreshDue(c.everRead, c.now, c.last), c.due) << c.now << " " << c.last;
}

}  // namespace
