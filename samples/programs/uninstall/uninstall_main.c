/* The sample disc's uninstaller: removes what its uninstall log (uninst.ini beside it) names, itself
 * included. Asks first; "/S" removes without asking or reporting. Exit code 0 when removed, 1 when the user
 * said no, 2 when there is no log or something could not be removed.
 *
 * A running program cannot delete its own file. So the uninstaller removes everything else, then starts a
 * copy of itself from the temporary folder ("/cleanup=LOG /wait=PID") that waits for it to end and removes
 * the rest: the program file, the log and the folders. That copy is opened for deletion on close before it
 * starts, so it vanishes once it has ended. The uninstaller ends only once the copy is running and holds on
 * to it, so the folders are gone a moment after the uninstaller ends, well within the time the menu gives
 * the machine to settle after a program it waited for. */
#include <wchar.h>

#include "../common/sample_common.h"
#include "../common/uninstall_log.h"

/* The event by which the copy tells the uninstaller that it is ready to take over. */
static void ReadyEventName(wchar_t* out, size_t size, DWORD pid) {
  _snwprintf(out, size, L"Local\\norva-uninst-ready-%lu", pid);
  out[size - 1] = 0;
}

static int Cleanup(const wchar_t* log, const wchar_t* pid_text) {
  const DWORD pid = (DWORD)_wtoi(pid_text ? pid_text : L"0");
  HANDLE parent = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : NULL;
  wchar_t name[64];
  ReadyEventName(name, ARRAYSIZE(name), pid);
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
  if (ready) {
    SetEvent(ready);
    CloseHandle(ready);
  }
  if (parent) {
    WaitForSingleObject(parent, 30000);
    CloseHandle(parent);
  }
  return UninstallLogRemove(log, NULL) ? 2 : 0;
}

/* Starts the temporary copy that finishes the work; FALSE when it cannot be started. */
static BOOL HandOver(const wchar_t* self, const wchar_t* log) {
  wchar_t temp[SAMPLE_PATH], copy[SAMPLE_PATH];
  static wchar_t command[3 * SAMPLE_PATH];
  GetTempPathW(ARRAYSIZE(temp), temp);
  _snwprintf(copy, ARRAYSIZE(copy), L"%lsnorva-uninst-%lu.exe", temp, GetCurrentProcessId());
  copy[ARRAYSIZE(copy) - 1] = 0;
  if (!CopyFileW(self, copy, FALSE)) return FALSE;
  /* This handle, closed when we end, deletes the copy once the copy has ended too. */
  const HANDLE doomed = CreateFileW(copy, DELETE | GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                                    OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, NULL);
  if (doomed == INVALID_HANDLE_VALUE) {
    DeleteFileW(copy);
    return FALSE;
  }
  _snwprintf(command, ARRAYSIZE(command), L"\"%ls\" \"/cleanup=%ls\" /wait=%lu", copy, log,
             GetCurrentProcessId());
  command[ARRAYSIZE(command) - 1] = 0;
  STARTUPINFOW startup = {0};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  wchar_t name[64];
  ReadyEventName(name, ARRAYSIZE(name), GetCurrentProcessId());
  HANDLE ready = CreateEventW(NULL, TRUE, FALSE, name);
  if (!CreateProcessW(copy, command, NULL, NULL, FALSE, 0, NULL, temp, &startup, &process)) {
    if (ready) CloseHandle(ready);
    CloseHandle(doomed);
    return FALSE;
  }
  /* Once the copy runs and holds on to this process, what is left takes it only moments after the end. */
  if (ready) {
    HANDLE both[2] = {ready, process.hProcess};
    WaitForMultipleObjects(2, both, FALSE, 10000);
    CloseHandle(ready);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return TRUE; /* `doomed` stays open until this process ends */
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR command_line, int show) {
  (void)instance;
  (void)previous;
  (void)command_line;
  (void)show;
  SampleArgsInit();
  const wchar_t* cleanup = SampleSwitchValue(L"cleanup");
  if (cleanup) return Cleanup(cleanup, SampleSwitchValue(L"wait"));

  const BOOL silent = SampleHasSwitch(L"S");
  wchar_t self[SAMPLE_PATH], folder[SAMPLE_PATH], log[SAMPLE_PATH], name[256], text[512];
  GetModuleFileNameW(NULL, self, ARRAYSIZE(self));
  SampleExeFolder(folder, ARRAYSIZE(folder));
  SampleJoin(log, ARRAYSIZE(log), folder, UNINSTALL_LOG_NAME);
  if (!SampleFileExists(log)) {
    if (!silent) MessageBoxW(NULL, L"The uninstall log uninst.ini is missing.", L"Uninstall", MB_ICONERROR);
    return 2;
  }
  UninstallLogName(log, name, ARRAYSIZE(name));
  if (!silent) {
    _snwprintf(text, ARRAYSIZE(text), L"Remove %ls and all of its components?", name);
    text[ARRAYSIZE(text) - 1] = 0;
    if (MessageBoxW(NULL, text, L"Uninstall", MB_YESNO | MB_ICONQUESTION) != IDYES) return 1;
  }
  int failed = UninstallLogRemove(log, self);
  if (!HandOver(self, log)) failed += UninstallLogRemove(log, NULL);
  if (!silent) {
    _snwprintf(text, ARRAYSIZE(text),
               failed ? L"%ls was removed; %d items could not be removed." : L"%ls was removed.", name,
               failed);
    text[ARRAYSIZE(text) - 1] = 0;
    MessageBoxW(NULL, text, L"Uninstall", failed ? MB_ICONWARNING : MB_ICONINFORMATION);
  }
  return failed ? 2 : 0;
}
