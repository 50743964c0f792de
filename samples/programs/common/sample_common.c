#include "sample_common.h"

#include <shellapi.h>

static LPWSTR* g_words;
static int g_count;
static LPWSTR* g_env_words;
static int g_env_count;

void SampleArgsInit(void) {
  static wchar_t env[2048];
  g_words = CommandLineToArgvW(GetCommandLineW(), &g_count);
  if (GetEnvironmentVariableW(L"NORVA_SAMPLE_ARGS", env, ARRAYSIZE(env)) > 0) {
    /* CommandLineToArgvW takes its first word as the program name, whatever it is. */
    static wchar_t line[2100];
    lstrcpyW(line, L"x ");
    lstrcatW(line, env);
    g_env_words = CommandLineToArgvW(line, &g_env_count);
  }
}

/* The value part of one word when it is the switch `name`: "" for "/name", the text after "=" for
 * "/name=value"; NULL for any other word. */
static const wchar_t* Match(const wchar_t* word, const wchar_t* name) {
  const int length = lstrlenW(name);
  if (word[0] != L'/' && word[0] != L'-') return NULL;
  if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, word + 1, length, name, length) != CSTR_EQUAL)
    return NULL;
  if (word[1 + length] == 0) return word + 1 + length;
  if (word[1 + length] == L'=') return word + 2 + length;
  return NULL;
}

static const wchar_t* Find(const wchar_t* name) {
  for (int i = 1; i < g_count; ++i) {
    const wchar_t* value = Match(g_words[i], name);
    if (value) return value;
  }
  for (int i = 1; i < g_env_count; ++i) {
    const wchar_t* value = Match(g_env_words[i], name);
    if (value) return value;
  }
  return NULL;
}

BOOL SampleHasSwitch(const wchar_t* name) {
  return Find(name) != NULL;
}

const wchar_t* SampleSwitchValue(const wchar_t* name) {
  const wchar_t* value = Find(name);
  return value && value[0] ? value : NULL;
}

void SampleExeFolder(wchar_t* out, size_t size) {
  GetModuleFileNameW(NULL, out, (DWORD)size);
  wchar_t* slash = wcsrchr(out, L'\\');
  if (slash) *slash = 0;
}

void SampleExeStem(wchar_t* out, size_t size) {
  wchar_t path[SAMPLE_PATH];
  GetModuleFileNameW(NULL, path, ARRAYSIZE(path));
  const wchar_t* slash = wcsrchr(path, L'\\');
  lstrcpynW(out, slash ? slash + 1 : path, (int)size);
  wchar_t* dot = wcsrchr(out, L'.');
  if (dot) *dot = 0;
  CharLowerW(out);
}

void SampleJoin(wchar_t* out, size_t size, const wchar_t* a, const wchar_t* b) {
  const BOOL full = (b[0] && b[1] == L':') || (b[0] == L'\\' && b[1] == L'\\');
  if (full || !a[0]) {
    lstrcpynW(out, b, (int)size);
    return;
  }
  lstrcpynW(out, a, (int)size);
  const int length = lstrlenW(out);
  if (length > 0 && out[length - 1] != L'\\' && (size_t)length + 1 < size) lstrcatW(out, L"\\");
  const int rest = (int)size - lstrlenW(out);
  if (rest > 1) lstrcpynW(out + lstrlenW(out), b[0] == L'\\' ? b + 1 : b, rest);
}

BOOL SampleFileExists(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL SampleFolderExists(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL SampleMakeFolders(const wchar_t* path) {
  if (SampleFolderExists(path)) return TRUE;
  wchar_t parent[SAMPLE_PATH];
  lstrcpynW(parent, path, ARRAYSIZE(parent));
  wchar_t* slash = wcsrchr(parent, L'\\');
  if (slash && slash > parent + 2) {
    *slash = 0;
    if (!SampleMakeFolders(parent)) return FALSE;
  }
  return CreateDirectoryW(path, NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void SampleIniString(const wchar_t* file, const wchar_t* section, const wchar_t* key, wchar_t* out,
                     size_t size) {
  GetPrivateProfileStringW(section, key, L"", out, (DWORD)size, file);
}

BOOL SampleWriteText(const wchar_t* path, const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
  char* data = (char*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)bytes);
  if (!data) return FALSE;
  WideCharToMultiByte(CP_UTF8, 0, text, -1, data, bytes, NULL, NULL);
  const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD written = 0;
  const BOOL ok = file != INVALID_HANDLE_VALUE && WriteFile(file, data, (DWORD)bytes - 1, &written, NULL);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  HeapFree(GetProcessHeap(), 0, data);
  return ok && written == (DWORD)bytes - 1;
}
