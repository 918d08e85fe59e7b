#include "plt_draw/devices/device_command.h"

namespace verdan {

DeviceCommand& DeviceCommand::repeat(std::size_t count, char c) {
  for (std::size_t i = 0; i < count; ++i) *this << c;
  return *this;
}

DeviceCommand& DeviceCommand::single(float value) {
  return put<4>([value](char* out) { return write_f2x(out, value); });
}

DeviceCommand& DeviceCommand::whole32(float value) {
  return put<4>([value](char* out) { return write_l2x(out, value); });
}

void DeviceCommand::keep() {
  // A command too long is refused before plot_cmd changes.
  if (size_ > FixedText<kCommandSize>::kCapacity) s_.plot_cmd.finish(size_);
  s_.plot_cmd = view();
}

void DeviceCommand::emit() {
  keep();
  plot_write(s_, view());
}

}  // namespace verdan
