#include "platform/unexpected_end.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "platform/failure.h"

namespace verdan {
namespace {

// What a program's last guard writes for the exception being handled.
std::string report_of(void (*raise)()) {
  testing::internal::CaptureStderr();
  int status = 0;
  try {
    raise();
  } catch (...) {
    status = report_unexpected("VDN-TEST");
  }
  std::string line = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, kUnexpectedEndStatus);
  return line;
}

TEST(UnexpectedEnd, EveryKindOfExceptionIsOneLineAndItsOwnStatus) {
  EXPECT_EQ(report_of([] { fail(kOverflow, "beyond"); }), "VDN-TEST: unexpected failure: error 6: beyond\n");
  EXPECT_EQ(report_of([] { throw std::bad_alloc(); }), "VDN-TEST: unexpected failure: std::bad_alloc\n");
  EXPECT_EQ(report_of([] { throw 42; }), "VDN-TEST: unexpected failure: unknown exception\n");
  for (int taken : {0, 1, 2, 3}) EXPECT_NE(kUnexpectedEndStatus, taken);
}

}  // namespace
}  // namespace verdan
