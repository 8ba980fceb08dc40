// TipfetchInfo: serves one request named on its command line and ends,
// always with exit code 0; the request file is its only answer.
#include <windows.h>

#include "TvInfoHelper.h"

int main() {
  // Plug-ins and TvxShell.dll are loaded without the system's error boxes.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  tv::clWin32InfoHelperHost host;
  tv::clInfoHelper helper(host);
  helper.Run(GetCommandLineW());
  return 0;
}
