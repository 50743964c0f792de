/* The sample disc's setup program. It reads <its own name>.ini beside it:
 *
 *   [Setup]
 *   Name=Lighthouse Keeper            title, the Uninstall key's DisplayName and the shortcut's name
 *   Publisher=Beacon Games            (optional) the Uninstall key's Publisher
 *   Folder=Lighthouse Keeper          target: under Program Files, or a full path such as C:\Hry\X
 *   Payload=payload                   folder beside the setup whose contents are copied (default "payload")
 *   Program=keeper.exe                the installed program the shortcut starts
 *   Group=Lighthouse Keeper           (optional) Start-menu folder for all users that gets the shortcut
 *   UninstallKey=LighthouseKeeper     (optional) key under ...\CurrentVersion\Uninstall
 *   AppKey=Software\Beacon\Keeper     (optional) application key; its value Path names the program
 *   Note=...                          (optional) a setup with nothing to copy shows this and ends
 *
 * Everything made is written into the uninstall log uninst.ini in the target folder, and the uninstaller
 * uninst.exe (beside the setup) is copied there. Run again while the item is installed, the setup offers to
 * remove it. "/S" installs or removes without asking. Exit code 0 done, 1 cancelled, 2 failed. */
#ifndef NORVA_SAMPLE_SETUP_H
#define NORVA_SAMPLE_SETUP_H

#include "../common/uninstall_log.h"

/* Copies the tree `from` into `to` (made with its missing parents), logging every file and every folder it
 * had to make. FALSE when a file cannot be copied. */
BOOL CopyTree(const wchar_t* from, const wchar_t* to, struct UninstallLog* log);

/* Makes `folder` and the parents it lacks, logging each one made, outermost first. */
BOOL MakeLoggedFolders(const wchar_t* folder, struct UninstallLog* log);

/* A shortcut `link` to `target` that starts in `folder`, made through the shell's link object. */
BOOL MakeShortcut(const wchar_t* link, const wchar_t* target, const wchar_t* folder, const wchar_t* what);

/* HKLM key `shared`\`rest` in the 32-bit view, made with the parents it lacks; the outermost key made
 * below `shared` is logged ("HKLM\...") so that removing it removes exactly what was made, and never a key
 * that other programs share (the Uninstall key itself, Software). */
HKEY MakeLoggedKey(const wchar_t* shared, const wchar_t* rest, struct UninstallLog* log);

#endif
