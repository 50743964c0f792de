// The diskmag of this issue as its page shows it: a fixed entry, not a catalog item.
#pragma once

#include <string>

namespace norva::menu {

struct QuillonIssue {
  std::string Title;    // list row and title, e.g. "QUILLON 52"
  std::string Teaser;   // a few sentences about the issue, for the description area
  std::string Credits;  // the editors, for the developer line
  std::string Picture;  // the page's illustration
};

// Texts in Windows-1250, the code page of every edition that shows the Czech diskmag. Built once; the
// reference stays valid for the whole run.
const QuillonIssue& CurrentQuillonIssue();

}  // namespace norva::menu
