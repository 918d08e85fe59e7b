/* Stands in for the analysis program: writes its command line's argument
   to ANALYSIS.TXT in the current directory and ends. */
#include <stdio.h>

int main(int argc, char **argv) {
  FILE *out = fopen("ANALYSIS.TXT", "wb");
  int i;
  if (out == NULL) return 1;
  for (i = 1; i < argc; ++i) fprintf(out, i > 1 ? " %s" : "%s", argv[i]);
  fputs("\n", out);
  return fclose(out) == 0 ? 0 : 1;
}
