#pragma once
// Text on its way between the program (GBK bytes) and FLTK (UTF-8), and
// the few shapes FLTK wants it in.

#include <string>
#include <string_view>

#include "toolkit/window.h"  // FirstLine, what a one-line box keeps

namespace molvane::toolkit::fltk {

// GBK to UTF-8 for a widget label: '@' is doubled, since FLTK would read
// a lone one as the start of a drawn symbol.
[[nodiscard]] std::string LabelText(std::string_view gbk);

// UTF-8 from a widget to GBK; a null pointer gives the empty text.
[[nodiscard]] std::string FromWidget(const char* utf8);

// CR LF, and a lone CR, become LF, the only line break FLTK draws.
[[nodiscard]] std::string ToLfLines(std::string_view text);

// LF becomes CR LF, the program's line break.
[[nodiscard]] std::string ToCrLfLines(std::string_view text);

// Breaks UTF-8 text into lines no wider than `width` pixels in the current
// font, at a blank where there is one, else between characters (Chinese
// has no blanks to break at). Existing line breaks stay.
[[nodiscard]] std::string WrapToWidth(std::string_view utf8, int width);

}  // namespace molvane::toolkit::fltk
