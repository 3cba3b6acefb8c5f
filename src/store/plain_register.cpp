#include "store/plain_register.h"

#include "store/profile_document.h"
#include "store/profile_lines.h"

namespace molvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Control bytes that text typed into the register never holds: everything
// below 0x20 except the blanks and line ends of the profile format. A
// sealed file looks random, and a small one starts like a header now and
// then; it is almost never also free of these.
bool HoldsForeignControlByte(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' &&
        byte != '\r') {
      return true;
    }
  }
  return false;
}

}  // namespace

bool IsPlainRegister(std::string_view bytes) {
  if (HoldsForeignControlByte(bytes)) return false;
  // The profile reader skips a byte order mark, so the test does too.
  profile::LineReader lines(bytes, bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
  while (const auto line = lines.Next()) {
    const profile::LineKind kind = profile::Classify(bytes, *line).kind;
    if (kind != profile::LineKind::kBlank) return kind == profile::LineKind::kHeader;
  }
  return false;
}

std::vector<std::string> TitlesIn(std::string_view bytes) {
  return ProfileDocument(std::string(bytes)).SectionNames();
}

}  // namespace molvane
