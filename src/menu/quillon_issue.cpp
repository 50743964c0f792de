#include "menu/quillon_issue.h"

#include "platform/code_page.h"

namespace norva::menu {
namespace {

// Issue content: replace with each new issue of the diskmag.
constexpr const char* kTitle = "QUILLON 52";
constexpr const char* kTeaserUtf8 =
    "Quillon 52 je tady! Tentokrát jsme se vydali do zákulisí vznikajících českých her a přinášíme "
    "rozhovor s autory, kteří nám ukázali první hratelnou verzi. Nechybí recenze nejočekávanějších her "
    "měsíce, velký test herních ovladačů ani pokračování povídky z minulého čísla. Diskmag spustíte "
    "tlačítkem Play.";
constexpr const char* kCreditsUtf8 = "Redakce: Tomáš Jelínek, Eva Šťastná, Ondřej Kříž";
constexpr const char* kPicture = "QUILLON";

}  // namespace

const QuillonIssue& CurrentQuillonIssue() {
  static const QuillonIssue issue{
      kTitle,
      platform::Utf8ToAnsi(kTeaserUtf8, platform::CodePage::kCentralEuropean),
      platform::Utf8ToAnsi(kCreditsUtf8, platform::CodePage::kCentralEuropean),
      kPicture,
  };
  return issue;
}

}  // namespace norva::menu
