// The Preview page's template selector and the catalogue's list of loose templates.
#pragma once

#include <windows.h>

// Adds one entry per loose template (templateNames, first to last) to the combo box; the box
// keeps its entries sorted by itself.
void fillTemplateSelector(HWND combo);
