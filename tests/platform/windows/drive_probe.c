/* A Windows program for the tests: prints what Windows programs learn about each drive root it is given,
   one line each: "D:\ type=5 fs=CDFS label=NORVA". */
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    char label[MAX_PATH + 1] = "";
    char file_system[MAX_PATH + 1] = "";
    if (!GetVolumeInformationA(argv[i], label, sizeof label, NULL, NULL, NULL, file_system, sizeof file_system))
      label[0] = file_system[0] = '\0';
    printf("%s type=%u fs=%s label=%s\n", argv[i], GetDriveTypeA(argv[i]), file_system, label);
  }
  return 0;
}
