/* A Windows program of the menu, run under Wine while a wineserver runs for the prefix: writes the
   registry the server holds into two files, HKEY_LOCAL_MACHINE into the first and HKEY_CURRENT_USER into the
   second, in the server's own text format (that of system.reg and user.reg). Exit code 0 when both were
   written. */
#include <windows.h>

static void EnableBackupPrivilege(void) {
  HANDLE token;
  TOKEN_PRIVILEGES privileges;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueA(NULL, "SeBackupPrivilege", &privileges.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
  CloseHandle(token);
}

int wmain(int argc, wchar_t** argv) {
  static const HKEY roots[2] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
  if (argc != 3) return 2;
  EnableBackupPrivilege(); /* RegSaveKey refuses without it */
  for (int i = 0; i < 2; ++i) {
    DeleteFileW(argv[1 + i]); /* RegSaveKey does not replace a file */
    if (RegSaveKeyW(roots[i], argv[1 + i], NULL) != ERROR_SUCCESS) return 1;
  }
  return 0;
}
