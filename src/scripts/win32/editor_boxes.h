// The editor's boxes: one line each, however the text comes (typed, set or
// pasted), and Enter moves the focus along them instead of pressing a button.
#pragma once

#include <windows.h>

#include "common/platform.h"

namespace tamblo {

// What handling one of its messages throws is told in one of `boxes`.
void MakeOneLineBox(HWND box, MessageBoxes& boxes);

}  // namespace tamblo
