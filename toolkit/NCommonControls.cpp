#include "NCommonControls.h"

#include <windows.h>
#include <commctrl.h>

bool NInitCommonControls()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX init = {};
        init.dwSize = sizeof init;
        init.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                     ICC_BAR_CLASSES;
        return InitCommonControlsEx(&init) != FALSE;
    }();
    return done;
}
