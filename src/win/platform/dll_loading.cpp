#include "win/platform/dll_loading.h"

#include <windows.h>
// delayimp.h needs windows.h first.
#include <delayimp.h>

#include <mutex>

#include "win/platform/newer_function.h"

// The runtime's delay-load helper, which its header leaves undeclared: it
// loads the DLL once and puts one function's address into its slot.
extern "C" FARPROC WINAPI __delayLoadHelper2(const ImgDelayDescr* dll, FARPROC* slot);

// The delay-load import library that the build makes for each of these DLLs
// (cmake/windows.cmake) describes it under this name.
extern "C" const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libgdiplus_delay_a;
extern "C" const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a;

namespace platform {
namespace {

// Loads the DLL and fills in the address of every function the program
// imports from it.
void BindAll(const ImgDelayDescr& dll) {
  auto* image = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* addresses = reinterpret_cast<FARPROC*>(image + dll.rvaIAT);
  auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(image + dll.rvaINT);
  for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
    __delayLoadHelper2(&dll, addresses);
  }
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
  // Looked up rather than called: Windows 7 has it only with an update.
  using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
  auto setDefaultDllDirectories =
      NewerFunction<SetDefaultDllDirectoriesProc>(L"kernel32.dll", "SetDefaultDllDirectories");
  if (setDefaultDllDirectories != nullptr) {
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryW(L"");
}

void BindDelayLoadedDlls() {
  // Bound at its first call, a function would get its floating-point
  // arguments clobbered: this toolchain's delay-load thunk does not save
  // those registers around the helper. Binding all of a DLL's functions
  // at once leaves no such first call: comctl32 here, which the window
  // needs from its start, and GDI+ in BindGdiPlus, before its first use.
  // The others bind at their first call: none of the functions the program
  // calls from them takes a floating-point argument, and they are needed
  // only later or seldom (shell32 to copy and restart the program or to ask
  // for rights; oleacc, ole32 and oleaut32 when a screen reader asks), so
  // they are loaded then rather than at every start.
  BindAll(__DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a);
}

void BindGdiPlus() {
  static std::once_flag bound;
  std::call_once(bound, [] { BindAll(__DELAY_IMPORT_DESCRIPTOR_libgdiplus_delay_a); });
}

}  // namespace platform
