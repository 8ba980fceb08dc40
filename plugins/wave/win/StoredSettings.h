// Option values the configuration program stores for the plug-ins: a
// REG_DWORD entry index under the suite's per-user key.
#pragma once

namespace tvw {

// `link` is a path relative to the suite's key; its last part names the
// value. A missing value, or one of another type, reads as 0.
unsigned readStoredIndex(const char* link);

}  // namespace tvw
