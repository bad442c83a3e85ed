#include "platform/win32/Win32ShellFileOperations.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

ShellFileResult Win32ShellFileOperations::Perform(const ShellFileRequest& request) {
  // The lists arrive zero-separated and double-zero terminated; the shell reads them as
  // they are. An empty target list is a lone zero, which the shell takes as "none".
  std::string from = request.from;
  std::string to = request.to;
  if (from.size() < 2 || from[from.size() - 1] != '\0' || from[from.size() - 2] != '\0') from.append(2, '\0');
  if (to.empty() || to.back() != '\0') to.push_back('\0');
  to.push_back('\0');

  SHFILEOPSTRUCTA op{};
  op.hwnd = request.ownerWindow ? reinterpret_cast<HWND>(request.ownerWindow) : GetForegroundWindow();
  op.wFunc = request.function;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = request.flags;
  op.fAnyOperationsAborted = FALSE;
  op.hNameMappings = nullptr;
  op.lpszProgressTitle = request.title.c_str();
  ShellFileResult result;
  result.code = SHFileOperationA(&op);
  result.anyOperationsAborted = op.fAnyOperationsAborted != FALSE;
  return result;
}

}  // namespace platform
