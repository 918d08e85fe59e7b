/* A frame data file (FRAME or CROSS, as VDN-GENE writes it) drawn on any
 * plot device through libverdan: members as lines, braces dashed, node
 * numbers beside the nodes. Device 5 also converts to a JW_CAD drawing.
 *
 *   plot_frame DEVICE DATA-FILE PLOT-FILE [JWC-FILE]
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <verdan/verdan.h>

#define MARGIN 20.0f /* mm */

static int failed(const char *what) {
  fprintf(stderr, "plot_frame: %s: failure %d %s\n", what, VDN_FAILURE(), vdn_failure_text());
  return 1;
}

int main(int argc, char **argv) {
  char line[4096];
  int nodes = 0, members = 0, n, a, b, kind;
  float *x, *y, min_x = 0, min_y = 0, max_x = 0, max_y = 0, scale, room_x, room_y;
  vdn_state *state = VDN_STATE();
  FILE *data;

  if (argc < 4 || (data = fopen(argv[2], "r")) == NULL) {
    fprintf(stderr, "usage: plot_frame DEVICE DATA-FILE PLOT-FILE [JWC-FILE]\n");
    return 2;
  }
  /* The header, then the counts of nodes and members. */
  if (!fgets(line, sizeof line, data) || strncmp(line, "VERDAN", 6) != 0 || !fgets(line, sizeof line, data) ||
      sscanf(line, "%d %d", &nodes, &members) != 2 || nodes < 1) {
    fprintf(stderr, "plot_frame: %s is no frame data file\n", argv[2]);
    return 1;
  }
  x = malloc(sizeof *x * (size_t)nodes);
  y = malloc(sizeof *y * (size_t)nodes);
  for (n = 0; n < nodes; ++n) {
    if (!fgets(line, sizeof line, data) || sscanf(line, "%f %f", &x[n], &y[n]) != 2) return 1;
    if (n == 0 || x[n] < min_x) min_x = x[n];
    if (n == 0 || y[n] < min_y) min_y = y[n];
    if (n == 0 || x[n] > max_x) max_x = x[n];
    if (n == 0 || y[n] > max_y) max_y = y[n];
  }

  state->plot_device = strtof(argv[1], NULL);
  if (VDN_PLOT_OPEN(argv[3]) != VDN_OK) return failed(argv[3]);
  if (VDN_INIT(1, 1) != VDN_OK || vdn_plot_start() != VDN_OK) return failed("INIT");
  if (state->scale_x == 0 || state->scale_y == 0) {
    fprintf(stderr, "plot_frame: device %s draws nothing of its own\n", argv[1]);
    return 1;
  }
  /* Fit the frame (cm) into the paper (mm) within the margin. */
  room_x = state->paper_w / state->scale_x;
  room_y = state->paper_h / state->scale_y;
  room_x = (room_x < 0 ? -room_x : room_x) - 2 * MARGIN;
  room_y = (room_y < 0 ? -room_y : room_y) - 2 * MARGIN;
  scale = room_x / (max_x - min_x > 1 ? max_x - min_x : 1);
  if (room_y / (max_y - min_y > 1 ? max_y - min_y : 1) < scale) scale = room_y / (max_y - min_y > 1 ? max_y - min_y : 1);
  for (n = 0; n < nodes; ++n) {
    x[n] = MARGIN + (x[n] - min_x) * scale;
    y[n] = MARGIN + (y[n] - min_y) * scale;
  }

  state->plot_layer = 9;
  for (n = 0; n < members && fgets(line, sizeof line, data); ++n) {
    if (sscanf(line, "%d %d %d", &a, &b, &kind) != 3 || a < 1 || b < 1 || a > nodes || b > nodes) break;
    VDN_MOVE(x[a - 1], y[a - 1]);
    if ((kind == 4 ? VDN_DASH(x[b - 1], y[b - 1], 1) : VDN_PLOT(x[b - 1], y[b - 1], 2)) != VDN_OK) {
      return failed("member");
    }
  }
  state->plot_layer = 8;
  for (n = 0; n < nodes; ++n) {
    VDN_N2A((float)(n + 1), state->plot_cmd, sizeof state->plot_cmd);
    if (VDN_MOJI(x[n] + 1, y[n] + 1, 2.5f, 0) != VDN_OK) return failed("number");
  }
  if (VDN_PLT_END() != VDN_OK || VDN_PLOT_CLOSE() != VDN_OK) return failed(argv[3]);
  if (argc > 4 && VDN_TMP2JWC(argv[3], argv[4], "") != VDN_OK) return failed(argv[4]);
  fclose(data);
  free(x);
  free(y);
  return 0;
}
