#pragma once

// Where the program's DLLs come from. The program runs from the memory card
// and from a copy in a folder the user can write to, so a DLL of a system
// name placed beside it must never be loaded in place of the system's own.

namespace platform {

// Limits every later DLL load by name to the system folder (and to the
// side-by-side assemblies that the program's manifest names), leaving out
// the program's folder, the current folder and PATH. Call it first thing
// in the process, before anything loads a DLL. On a Windows that cannot
// restrict the search, it still leaves out the current folder.
void RestrictDllSearchToSystemFolder();

// Loads comctl32, which the window needs from its start, and binds all of
// its functions now, under the restricted search, instead of at each
// function's first call. The other delay-loaded DLLs (the system DLLs that
// the loader would look for beside the program) load at their first call,
// under the same restriction, except GDI+.
void BindDelayLoadedDlls();

// Loads GDI+ and binds all of its functions, once: many of them take
// floating-point arguments, which a first call through the delay-load
// helper would clobber. Call it before anything of GDI+.
void BindGdiPlus();

}  // namespace platform
