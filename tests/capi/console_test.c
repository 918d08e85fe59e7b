/* The console routines through the C interface, on the headless console:
 * INN's entries, drawing with the shared pen, DSP2L, and the failures of a
 * missing console and of input that ran out. */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <math.h>
#include <stdlib.h>
#include <unistd.h>

#include "capi_check.h"
#include "verdan/verdan.h"

/* The headless console's final screen, one line a row. */
static char screen[24][160];

static void read_screen(const char *path) {
  FILE *file = fopen(path, "r");
  int row = 0;
  if (file == NULL) return;
  while (row < 24 && fgets(screen[row], sizeof screen[row], file) != NULL) {
    screen[row][strcspn(screen[row], "\n")] = '\0';
    ++row;
  }
  fclose(file);
}

static void without_console(void) {
  CHECK(VDN_INN("? ") == 0 && VDN_FAILURE() == VDN_ILLEGAL_CALL);
  CHECK(VDN_DRAW(1, 1) == VDN_ILLEGAL_CALL);
  CHECK(VDN_DSPN(1, 1, 1, 1) == VDN_ILLEGAL_CALL);
  CHECK(VDN_DRAW_CMQ(8, 8, 1) == VDN_ILLEGAL_CALL);
  CHECK(VDN_DSP2L(0, 0, "C:\\") == VDN_ILLEGAL_CALL);
  CHECK(VDN_CONSOLE_CLOSE() == VDN_ILLEGAL_CALL);
}

static void on_the_console(void) {
  vdn_state *state = VDN_STATE();
  CHECK(VDN_CONSOLE_OPEN() == VDN_OK);
  CHECK(VDN_CONSOLE_OPEN() == VDN_ILLEGAL_CALL);
  CHECK(VDN_INN("N=") == 12);
  CHECK(VDN_INN("N=") == 0 && VDN_FAILURE() == VDN_OK);
  CHECK(VDN_INN("N=") == 0);
  CHECK(VDN_INN("N=") == 3.5f);
  CHECK(VDN_INN("N=") == -2);
  CHECK(VDN_INN(NULL) == 0 && VDN_FAILURE() == VDN_ILLEGAL_CALL);

  state->pen_x = 10;
  state->pen_y = 10;
  state->line_color = 2;
  CHECK(VDN_DRAW(100, 50) == VDN_OK);
  CHECK(state->pen_x == 100 && state->pen_y == 50);
  CHECK(VDN_DSPN(7, 2, 200, 100) == VDN_OK);
  CHECK(state->pen_x != 100);
  CHECK(VDN_DRAW_DKI(8, 8, 1) == VDN_OK && state->pen_x == 74 * 8 && state->line_color == 13);
  CHECK(VDN_DRAW_SYU(8, 8, 0) == VDN_OK && state->line_color == 0);
  CHECK(VDN_DRAW_CMQ(8, 8, 1) == VDN_OK && state->line_color == 11);
  CHECK(VDN_DRAW(INFINITY, 1) == VDN_OVERFLOW);
  /* A line from a pen at no place. */
  state->pen_x = NAN;
  CHECK(VDN_DRAW(1, 1) == VDN_OVERFLOW);
  state->pen_x = 1;
  state->pen_y = -INFINITY;
  CHECK(VDN_DRAW(1, 1) == VDN_OVERFLOW);
  state->pen_y = 1;
  CHECK(VDN_DRAW(2, 2) == VDN_OK);

  CHECK(VDN_DSP2L(0, 20, "C:\\DIR\\FILE") == VDN_OK);
  CHECK(VDN_DSP2L(70, 21, "C:\\AB\\CDEFGHIJKLMN") == VDN_OK);
  CHECK(VDN_DSP2L(80, 0, "X") == VDN_ILLEGAL_CALL);
  CHECK(VDN_DSP2L(0, 0, NULL) == VDN_ILLEGAL_CALL);

  /* The script is spent: the entry fails instead of ending the caller. */
  CHECK(VDN_INN("N=") == 0 && VDN_FAILURE() == VDN_INPUT_PAST_END);
  CHECK(VDN_CONSOLE_CLOSE() == VDN_OK);
}

int main(void) {
  char dir[] = "/tmp/verdan-capi-console-XXXXXX";
  char input[64], output[64];
  int in, out, saved_out, status;
  if (mkdtemp(dir) == NULL) return 2;
  snprintf(input, sizeof input, "%s/in", dir);
  snprintf(output, sizeof output, "%s/screen", dir);
  {
    FILE *script = fopen(input, "w");
    fputs("12\n\nabc\n3.5x\n-2\n", script);
    fclose(script);
  }
  setenv("VERDAN_CONSOLE", "headless", 1);
  unsetenv("VERDAN_SNAPSHOT");
  in = open(input, O_RDONLY);
  out = open(output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  saved_out = dup(1);
  fflush(stdout);
  if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0) return 2;

  without_console();
  on_the_console();

  fflush(stdout);
  dup2(saved_out, 1);
  read_screen(output);
  CHECK(strcmp(screen[0], "N=12") == 0);
  CHECK(strcmp(screen[1], "N=") == 0);
  CHECK(strcmp(screen[4], "N=-2") == 0);
  CHECK(strcmp(screen[20], "C:\\DIR\\FILE") == 0);
  CHECK(strcmp(screen[21] + 70, "C:\\AB") == 0);
  CHECK(strcmp(screen[22] + 72, "\\CDEFGHI") == 0);
  remove(input);
  remove(output);
  rmdir(dir);
  status = check_report("capi_console");
  return status;
}
