// Code that the 32-bit Windows build must refuse, one -D at a time (tests/CMakeLists.txt): each
// would crash on 32-bit Windows, though x86-64 runs the first.
#include <windows.h>
// clang-format off
#ifdef MISSING_CALLBACK
// The C calling convention, where Windows calls dialog procedures with stdcall.
INT_PTR pageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
HWND page = CreateDialogParamA(nullptr, "PAGE", nullptr, pageProc, 0);
#endif
#ifdef FUNCTION_CAST
// Windows passes four arguments; a stdcall procedure that takes two removes only those from the
// stack, which the caller then finds eight bytes off.
INT_PTR CALLBACK pageProc(HWND, UINT) { return FALSE; }
DLGPROC procedure = reinterpret_cast<DLGPROC>(pageProc);
#endif
