#!/usr/bin/env bash
# check_xp_imports.sh EXE...: fails when a program imports a system function that Windows XP
# does not have. The import table is read with objdump; the list holds the functions that a
# MinGW build pulls in by accident (the posix thread runtime, newer APIs behind a helper).
set -uo pipefail
NEWER_THAN_XP=(
  GetTickCount64 GetSystemTimePreciseAsFileTime
  InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
  WakeConditionVariable WakeAllConditionVariable
  InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive
  ReleaseSRWLockShared TryAcquireSRWLockExclusive TryAcquireSRWLockShared
  InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
  FlsAlloc FlsFree FlsGetValue FlsSetValue
  CreateEventExA CreateEventExW CreateMutexExA CreateMutexExW CreateSemaphoreExW
  CreateSymbolicLinkA CreateSymbolicLinkW GetFinalPathNameByHandleA GetFinalPathNameByHandleW
  GetFileInformationByHandleEx SetFileInformationByHandle
  QueryFullProcessImageNameA QueryFullProcessImageNameW GetThreadId
  GetLocaleInfoEx LCMapStringEx CompareStringEx GetUserDefaultLocaleName
  RegGetValueA RegGetValueW RegDeleteKeyExA RegDeleteKeyExW RegSetKeyValueA RegSetKeyValueW
  SHGetKnownFolderPath TaskDialog TaskDialogIndirect SetProcessDPIAware
  BCryptGenRandom
  GetDpiForWindow GetDpiForSystem SetProcessDpiAwareness SetProcessDpiAwarenessContext
)
status=0
for exe in "$@"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { dll = $3 }
      /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print dll ":" $3 }')
  if [[ -z $imports ]]; then echo "$exe: no import table read"; status=1; continue; fi
  bad=()
  for fn in "${NEWER_THAN_XP[@]}"; do
    while read -r hit; do [[ -n $hit ]] && bad+=("$hit"); done < <(grep -E ":$fn\$" <<<"$imports")
  done
  if [[ ${#bad[@]} -gt 0 ]]; then
    echo "$exe imports functions that Windows XP lacks: ${bad[*]}"
    status=1
  fi
done
exit $status
