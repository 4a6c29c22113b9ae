// Built in the Windows build only: <windows.h> comes first, with its macros for the A/W pairs
// (MessageBox, CreateWindow, DeleteFile, GetObject, ...), and then every header of the product,
// so that a name of ours that such a macro turns into something else does not compile.
#include <windows.h>

#ifndef MessageBox
#error "windows.h no longer defines MessageBox: this test would prove nothing"
#endif

#include "ProductHeaders.inc"

// A macro that renamed a class of ours consistently in this file would still compile, and the
// program would hold two types under one name. This function is defined here, where the
// macros are in force, and called from without_windows_h.cpp, which never sees them: when a
// macro renames one of these types here, the two files name different functions and the
// program does not link.
void TakeTypes(platform::Ports&, platform::WindowSystem&, platform::EventLoop&,
               platform::FileSystem&, platform::CodePage&, platform::Profile&,
               platform::OwnedMessageBox&, TForm1&, TDxfTables&) {}
