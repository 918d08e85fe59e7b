#include "platform/host/stop_request.h"

namespace verdan {

// A Windows console's close and log-off events end the process through the
// console front end; there is no request to wait for here.
void take_stop_signals() {}

int stop_requested() { return 0; }

void stop_if_requested() {}

}  // namespace verdan
