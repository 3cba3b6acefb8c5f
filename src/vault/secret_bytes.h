#pragma once
// A string of secret bytes (a password, a register's plain text) that is
// overwritten before its memory is given back.

#include <string>
#include <utility>

#include "vault/wipe.h"

namespace molvane {

class SecretBytes {
 public:
  SecretBytes() = default;
  explicit SecretBytes(std::string bytes) : bytes_(std::move(bytes)) {}
  SecretBytes(const SecretBytes&) = delete;
  SecretBytes& operator=(const SecretBytes&) = delete;
  ~SecretBytes() { Wipe(); }

  // Overwrites the bytes and leaves the string empty.
  void Wipe() {
    WipeBytes(bytes_.data(), bytes_.size());
    bytes_.clear();
  }

  [[nodiscard]] std::string& get() { return bytes_; }
  [[nodiscard]] const std::string& get() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace molvane
