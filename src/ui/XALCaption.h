// A control's caption as plain text, for a window title or a message: without the "&" that
// marks its access key ("&&" stands for one "&"), and without the "(&X)" that Japanese captions
// append.
#pragma once

#include <string>
#include <string_view>

namespace xal {

std::string CaptionWithoutAccessKey(std::string_view caption);

}  // namespace xal
