/* The number routines of libverdan: the texts and binary fields that a
 * plotting program writes into device streams.
 *
 *   cc numbers.c $(pkg-config --cflags --libs verdan) -o numbers
 *   ./numbers 3.14159 2
 */
#include <stdio.h>
#include <stdlib.h>

#include <verdan/verdan.h>

static void hex(const char *name, const char *bytes, size_t length) {
  size_t i;
  printf("%s", name);
  for (i = 0; i < length; ++i) printf(" %02X", (unsigned char)bytes[i]);
  printf("\n");
}

int main(int argc, char **argv) {
  float value = argc > 1 ? strtof(argv[1], NULL) : 3.14159f;
  float decimals = argc > 2 ? strtof(argv[2], NULL) : 2;
  char text[64];
  size_t length;

  if (VDN_MAR(value, decimals, text, sizeof text) == VDN_ERROR) {
    fprintf(stderr, "MAR: failure %d: %s\n", VDN_FAILURE(), vdn_failure_text());
    return 1;
  }
  printf("MAR  [%s]\n", text);
  VDN_N2A(value, text, sizeof text);
  printf("N2A  [%s]\n", text);
  VDN_S2X(value, text, sizeof text);
  printf("S2X  [%s]\n", text);
  length = VDN_F2X(value, text, sizeof text);
  hex("F2X ", text, length);
  length = VDN_L2X(value, text, sizeof text);
  if (length == VDN_ERROR) printf("L2X  failure %d\n", VDN_FAILURE());
  else hex("L2X ", text, length);
  /* I2X fails beyond 16 bits: the code says why, nothing stops. */
  length = VDN_I2X(value, text, sizeof text);
  if (length == VDN_ERROR) printf("I2X  failure %d\n", VDN_FAILURE());
  else hex("I2X ", text, length);
  VDN_DAY(text, sizeof text);
  printf("DAY  [%s]\n", text);
  return 0;
}
