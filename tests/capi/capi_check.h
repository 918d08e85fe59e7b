/* Checks for the C programs that test libverdan through its header. */
#ifndef VERDAN_TESTS_CAPI_CHECK_H
#define VERDAN_TESTS_CAPI_CHECK_H

#include <stdio.h>
#include <string.h>

static int check_failures;

#define CHECK(condition)                                                   \
  do {                                                                     \
    if (!(condition)) {                                                    \
      fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);      \
      ++check_failures;                                                    \
    }                                                                      \
  } while (0)

/* The bytes a routine gave (its result and its buffer) against a literal,
 * zero bytes included. */
static inline void check_bytes(const char *file, int line, size_t got_length, const char *got, const char *want,
                        size_t want_length) {
  size_t i;
  if (got_length == want_length && memcmp(got, want, want_length) == 0) return;
  fprintf(stderr, "%s:%d: got %zu bytes:", file, line, got_length);
  for (i = 0; i < got_length && i < 64; ++i) fprintf(stderr, " %02X", (unsigned char)got[i]);
  fprintf(stderr, "\n  wanted %zu:", want_length);
  for (i = 0; i < want_length && i < 64; ++i) fprintf(stderr, " %02X", (unsigned char)want[i]);
  fprintf(stderr, "\n");
  ++check_failures;
}

#define CHECK_BYTES(length, buffer, literal) \
  check_bytes(__FILE__, __LINE__, (length), (buffer), (literal), sizeof(literal) - 1)

#define CHECK_RESULT(call, literal)          \
  do {                                       \
    char out_[256];                          \
    size_t length_ = (call);                 \
    CHECK_BYTES(length_, out_, literal);     \
    CHECK(VDN_FAILURE() == VDN_OK);          \
  } while (0)

static inline int check_report(const char *name) {
  if (check_failures == 0) printf("%s: all checks passed\n", name);
  return check_failures == 0 ? 0 : 1;
}

#endif
