/* A Windows program for the tests: prints what Windows programs learn about each drive root it is given, one
   line each: "D:\ type=5 fs=CDFS label=NORVA serial=1234abcd" (the volume serial number in 8 hex digits, zero
   when the volume cannot be read). Any other argument, such as a file on the drive named before it, is opened
   and read to its end: "D:\Norva\NORVAXP.INI read=ok bytes=1234", or "read=failed error=2" with the code of
   GetLastError. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static int IsRoot(const char* arg) {
  return strlen(arg) == 3 && arg[1] == ':' && arg[2] == '\\';
}

static void ProbeRoot(const char* root) {
  char label[MAX_PATH + 1] = "";
  char file_system[MAX_PATH + 1] = "";
  DWORD serial = 0;
  if (!GetVolumeInformationA(root, label, sizeof label, &serial, NULL, NULL, file_system,
                             sizeof file_system)) {
    label[0] = file_system[0] = '\0';
    serial = 0;
  }
  printf("%s type=%u fs=%s label=%s serial=%08lx\n", root, GetDriveTypeA(root), file_system, label,
         (unsigned long)serial);
}

static void ProbeFile(const char* path) {
  HANDLE file =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    printf("%s read=failed error=%lu\n", path, (unsigned long)GetLastError());
    return;
  }
  static char buffer[65536];
  unsigned long total = 0;
  DWORD got = 0;
  BOOL ok;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, NULL)) && got > 0) total += got;
  const DWORD error = ok ? 0 : GetLastError();
  CloseHandle(file);
  if (ok)
    printf("%s read=ok bytes=%lu\n", path, total);
  else
    printf("%s read=failed error=%lu\n", path, (unsigned long)error);
}

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (IsRoot(argv[i]))
      ProbeRoot(argv[i]);
    else
      ProbeFile(argv[i]);
  }
  return 0;
}
