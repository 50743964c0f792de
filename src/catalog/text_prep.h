// Text helpers of catalog values. Both handle texts of any length whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace norva::catalog {

// A caption ready for a label control: every '&' without another '&' right before or after it is doubled (a
// label shows "&&" as one ampersand, "A&&B" is left alone), and everything from the first '~' on (an
// author's note) is cut off.
std::string PrepareCaption(std::string_view text);

// A catalog or store text as a label caption shows it unchanged: every lone '&' doubled, as PrepareCaption
// does, and nothing cut. Captions already prepared come back as they are.
std::string DoubleAmpersands(std::string_view text);

// Cuts a list value into its parts. The separator is ',' when the text has one, else ';' when it has one,
// else ':' when it has one, else ';'. Consecutive separators give empty parts, and a trailing separator an
// empty last part; an empty text gives no parts at all.
std::vector<std::string> SplitFields(std::string_view text);

}  // namespace norva::catalog
