// The Windows machine as the menu sees it: one reference per concern.
#pragma once

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
};

}  // namespace norva::platform
