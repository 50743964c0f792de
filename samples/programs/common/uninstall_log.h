/* The uninstall log "uninst.ini" that the sample setup writes into the folder it installed, and that the
 * uninstaller (or the setup, run again) works through to remove exactly what was made:
 *
 *   [Uninstall]  Name=<display name>
 *   [Files]      1=<file> 2=...          files, deleted
 *   [Keys]       1=HKLM\<key> ...         registry keys in the 32-bit view, deleted with their subkeys
 *   [SharedKeys] 1=HKLM\<key> ...         keys other programs use too (made by the setup because they were
 *                                         missing), in the order made; removed last to first when empty
 *   [Folders]    1=<folder> ...           folders in the order they were made, removed last to first
 *
 * A path without a drive is relative to the log's folder (logs written by hand for unpacked items). The
 * log is UTF-16 with a byte-order mark, so names in any language survive. */
#ifndef NORVA_SAMPLE_UNINSTALL_LOG_H
#define NORVA_SAMPLE_UNINSTALL_LOG_H

#include <windows.h>

#define UNINSTALL_LOG_NAME L"uninst.ini"

struct UninstallLog {
  wchar_t path[1024];
  int files, keys, shared_keys, folders;
};

/* Starts a new log at `path`, replacing any old one. */
BOOL UninstallLogCreate(struct UninstallLog* log, const wchar_t* path, const wchar_t* name);
void UninstallLogFile(struct UninstallLog* log, const wchar_t* file);
void UninstallLogKey(struct UninstallLog* log, const wchar_t* key);
void UninstallLogSharedKey(struct UninstallLog* log, const wchar_t* key);
void UninstallLogFolder(struct UninstallLog* log, const wchar_t* folder);

/* The display name kept in the log at `path` (empty when there is none). */
void UninstallLogName(const wchar_t* path, wchar_t* out, size_t size);

/* Removes everything the log at `path` names, the log itself included. With `keep`, that file and the log
 * stay (a running program cannot delete its own file; the folders that hold it stay too, not being empty).
 * Returns the number of files and keys that could not be removed; a folder that is not empty is left alone
 * and not counted. Removing again what is already gone is no failure. */
int UninstallLogRemove(const wchar_t* path, const wchar_t* keep);

/* Opens a key under HKEY_LOCAL_MACHINE in the 32-bit view ("Software\..."), creating it with `access`. */
LONG UninstallCreateKey32(const wchar_t* key, HKEY* out);

#endif
