#include "uninstall_log.h"

#include <wchar.h>

#include "sample_common.h"

static void Add(struct UninstallLog* log, const wchar_t* section, int* count, const wchar_t* value) {
  wchar_t key[16];
  _snwprintf(key, ARRAYSIZE(key), L"%d", ++*count);
  key[ARRAYSIZE(key) - 1] = 0;
  WritePrivateProfileStringW(section, key, value, log->path);
}

BOOL UninstallLogCreate(struct UninstallLog* log, const wchar_t* path, const wchar_t* name) {
  lstrcpynW(log->path, path, ARRAYSIZE(log->path));
  log->files = log->keys = log->shared_keys = log->folders = 0;
  /* A new file holding only the byte-order mark makes the profile functions write UTF-16. */
  const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  const WORD mark = 0xFEFF;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, &mark, sizeof mark, &written, NULL);
  CloseHandle(file);
  return ok && WritePrivateProfileStringW(L"Uninstall", L"Name", name, path);
}

void UninstallLogFile(struct UninstallLog* log, const wchar_t* file) {
  Add(log, L"Files", &log->files, file);
}

void UninstallLogKey(struct UninstallLog* log, const wchar_t* key) {
  Add(log, L"Keys", &log->keys, key);
}

void UninstallLogSharedKey(struct UninstallLog* log, const wchar_t* key) {
  Add(log, L"SharedKeys", &log->shared_keys, key);
}

void UninstallLogFolder(struct UninstallLog* log, const wchar_t* folder) {
  Add(log, L"Folders", &log->folders, folder);
}

void UninstallLogName(const wchar_t* path, wchar_t* out, size_t size) {
  SampleIniString(path, L"Uninstall", L"Name", out, size);
}

LONG UninstallCreateKey32(const wchar_t* key, HKEY* out) {
  return RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, NULL, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, NULL, out,
                         NULL);
}

/* Every value of a numbered section, in order, as full paths. The caller frees the list. */
static wchar_t** ReadSection(const wchar_t* log, const wchar_t* folder, const wchar_t* section, int* count) {
  *count = 0;
  int capacity = 16;
  wchar_t** items = (wchar_t**)HeapAlloc(GetProcessHeap(), 0, capacity * sizeof *items);
  for (int n = 1; items; ++n) {
    wchar_t key[16], value[SAMPLE_PATH];
    _snwprintf(key, ARRAYSIZE(key), L"%d", n);
    key[ARRAYSIZE(key) - 1] = 0;
    SampleIniString(log, section, key, value, ARRAYSIZE(value));
    if (!value[0]) break;
    if (*count == capacity) {
      capacity *= 2;
      wchar_t** more = (wchar_t**)HeapReAlloc(GetProcessHeap(), 0, items, capacity * sizeof *items);
      if (!more) break;
      items = more;
    }
    wchar_t* item = (wchar_t*)HeapAlloc(GetProcessHeap(), 0, SAMPLE_PATH * sizeof(wchar_t));
    if (!item) break;
    if (wcsstr(section, L"Keys"))
      lstrcpynW(item, value, SAMPLE_PATH);
    else
      SampleJoin(item, SAMPLE_PATH, folder, value);
    items[(*count)++] = item;
  }
  return items;
}

static void FreeSection(wchar_t** items, int count) {
  for (int i = 0; i < count; ++i) HeapFree(GetProcessHeap(), 0, items[i]);
  if (items) HeapFree(GetProcessHeap(), 0, items);
}

/* Deletes a logged key ("HKLM\\..." or "HKCU\\...", 32-bit view): with everything below it, or only when it
 * has no subkeys. */
static BOOL DeleteKey32(const wchar_t* text, BOOL tree) {
  HKEY root = HKEY_LOCAL_MACHINE;
  if (_wcsnicmp(text, L"HKLM\\", 5) == 0) {
    text += 5;
  } else if (_wcsnicmp(text, L"HKCU\\", 5) == 0) {
    root = HKEY_CURRENT_USER;
    text += 5;
  }
  if (!tree) {
    const LONG result = RegDeleteKeyExW(root, text, KEY_WOW64_32KEY, 0);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
  }
  wchar_t parent[SAMPLE_PATH];
  lstrcpynW(parent, text, ARRAYSIZE(parent));
  wchar_t* slash = wcsrchr(parent, L'\\');
  if (!slash) return FALSE;
  *slash = 0;
  HKEY key;
  LONG result = RegOpenKeyExW(root, parent, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key);
  if (result == ERROR_FILE_NOT_FOUND) return TRUE;
  if (result != ERROR_SUCCESS) return FALSE;
  result = RegDeleteTreeW(key, slash + 1);
  RegCloseKey(key);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

static BOOL DeleteOneFile(const wchar_t* path) {
  if (DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)
    return TRUE;
  SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(path);
}

int UninstallLogRemove(const wchar_t* path, const wchar_t* keep) {
  wchar_t folder[SAMPLE_PATH];
  lstrcpynW(folder, path, ARRAYSIZE(folder));
  wchar_t* slash = wcsrchr(folder, L'\\');
  if (slash) *slash = 0;
  int files_count, keys_count, shared_count, folders_count;
  wchar_t** files = ReadSection(path, folder, L"Files", &files_count);
  wchar_t** keys = ReadSection(path, folder, L"Keys", &keys_count);
  wchar_t** shared = ReadSection(path, folder, L"SharedKeys", &shared_count);
  wchar_t** folders = ReadSection(path, folder, L"Folders", &folders_count);
  int failed = 0;
  for (int i = 0; i < files_count; ++i) {
    if (keep && lstrcmpiW(files[i], keep) == 0) continue;
    failed += !DeleteOneFile(files[i]);
  }
  if (!keep) DeleteOneFile(path);
  for (int i = 0; i < keys_count; ++i) failed += !DeleteKey32(keys[i], TRUE);
  /* A shared key that another program has filled meanwhile stays. */
  for (int i = shared_count - 1; i >= 0; --i) DeleteKey32(shared[i], FALSE);
  for (int i = folders_count - 1; i >= 0; --i) RemoveDirectoryW(folders[i]);
  FreeSection(files, files_count);
  FreeSection(keys, keys_count);
  FreeSection(shared, shared_count);
  FreeSection(folders, folders_count);
  return failed;
}
