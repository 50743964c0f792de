// What the checks of one run share: the inputs, the disc lookup, the findings, and how a named file is
// reported.
#pragma once

#include <string>
#include <string_view>

#include "check/catalog_check.h"
#include "check/disc_lookup.h"
#include "check/findings.h"
#include "platform/code_page.h"

namespace norva::check {

struct CheckRun {
  const CheckInputs& in;
  DiscLookup lookup;
  Findings& out;
  std::string norva_dir;                                                // "D:\NORVA\"
  platform::CodePage code_page = platform::CodePage::kCentralEuropean;  // the edition's

  CheckRun(const CheckInputs& inputs, Findings& findings)
      : in(inputs), lookup(inputs.files), out(findings), norva_dir(inputs.disc_root + "\\NORVA\\") {}

  // Looks the file up and reports it when it is missing (with `missing` severity), stands only under another
  // letter case, or is no regular file. `what` names it for the message ("the setup", "the readme").
  LookupResult NeedFile(std::string_view section, std::string_view key, const std::string& dos_path,
                        std::string_view what, Severity missing = Severity::kError);
  // An ANSI text of the catalog or the disc as UTF-8, for a message.
  std::string Shown(std::string_view ansi) const { return platform::AnsiToUtf8(ansi, code_page); }

  // The same for a folder.
  LookupResult NeedFolder(std::string_view section, std::string_view key, const std::string& dos_path,
                          std::string_view what);
};

}  // namespace norva::check
