#include "check/text_check.h"

#include <cstdio>

#include "check/catalog_keys.h"
#include "components/clock.h"
#include "components/window.h"
#include "menu/main_controls.h"

namespace norva::check {
namespace {

// A caption as the label draws it: UTF-8, a doubled ampersand shown once.
std::string ShownCaption(const CheckRun& run, std::string_view ansi) {
  std::string text = run.Shown(ansi);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&') ++i;
    out += text[i];
  }
  return out;
}

struct Labels {
  components::Clock clock;
  components::Window window{"Form1", menu::MainControls::kBorderWidth, menu::MainControls::kBorderHeight,
                            clock};
  menu::MainControls controls{window};
};

class TextJudge {
 public:
  explicit TextJudge(CheckRun& run) : run_(run) {}

  void Line(std::string_view section, std::string_view key, const std::string& ansi,
            const components::FadeLabel& label, std::string_view where) {
    if (ansi.empty() || run_.in.text_fit == nullptr) return;
    const std::string text = ShownCaption(run_, ansi);
    if (!run_.in.text_fit->FitsLine(text, label.font, label.rect.width)) {
      run_.out.Warning(section, key,
                       "\"" + text + "\" is cut in " + std::string(where) + " (" +
                           std::to_string(label.rect.width) + " pixels)");
    }
  }

  void Box(std::string_view section, std::string_view key, const std::string& ansi) {
    if (ansi.empty() || run_.in.text_fit == nullptr) return;
    const auto& label = *labels_.controls.TextLabel;
    if (!run_.in.text_fit->FitsBox(ShownCaption(run_, ansi), label.font, label.rect.width,
                                   label.rect.height)) {
      run_.out.Warning(section, key,
                       "the description overflows its box (" + std::to_string(label.rect.width) + "x" +
                           std::to_string(label.rect.height) + " pixels); its end is not shown");
    }
  }

  const menu::MainControls& controls() const { return labels_.controls; }

 private:
  CheckRun& run_;
  Labels labels_;
};

std::string_view DescribeKey(int edition, bool readers) {
  static const char* keys[] = {"Describe0", "Describe1", "Describe2", "Describe3",
                               "Describe4", "Describe5", "Describe6"};
  return readers ? "Describe1" : keys[edition >= 0 && edition <= 6 ? edition : 1];
}

}  // namespace

void CheckTexts(CheckRun& run, const catalog::Catalog& catalog) {
  if (run.in.text_fit == nullptr) return;
  TextJudge judge(run);
  const auto& c = judge.controls();
  const int edition = catalog.Edition;
  auto program = [&](const KindInfo& kind, const std::string& section, const catalog::TDemos& item) {
    judge.Line(section, "Name", item.Name, *c.DemosLabel[1], "the item list");
    judge.Line(section, "FullName", item.FullName.empty() ? item.Name : item.FullName, *c.NameLabel,
               "the panel's title");
    const bool tech = kind.demos == &catalog::kDriverKind;
    judge.Line(section, tech ? "TechInfo" : "Firm", tech ? item.TechInfo : item.Firm, *c.FirmLabel,
               "the panel");
    const bool readers = kind.demos == &catalog::kReaderKind;
    if (readers && edition != 1 && edition != 4) return;
    judge.Box(section, DescribeKey(edition, readers),
              edition == 0 && !readers ? item.Describe0 : item.Describe);
  };
  for (const KindInfo& kind : SectionKinds()) {
    auto each = [&](const auto& records, std::int32_t count, auto&& check) {
      for (std::int32_t n = 1; n <= count; ++n) {
        check(std::string(kind.section_prefix) + std::to_string(n), records[n]);
      }
    };
    auto demos = [&](const std::string& s, const catalog::TDemos& item) { program(kind, s, item); };
    const auto* d = kind.demos;
    if (d == &catalog::kDemoKind) each(catalog.Demo, catalog.DemoCount, demos);
    if (d == &catalog::kShareKind) each(catalog.Share, catalog.ShareCount, demos);
    if (d == &catalog::kReaderKind) each(catalog.Reader, catalog.ReaderCount, demos);
    if (d == &catalog::kFullKind) each(catalog.Full, catalog.FullCount, demos);
    if (d == &catalog::kDriverKind) each(catalog.Driver, catalog.DriverCount, demos);
    if (d == &catalog::kExtraKind) each(catalog.Extra, catalog.ExtraCount, demos);
    if (d == &catalog::kExtra2Kind) each(catalog.Extra2, catalog.Extra2Count, demos);
    auto other = [&](const std::string& section, const auto& item) {
      judge.Line(section, "Name", item.Name, *c.DemosLabel[1], "the item list");
      judge.Line(section, "FullName", item.FullName.empty() ? item.Name : item.FullName, *c.NameLabel,
                 "the panel's title");
      judge.Line(section, "Firm", item.Firm, *c.FirmLabel, "the panel");
      judge.Box(section, DescribeKey(edition, false), edition == 0 ? item.Describe0 : item.Describe);
    };
    if (kind.type == RecordType::kShot) each(catalog.Shot, catalog.ShotCount, other);
    if (kind.type == RecordType::kMovie) each(catalog.Movie, catalog.MovieCount, other);
  }
}

namespace {

// Valid UTF-8 sequences of two or more bytes: a text saved as UTF-8 rather than in the code page.
bool LooksLikeUtf8(std::string_view text) {
  int sequences = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) continue;
    const int length = (byte & 0xE0) == 0xC0 ? 2 : (byte & 0xF0) == 0xE0 ? 3 : (byte & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length - 1;
    ++sequences;
  }
  return sequences > 0;
}

}  // namespace

void CheckCodePage(CheckRun& run, platform::IniFile& ini) {
  const std::string_view replacement = "\xEF\xBF\xBD";
  const char* page = run.code_page == platform::CodePage::kTurkish ? "Windows-1254" : "Windows-1250";
  for (const std::string& section : ini.ReadSections()) {
    for (const std::string& key : ini.ReadSection(section)) {
      const std::string value = ini.ReadString(section, key, "");
      if (LooksLikeUtf8(value)) {
        run.out.Warning(section, key, std::string("the text looks like UTF-8; the menu reads it as ") + page);
        continue;
      }
      const std::string shown = platform::AnsiToUtf8(value, run.code_page);
      if (shown.find(replacement) != std::string::npos) {
        for (std::size_t i = 0; i < value.size(); ++i) {
          if (platform::AnsiToUtf8(value.substr(i, 1), run.code_page) == replacement) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(value[i]));
            run.out.Warning(section, key,
                            std::string("byte ") + byte + " at " + std::to_string(i + 1) +
                                " has no character in " + page + "; the window shows a replacement mark");
            break;
          }
        }
      }
    }
  }
}

}  // namespace norva::check
