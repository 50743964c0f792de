// The catalog check for disc editors: reads a disc's catalog with the menu's own reader and reports every
// fault the menu would trip over, without installing, starting or deleting anything.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "catalog/catalog.h"
#include "check/findings.h"
#include "components/fade_label.h"
#include "components/image_loader.h"
#include "platform/archive.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"

namespace norva::check {

// How the window sets a one-line label or a word-wrapped box; the front end that draws the texts answers.
class TextFit {
 public:
  virtual ~TextFit() = default;
  // `text` is UTF-8 as it is shown (a doubled ampersand already one). True when the line is shown whole.
  virtual bool FitsLine(std::string_view text, const components::Font& font, int width) = 0;
  // True when the word-wrapped text stays inside the box.
  virtual bool FitsBox(std::string_view text, const components::Font& font, int width, int height) = 0;
};

// Decodes a picture file's bytes as the menu's picture loader does.
using PictureDecoder = std::function<components::ImageLoadResult(std::string_view bytes)>;

struct CheckInputs {
  platform::IniFile& catalog;  // the disc's NORVAXP.INI, opened as the menu opens it
  platform::FileSystem& files;
  std::string disc_root;                   // "D:", no trailing backslash
  platform::Archives* archives = nullptr;  // null: archives are not looked into
  PictureDecoder decode_picture = {};      // empty: pictures are not decoded
  TextFit* text_fit = nullptr;             // null: texts are not measured
  // The disc's folders tell names apart by letter case (a host folder; a disc image does not).
  bool case_sensitive = true;
  // Called with the edition's code page once [Main] is read, before any item (the menu switches the
  // machine's file names to it there).
  std::function<void(platform::CodePage)> on_code_page = {};
};

// Runs every check into `out`; `catalog` receives the records as the menu reads them.
void CheckCatalog(const CheckInputs& inputs, catalog::Catalog& catalog, Findings& out);

}  // namespace norva::check
