/* What the sample disc's Windows programs share: their switches, their own file name and folder, and the
 * small INI and path helpers they need. Wide-character Win32 only, no C runtime beyond msvcrt. */
#ifndef NORVA_SAMPLE_COMMON_H
#define NORVA_SAMPLE_COMMON_H

#include <windows.h>

#define SAMPLE_PATH 1024

/* Switches are "/name" or "/name=value", taken from the command line and then from the environment
 * variable NORVA_SAMPLE_ARGS (written the same way), so that tests can pass switches to programs that the
 * menu starts with the command lines of its catalog. Names are compared without regard to letter case. */
void SampleArgsInit(void);
BOOL SampleHasSwitch(const wchar_t* name);
/* The value of "/name=value", or NULL. */
const wchar_t* SampleSwitchValue(const wchar_t* name);

/* This program's folder (no trailing backslash) and its file name without extension ("skyhop"). */
void SampleExeFolder(wchar_t* out, size_t size);
void SampleExeStem(wchar_t* out, size_t size);

/* out = a + "\" + b (b alone when it is already a full path). */
void SampleJoin(wchar_t* out, size_t size, const wchar_t* a, const wchar_t* b);
BOOL SampleFileExists(const wchar_t* path);
BOOL SampleFolderExists(const wchar_t* path);
/* Creates the folder and its missing parents. */
BOOL SampleMakeFolders(const wchar_t* path);

/* GetPrivateProfileString into out; empty when missing. */
void SampleIniString(const wchar_t* file, const wchar_t* section, const wchar_t* key, wchar_t* out,
                     size_t size);

/* Writes the text as UTF-8, replacing the file. */
BOOL SampleWriteText(const wchar_t* path, const wchar_t* text);

#endif
