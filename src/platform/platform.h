// The Windows machine as the menu sees it: one reference per concern.
#pragma once

#include "platform/archive.h"
#include "platform/code_page.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace norva::platform {

struct Platform {
  FileSystem& files;
  Drives& drives;
  IniFiles& ini;
  Registry& registry;
  SystemInfo& system;
  Shell& shell;
  Processes& processes;
  // Archive unpacking; null on a machine that has none (every archive then fails to open).
  Archives* archives = nullptr;
};

}  // namespace norva::platform
