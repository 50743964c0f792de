#include <objbase.h>
#include <shlobj.h>
#include <wchar.h>

#include "../common/sample_common.h"
#include "setup.h"

#define UNINSTALL_ROOT L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"

struct Config {
  wchar_t name[256], publisher[256], folder[SAMPLE_PATH], payload[SAMPLE_PATH], program[256], group[256],
      uninstall_key[256], app_key[SAMPLE_PATH], note[1024];
};

static BOOL g_silent;

static void Say(const wchar_t* title, const wchar_t* text, UINT icon) {
  if (!g_silent) MessageBoxW(NULL, text, title, MB_OK | icon);
}

static BOOL Ask(const wchar_t* title, const wchar_t* text) {
  return g_silent || MessageBoxW(NULL, text, title, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

static void ReadConfig(const wchar_t* here, struct Config* c) {
  wchar_t stem[128], file[SAMPLE_PATH], name[160], folder[SAMPLE_PATH];
  SampleExeStem(stem, ARRAYSIZE(stem));
  _snwprintf(name, ARRAYSIZE(name), L"%ls.ini", stem);
  name[ARRAYSIZE(name) - 1] = 0;
  SampleJoin(file, ARRAYSIZE(file), here, name);
  SampleIniString(file, L"Setup", L"Name", c->name, ARRAYSIZE(c->name));
  SampleIniString(file, L"Setup", L"Publisher", c->publisher, ARRAYSIZE(c->publisher));
  SampleIniString(file, L"Setup", L"Folder", folder, ARRAYSIZE(folder));
  SampleIniString(file, L"Setup", L"Payload", c->payload, ARRAYSIZE(c->payload));
  SampleIniString(file, L"Setup", L"Program", c->program, ARRAYSIZE(c->program));
  SampleIniString(file, L"Setup", L"Group", c->group, ARRAYSIZE(c->group));
  SampleIniString(file, L"Setup", L"UninstallKey", c->uninstall_key, ARRAYSIZE(c->uninstall_key));
  SampleIniString(file, L"Setup", L"AppKey", c->app_key, ARRAYSIZE(c->app_key));
  SampleIniString(file, L"Setup", L"Note", c->note, ARRAYSIZE(c->note));
  if (!c->name[0]) lstrcpynW(c->name, stem, ARRAYSIZE(c->name));
  if (!c->payload[0]) lstrcpyW(c->payload, L"payload");
  if (!folder[0]) lstrcpynW(folder, c->name, ARRAYSIZE(folder));
  wchar_t program_files[SAMPLE_PATH];
  if (FAILED(SHGetFolderPathW(NULL, CSIDL_PROGRAM_FILES, NULL, 0, program_files)))
    lstrcpyW(program_files, L"C:\\Program Files");
  SampleJoin(c->folder, ARRAYSIZE(c->folder), program_files, folder);
}

static BOOL SetText(HKEY key, const wchar_t* name, const wchar_t* value) {
  return RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)value,
                        (DWORD)((lstrlenW(value) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

static BOOL WriteKeys(const struct Config* c, const wchar_t* program, struct UninstallLog* log) {
  BOOL ok = TRUE;
  if (c->uninstall_key[0]) {
    wchar_t command[SAMPLE_PATH];
    _snwprintf(command, ARRAYSIZE(command), L"\"%ls\\uninst.exe\"", c->folder);
    command[ARRAYSIZE(command) - 1] = 0;
    HKEY key = MakeLoggedKey(UNINSTALL_ROOT, c->uninstall_key, log);
    ok = key && SetText(key, L"DisplayName", c->name) && SetText(key, L"UninstallString", command) &&
         SetText(key, L"InstallLocation", c->folder) &&
         (!c->publisher[0] || SetText(key, L"Publisher", c->publisher));
    if (key) RegCloseKey(key);
  }
  if (c->app_key[0]) {
    /* The application key is named from Software on. */
    const wchar_t* below = _wcsnicmp(c->app_key, L"Software\\", 9) == 0 ? c->app_key + 9 : c->app_key;
    HKEY key = MakeLoggedKey(L"Software", below, log);
    ok = key && SetText(key, L"Path", program) && ok;
    if (key) RegCloseKey(key);
  }
  return ok;
}

static BOOL WriteShortcut(const struct Config* c, const wchar_t* program, struct UninstallLog* log) {
  if (!c->group[0]) return TRUE;
  wchar_t programs[SAMPLE_PATH], group[SAMPLE_PATH], link[SAMPLE_PATH], name[300];
  if (FAILED(SHGetFolderPathW(NULL, CSIDL_COMMON_PROGRAMS, NULL, 0, programs))) return FALSE;
  SampleJoin(group, ARRAYSIZE(group), programs, c->group);
  _snwprintf(name, ARRAYSIZE(name), L"%ls.lnk", c->name);
  name[ARRAYSIZE(name) - 1] = 0;
  SampleJoin(link, ARRAYSIZE(link), group, name);
  if (!MakeLoggedFolders(group, log) || !MakeShortcut(link, program, c->folder, c->name)) return FALSE;
  UninstallLogFile(log, link);
  return TRUE;
}

static int Install(const wchar_t* here, const struct Config* c) {
  wchar_t text[2 * SAMPLE_PATH], payload[SAMPLE_PATH], log_path[SAMPLE_PATH], uninstaller[SAMPLE_PATH],
      copy[SAMPLE_PATH], program[SAMPLE_PATH];
  struct UninstallLog log;
  SampleJoin(payload, ARRAYSIZE(payload), here, c->payload);
  if (!SampleFolderExists(payload)) {
    _snwprintf(text, ARRAYSIZE(text), L"The files to install are missing: %ls", payload);
    text[ARRAYSIZE(text) - 1] = 0;
    Say(c->name, text, MB_ICONERROR);
    return 2;
  }
  _snwprintf(text, ARRAYSIZE(text), L"Install %ls into %ls?", c->name, c->folder);
  text[ARRAYSIZE(text) - 1] = 0;
  if (!Ask(c->name, text)) return 1;
  SampleJoin(log_path, ARRAYSIZE(log_path), c->folder, UNINSTALL_LOG_NAME);
  SampleJoin(uninstaller, ARRAYSIZE(uninstaller), here, L"uninst.exe");
  SampleJoin(copy, ARRAYSIZE(copy), c->folder, L"uninst.exe");
  SampleJoin(program, ARRAYSIZE(program), c->folder, c->program);
  /* The folders the target lacks are made first, so that the log has a place, then logged. */
  wchar_t missing[8][SAMPLE_PATH];
  int missing_count = 0;
  lstrcpynW(missing[0], c->folder, SAMPLE_PATH);
  while (missing_count < 8 && !SampleFolderExists(missing[missing_count])) {
    wchar_t* slash = wcsrchr(missing[missing_count], L'\\');
    ++missing_count;
    if (!slash || missing_count == 8) break;
    lstrcpynW(missing[missing_count], missing[missing_count - 1],
              (int)(slash - missing[missing_count - 1] + 1));
  }
  BOOL ok = SampleMakeFolders(c->folder) && UninstallLogCreate(&log, log_path, c->name);
  if (ok) {
    for (int i = missing_count - 1; i >= 0; --i) UninstallLogFolder(&log, missing[i]);
    ok = CopyTree(payload, c->folder, &log) && CopyFileW(uninstaller, copy, FALSE);
    if (ok) {
      SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL);
      UninstallLogFile(&log, copy);
    }
    ok = ok && WriteKeys(c, program, &log) && WriteShortcut(c, program, &log);
  }
  if (!ok) {
    Say(c->name, L"The setup could not copy its files or write its settings.", MB_ICONERROR);
    return 2;
  }
  _snwprintf(text, ARRAYSIZE(text), L"%ls was installed into %ls.", c->name, c->folder);
  text[ARRAYSIZE(text) - 1] = 0;
  Say(c->name, text, MB_ICONINFORMATION);
  return 0;
}

static int Remove(const struct Config* c, const wchar_t* log) {
  wchar_t text[SAMPLE_PATH];
  _snwprintf(text, ARRAYSIZE(text), L"%ls is installed. Remove it?", c->name);
  text[ARRAYSIZE(text) - 1] = 0;
  if (!Ask(c->name, text)) return 1;
  const int failed = UninstallLogRemove(log, NULL);
  _snwprintf(text, ARRAYSIZE(text), failed ? L"%ls was removed; some items were left." : L"%ls was removed.",
             c->name);
  text[ARRAYSIZE(text) - 1] = 0;
  Say(c->name, text, failed ? MB_ICONWARNING : MB_ICONINFORMATION);
  return failed ? 2 : 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR command_line, int show) {
  (void)instance;
  (void)previous;
  (void)command_line;
  (void)show;
  SampleArgsInit();
  g_silent = SampleHasSwitch(L"S");
  static struct Config config;
  wchar_t here[SAMPLE_PATH], log[SAMPLE_PATH];
  SampleExeFolder(here, ARRAYSIZE(here));
  ReadConfig(here, &config);
  if (config.note[0]) {
    Say(config.name, config.note, MB_ICONINFORMATION);
    return 0;
  }
  SampleJoin(log, ARRAYSIZE(log), config.folder, UNINSTALL_LOG_NAME);
  if (SampleFileExists(log)) return Remove(&config, log);
  CoInitialize(NULL);
  const int result = Install(here, &config);
  CoUninitialize();
  return result;
}
