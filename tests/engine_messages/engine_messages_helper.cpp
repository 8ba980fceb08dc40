// Plays Rendermill's reporting with the process's real standard handles.
//   engine_messages_helper MODE    MODE: cmd | console | silent
// Writes an information and an error line through the report functions,
// parent messages, progress and console text, flushing in between, and exits
// with 1 when the error text was seen by a flush (0 otherwise).
#include <windows.h>

#include <string>

#include "TvMessageChannel.h"
#include "TvParentMessages.h"
#include "TvTrace.h"

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  clMessageChannel errors, infos;
  if (!errors.Create(false) || !infos.Create(false)) return 3;
  TvMessageHandles handles = {errors.WriteHandle(), infos.WriteHandle(), nullptr};

  TvParentOutputs outputs;
  outputs.standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  outputs.errorOutput = GetStdHandle(STD_ERROR_HANDLE);
  outputs.commandFileMode = mode == L"cmd";
  outputs.silent = mode != L"console";
  clParentMessages messages;
  messages.Configure(outputs);

  messages.ConsoleText(L"Encoding: WAVE");
  messages.ShowProgressScale();
  messages.SendTvxMessage(tv::EncodingAction(L"C:\\music\\song.mp3"));
  for (int block = 0; block < 3; ++block) {
    messages.Flush(infos, errors);
    messages.ShowInputAction(L"Decoding song.flac");
    messages.ReportProgress(block * 50);  // 0, 50, 100
    messages.ShowOutputAction(L"Encoding");
  }
  tv::ReportInformation(L"Note \u00e9t\u00e9", &handles, nullptr);
  tv::ReportError(L"Error: broken \u00e9t\u00e9", &handles, "TvRendermill::DecodeAudioBlock");
  messages.Flush(infos, errors);
  messages.EndProgressLine();
  return messages.Failed() ? 1 : 0;
}
