// Registers the common control classes the toolkit uses, once per process.
#pragma once

bool NInitCommonControls();
