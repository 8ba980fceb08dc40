// The registrar: writes a registrar script (TvRegistrarScript.h) into the
// registry on registration and takes it out again on removal.
#pragma once
#include <windows.h>

#include <string>

#include "TvRegistrarScript.h"

namespace tv {

// Writes every key and value of the script. When a step fails, what the
// script names is taken out again (as on removal) and the failure returned,
// so a failed registration never leaves half a set of keys behind.
HRESULT RegistrarRegister(const RegistrarScript& script);
// Takes the script's keys out by their modes (TvRegistrarScript.h); keys and
// values that are already gone are no failure.
HRESULT RegistrarUnregister(const RegistrarScript& script);

// Reads the script resource `id` of type "REGISTRY" from `module`, expands it
// with `replacements` and applies it. E_UNEXPECTED when the resource is
// missing or does not read as a script.
HRESULT RegistrarRunResource(HMODULE module, UINT id, const RegistrarReplacements& replacements, bool registering);

}  // namespace tv
