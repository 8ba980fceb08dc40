// Self-registration of the 64-bit shell object: the column handler key, the
// registrar script resource (ProgIDs and class key) and the type library.
#pragma once
#include <windows.h>

namespace tv {

// Writes every entry; on a failure what was written is taken out again.
HRESULT RegisterShellServer(HMODULE module);
// Removes the column handler key, the script's keys and the type library's
// registration; their parent keys stay.
HRESULT UnregisterShellServer(HMODULE module);

}  // namespace tv
