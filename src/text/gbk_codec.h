#pragma once
// The one place where text crosses between the program (GBK bytes) and a
// GUI or terminal that speaks UTF-8. Conversion runs as GB18030, which
// covers all of Unicode, so any character typed in the GUI survives the
// trip in and out. Bytes that are not valid GB18030 are carried across as
// the reserved private-use characters U+F780..U+F7FF (U+F780 + byte - 0x80)
// and restored on the way back, so they neither crash the conversion nor
// vanish: GbkToUtf8 followed by Utf8ToGbk gives back every byte sequence.

#include <string>
#include <string_view>

namespace molvane {

// GBK (GB18030) bytes to UTF-8.
[[nodiscard]] std::string GbkToUtf8(std::string_view gbk);

// UTF-8 to GBK (GB18030) bytes. Invalid UTF-8 bytes are kept as they are.
[[nodiscard]] std::string Utf8ToGbk(std::string_view utf8);

}  // namespace molvane
