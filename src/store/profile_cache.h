#pragma once
// The profile file as it is on disk at the moment of the call, parsed once
// and reused for as long as the file is unchanged.

#include <memory>
#include <string_view>

#include "store/profile_document.h"

namespace molvane {

// The document of the file at `path` as it is now: an empty document when
// there is no regular file there, nullptr when a file is there but cannot be
// read whole (so that no write replaces what could not be read).
[[nodiscard]] std::shared_ptr<const ProfileDocument> LoadProfile(std::string_view path);

}  // namespace molvane
