#pragma once
// Erasing key material. The writes go through a volatile pointer so that the
// compiler cannot drop them as stores to memory that is never read again.

#include <cstddef>
#include <string>
#include <type_traits>

namespace molvane {

inline void WipeBytes(void* data, std::size_t size) {
  volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

// Overwrites a secret string and gives its memory back empty.
inline void WipeString(std::string& secret) {
  WipeBytes(secret.data(), secret.size());
  secret.clear();
  secret.shrink_to_fit();
}

template <class T>
void WipeObject(T& object) {
  static_assert(std::is_trivially_copyable_v<T>, "only plain data can be wiped bytewise");
  WipeBytes(&object, sizeof object);
}

}  // namespace molvane
