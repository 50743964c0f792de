/* What the setup makes on the machine: folders, files, registry keys and shortcuts, each logged. */
#include <objbase.h>
#include <shlobj.h>
#include <wchar.h>

#include "../common/sample_common.h"
#include "setup.h"

BOOL MakeLoggedFolders(const wchar_t* folder, struct UninstallLog* log) {
  if (SampleFolderExists(folder)) return TRUE;
  wchar_t parent[SAMPLE_PATH];
  lstrcpynW(parent, folder, ARRAYSIZE(parent));
  wchar_t* slash = wcsrchr(parent, L'\\');
  if (slash && slash > parent + 2) {
    *slash = 0;
    if (!MakeLoggedFolders(parent, log)) return FALSE;
  }
  if (!CreateDirectoryW(folder, NULL)) return FALSE;
  UninstallLogFolder(log, folder);
  return TRUE;
}

BOOL CopyTree(const wchar_t* from, const wchar_t* to, struct UninstallLog* log) {
  if (!MakeLoggedFolders(to, log)) return FALSE;
  wchar_t pattern[SAMPLE_PATH];
  SampleJoin(pattern, ARRAYSIZE(pattern), from, L"*");
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(pattern, &entry);
  if (search == INVALID_HANDLE_VALUE) return TRUE;
  BOOL ok = TRUE;
  do {
    if (lstrcmpW(entry.cFileName, L".") == 0 || lstrcmpW(entry.cFileName, L"..") == 0) continue;
    wchar_t source[SAMPLE_PATH], target[SAMPLE_PATH];
    SampleJoin(source, ARRAYSIZE(source), from, entry.cFileName);
    SampleJoin(target, ARRAYSIZE(target), to, entry.cFileName);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = CopyTree(source, target, log) && ok;
    } else if (CopyFileW(source, target, FALSE)) {
      /* Files from a disc are read-only; installed ones must not be. */
      SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL);
      UninstallLogFile(log, target);
    } else {
      ok = FALSE;
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return ok;
}

BOOL MakeShortcut(const wchar_t* link, const wchar_t* target, const wchar_t* folder, const wchar_t* what) {
  IShellLinkW* shortcut = NULL;
  if (FAILED(CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkW,
                              (void**)&shortcut)))
    return FALSE;
  shortcut->lpVtbl->SetPath(shortcut, target);
  shortcut->lpVtbl->SetWorkingDirectory(shortcut, folder);
  shortcut->lpVtbl->SetDescription(shortcut, what);
  IPersistFile* file = NULL;
  HRESULT result = shortcut->lpVtbl->QueryInterface(shortcut, &IID_IPersistFile, (void**)&file);
  if (SUCCEEDED(result)) {
    result = file->lpVtbl->Save(file, link, TRUE);
    file->lpVtbl->Release(file);
  }
  shortcut->lpVtbl->Release(shortcut);
  return SUCCEEDED(result);
}

HKEY MakeLoggedKey(const wchar_t* shared, const wchar_t* rest, struct UninstallLog* log) {
  wchar_t path[SAMPLE_PATH], logged[SAMPLE_PATH];
  SampleJoin(path, ARRAYSIZE(path), shared, rest);
  const int shared_length = lstrlenW(shared);
  /* Walks the key's path from the root: missing shared keys are logged to be removed when empty, the
   * outermost missing key below them to be removed with everything below it. */
  for (wchar_t* cut = path;;) {
    wchar_t* slash = wcschr(cut, L'\\');
    if (slash) *slash = 0;
    HKEY probe;
    const BOOL exists =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_32KEY, &probe) == ERROR_SUCCESS;
    if (exists) RegCloseKey(probe);
    const BOOL is_shared = lstrlenW(path) <= shared_length;
    if (!exists) {
      _snwprintf(logged, ARRAYSIZE(logged), L"HKLM\\%ls", path);
      logged[ARRAYSIZE(logged) - 1] = 0;
      if (is_shared) {
        UninstallLogSharedKey(log, logged);
      } else {
        UninstallLogKey(log, logged);
        break;
      }
    }
    if (!slash) break;
    *slash = L'\\';
    cut = slash + 1;
  }
  HKEY made;
  SampleJoin(path, ARRAYSIZE(path), shared, rest);
  return UninstallCreateKey32(path, &made) == ERROR_SUCCESS ? made : NULL;
}
