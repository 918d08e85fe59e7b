#include "plt_draw/devices/device_command.h"

#include "platform/failure.h"

namespace verdan {

DeviceCommand& DeviceCommand::new_number(float value) {
  return put<kFreeFormatMax>([this, value](char* out) {
    return s_.n2a_texts.put(out, value, [value](char* o) { return write_n2a(o, value); });
  });
}

void DeviceCommand::refuse_room() { fail(kOverflow, "a plot command longer than its buffer"); }

DeviceCommand& DeviceCommand::culc_at_end(float value) {
  return put<3>([value](char* out) { return write_culc(out, value); });
}

DeviceCommand& DeviceCommand::new_mm(double value) {
  return put<kMmTextMax>([this, value](char* out) {
    return s_.mm_texts.put(out, value, [value](char* o) { return write_mm(o, value); });
  });
}

DeviceCommand& DeviceCommand::whole32(float value) {
  return put<4>([value](char* out) { return write_l2x(out, value); });
}

}  // namespace verdan
