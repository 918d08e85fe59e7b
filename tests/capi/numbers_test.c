/* The value and number-to-text routines through the C interface: the
 * documented examples byte for byte, the caller's buffer at its edges, and
 * failures given back as codes. */
#define _POSIX_C_SOURCE 200809L
#include <math.h>
#include <stdlib.h>
#include <time.h>

#include "capi_check.h"
#include "verdan/verdan.h"

static void documented_examples(void) {
  CHECK_RESULT(VDN_N2A(0, out_, sizeof out_), "0");
  CHECK_RESULT(VDN_N2A(-0.5f, out_, sizeof out_), "-.5");
  CHECK_RESULT(VDN_N2A(0.09f, out_, sizeof out_), ".09");
  CHECK_RESULT(VDN_N2A(1234567, out_, sizeof out_), "1.23457E+06");
  CHECK_RESULT(VDN_MAR(3.14159f, 2, out_, sizeof out_), " 3.14");
  CHECK_RESULT(VDN_MAR(-2, 1, out_, sizeof out_), "-2.0");
  CHECK_RESULT(VDN_MAR(2.5f, 0, out_, sizeof out_), " 3");
  CHECK_RESULT(VDN_MAR(1, 3, out_, sizeof out_), " 1.000");
  CHECK_RESULT(VDN_S2X(-3.5f, out_, sizeof out_), "4");
  CHECK_RESULT(VDN_S2X(12.9f, out_, sizeof out_), "12");
  CHECK_RESULT(VDN_I2X(-1.5f, out_, sizeof out_), "\xFE\xFF");
  CHECK_RESULT(VDN_L2X(65536, out_, sizeof out_), "\x00\x00\x01\x00");
  CHECK_RESULT(VDN_F2X(1, out_, sizeof out_), "\x00\x00\x80\x3F");
  CHECK_RESULT(VDN_CULC(100, out_, sizeof out_), "\x46\x34");
  CHECK_RESULT(VDN_SP2DAT(35, out_, sizeof out_), "120");
  CHECK_RESULT(VDN_SP2DAT(0, out_, sizeof out_), "000");
  CHECK(VDN_DAT2SP("120") == 35);
  CHECK(VDN_DAT2SP("3") == VDN_DAT2SP("2"));
  CHECK(VDN_MIN(2, 2) == 2);
  CHECK(VDN_MIN(3, -1) == -1);
}

/* The library says the version its header was made for. */
static void version(void) {
  char want[32];
  snprintf(want, sizeof want, "%d.%d.%d", VDN_VERSION_MAJOR, VDN_VERSION_MINOR, VDN_VERSION_PATCH);
  CHECK(strcmp(vdn_version(), want) == 0);
}

static void environment_and_date(void) {
  char today[16];
  time_t now = time(NULL);
  unsetenv("VERDAN_CAPI_UNSET");
  CHECK_RESULT(VDN_GETENV("VERDAN_CAPI_UNSET", out_, sizeof out_), "");
  /* The host's UTF-8 comes as CP932. */
  setenv("VERDAN_CAPI_VALUE", "a b;\xE3\x82\xBD", 1);
  CHECK_RESULT(VDN_GETENV("VERDAN_CAPI_VALUE", out_, sizeof out_), "a b;\x83\x5C");
  /* The host's date in the same form, unless midnight passed in between. */
  strftime(today, sizeof today, "%Y/%m/%d", localtime(&now));
  {
    char out[16];
    CHECK(VDN_DAY(out, sizeof out) == 10);
    CHECK(strcmp(out, today) == 0 || time(NULL) / 86400 != now / 86400);
  }
  {
    char out[300];
    size_t length = VDN_GETCWD(out, sizeof out);
    CHECK(length != VDN_ERROR && length == strlen(out) && length > 0);
  }
}

/* Like snprintf: the whole length always, the buffer cut and terminated. */
static void short_buffers(void) {
  char out[8];
  memset(out, 'x', sizeof out);
  CHECK(VDN_N2A(1234567, out, 5) == 11);
  CHECK(memcmp(out, "1.23\0xxx", 8) == 0);
  CHECK(VDN_N2A(1234567, NULL, 0) == 11);
  CHECK(VDN_FAILURE() == VDN_OK);
  memset(out, 'x', sizeof out);
  CHECK(VDN_MAR(5, 0, out, 1) == 2);
  CHECK(out[0] == '\0' && out[1] == 'x');
  /* A binary field with a zero byte comes whole, its length telling where it ends. */
  memset(out, 'x', sizeof out);
  CHECK(VDN_I2X(256, out, sizeof out) == 2);
  CHECK(memcmp(out, "\x00\x01\0", 3) == 0);
  CHECK(VDN_F2X(1, out, 3) == 4);
  CHECK(memcmp(out, "\x00\x00\0", 3) == 0);
}

static void failures_are_codes(void) {
  char out[16] = "kept";
  CHECK(VDN_I2X(32768, out, sizeof out) == VDN_ERROR);
  CHECK(VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(strlen(vdn_failure_text()) > 0);
  CHECK(strcmp(out, "kept") == 0);
  CHECK(VDN_I2X(-32768, out, sizeof out) == 2);
  CHECK(VDN_FAILURE() == VDN_OK && vdn_failure_text()[0] == '\0');
  CHECK(VDN_L2X(3e9f, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_MAR(1, 1e9f, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_N2A(NAN, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_F2X(INFINITY, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_SP2DAT(NAN, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_SP2DAT(1e30f, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_CULC(65536, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_OVERFLOW);
  CHECK(VDN_MIN(NAN, 1) == 0 && VDN_FAILURE() == VDN_OVERFLOW);
  /* NULL where a text or a buffer belongs. */
  CHECK(VDN_N2A(1, NULL, 4) == VDN_ERROR && VDN_FAILURE() == VDN_ILLEGAL_CALL);
  CHECK(VDN_GETENV(NULL, out, sizeof out) == VDN_ERROR && VDN_FAILURE() == VDN_ILLEGAL_CALL);
  CHECK(VDN_DAT2SP(NULL) == 0 && VDN_FAILURE() == VDN_ILLEGAL_CALL);
  CHECK(VDN_SJ2J(NULL, NULL) == VDN_ILLEGAL_CALL);
}

static void shift_jis_to_jis(void) {
  int first = 136, second = 159;
  CHECK(VDN_SJ2J(&first, &second) == VDN_OK);
  CHECK(first == 48 && second == 33);
}

int main(void) {
  documented_examples();
  version();
  environment_and_date();
  short_buffers();
  failures_are_codes();
  shift_jis_to_jis();
  return check_report("capi_numbers");
}
