// The screen's horizontal dots per inch, read once, and scaling by it.
#pragma once

int NScreenDpi();
// Replaces the screen's resolution for this process (demo and tests show
// 96 and 144 dots per inch on the same screen); 0 goes back to the screen's.
void NSetScreenDpi(int dpi);
// value * screen dpi / 96.
int NScale(int value);
