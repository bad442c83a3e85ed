#pragma once
// What the process tests need around real processes: a UI-thread message loop in the
// test thread, the helper child program and scratch folders.
#include <windows.h>

#include <functional>
#include <string>

#include "ScratchFiles.h"

// Runs the test thread's message loop until `done` answers true or `timeoutMs` passed;
// returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Runs the message loop for `ms` milliseconds.
void PumpFor(DWORD ms);

// Full path of procs_child.exe, which sits beside the test program.
std::string ChildPath();
// A command line that runs the child with `arguments`.
std::string ChildCommand(const std::string& arguments);
// A fresh, empty folder below the temporary folder, ending in "\".
std::string ScratchFolder(const std::string& name);


// Whether the process with this id still runs; waits up to `ms` for it to end.
bool StillRunningAfter(DWORD processId, DWORD ms);
