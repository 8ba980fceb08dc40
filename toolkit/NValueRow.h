// One row of the value list as the program describes it (no platform headers).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct HICON__;   // the platform's icon handle type
class NValueList;

enum NRowKind : int {
    nrkPlain = 0,      // name, value text, optional icon
    nrkLink = 2,       // value is a file or address, blue and underlined
    nrkHeading = 3,    // category heading
    nrkTitle = 4,      // title row of the list
    nrkText = 5,       // text field edited in place (several lines when lineCount > 1)
    nrkEditDrop = 6,   // editable drop list with completion
    nrkFixedDrop = 7,  // fixed drop list; the value is the selected entry's text
    nrkCheck = 8,      // "1" checked, "0" or empty unchecked
    nrkRadio = 9       // group g: "-g" when selected, "g" otherwise
};

using NRowCallback = std::function<void(NValueList&)>;

struct NValueRow {
    int kind = nrkPlain;
    std::wstring name;
    std::wstring value;
    std::uint32_t nameX = 0;          // 0 = the list's name column; upper 16 bits: look hint
    int nameFontHeight = 0;           // 0 = the list's name font height
    std::uint32_t nameColour = 0;     // RGB
    bool bold = false;
    bool underline = false;
    bool disabled = false;
    unsigned char style = 0;
    int valueX = 0;                   // 0 = the list's value column
    std::uint32_t valueColour = 0;    // RGB
    int valueWidth = 0;               // 0 = up to the row's right end (less the row button)
    int lineCount = 0;                // text rows: 0 or 1 = one line
    HICON__* icon = nullptr;          // the list keeps its own copy
    int iconX = 0;                    // 0 = before the value text
    int checkX = 0;                   // 0 = the list's name column
    std::vector<std::wstring> entries;
    std::wstring buttonText;          // empty = no row button
    NRowCallback onButton;
    NRowCallback onChange;
    std::intptr_t user = 0;
};
