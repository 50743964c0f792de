// The message that tells why a program could not start on this machine, and how to mend it.
#pragma once

#include <string>
#include <string_view>

#include "platform/start_failure.h"
#include "strings/messages.h"

namespace norva::menu {

// The text of the edition's language for `failure` (empty for kNone); `program` fills its %1.
std::string StartFailureText(const strings::Messages& messages, int language, platform::StartFailure failure,
                             std::string_view program);

}  // namespace norva::menu
