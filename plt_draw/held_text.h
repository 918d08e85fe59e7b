// What a device holds back until its end (DXF's entities, which must follow
// the layer table that only the end knows): in memory while small, then in
// a spool file, so a drawing of any size takes the same memory.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host/spool_file.h"

namespace verdan {

class HeldText {
 public:
  // Held in memory up to this many bytes.
  static constexpr std::size_t kMemoryLimit = std::size_t{1} << 20;

  void append(std::string_view text);
  void clear();
  bool empty() const { return memory_.empty() && !spool_; }
  // Hands everything held to `out`, in order.
  void replay(const std::function<void(std::string_view)>& out);
  // Everything held, as one text (for small drawings and checks).
  std::string all();

 private:
  std::string memory_;
  std::unique_ptr<SpoolFile> spool_;
};

}  // namespace verdan
