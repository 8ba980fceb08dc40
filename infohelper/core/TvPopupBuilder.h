// BuildPopupText: finds the decoder of an audio file, opens it for
// inspection and composes its pop-up text (TvPopupText.h) with the user's
// pop-up settings, display units and regional separators.
#pragma once
#include <windows.h>

#include <string>

#include "TvPopupText.h"

namespace tv {

// The settings as stored now under the settings root.
PopupSettings ReadPopupSettings();

// False when no decoder takes the file (the answer stays empty); otherwise
// `text` is the pop-up text. Decoders are looked for beside `module` (the
// program for null). `labeler` null: GDI measuring in the pop-up font.
bool BuildPopupText(const std::wstring& path, std::wstring& text, HMODULE module = nullptr,
                    clPopupLabeler* labeler = nullptr);

}  // namespace tv
