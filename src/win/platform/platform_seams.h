#pragma once
// Connects the portable core to Windows: diagnostics go to the debugger
// output and the record's text fields use the system ANSI code page.

namespace platform {

// Installs the Windows diagnostic sink and code page for the whole process.
void InstallWindowsSeams();

}  // namespace platform
