/* The plot devices through the C interface: one INIT, PLOT, MOJI, PLT_END
 * stream for each device, the JW_CAD conversion and record reading, the
 * failures of calls out of order, and the plot file as a replacement. */
#define _POSIX_C_SOURCE 200809L
#include <dirent.h>
#include <math.h>
#include <stdlib.h>
#include <unistd.h>

#include "capi_check.h"
#include "verdan/verdan.h"

#define LIT(text) text, sizeof(text) - 1

static char file_bytes[8192];

static size_t read_file(const char *path) {
  FILE *file = fopen(path, "rb");
  size_t length = 0;
  if (file == NULL) return 0;
  length = fread(file_bytes, 1, sizeof file_bytes, file);
  fclose(file);
  return length;
}

/* Numbers no device's fields hold, each given to every primitive that
 * takes it: every call is VDN_OVERFLOW and leaves the pen and the command
 * buffer; the plot files show that none of them wrote a byte. */
static void refused_numbers(void) {
  const float numbers[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f};
  vdn_state *state = VDN_STATE();
  size_t i;
  state->pen_x = 10;
  state->pen_y = 20;
  strcpy(state->plot_cmd, "A");
  for (i = 0; i < sizeof numbers / sizeof numbers[0]; ++i) {
    const float v = numbers[i];
    CHECK(VDN_PLOT(v, 40, 1) == VDN_OVERFLOW);
    CHECK(VDN_PLOT(30, v, 1) == VDN_OVERFLOW);
    CHECK(VDN_DASH(v, 40, 2) == VDN_OVERFLOW);
    CHECK(VDN_DASH(30, v, 2) == VDN_OVERFLOW);
    CHECK(VDN_CIR(v, 40, 5, 1) == VDN_OVERFLOW);
    CHECK(VDN_CIR(30, 40, v, 1) == VDN_OVERFLOW);
    CHECK(VDN_MOVE(v, 0) == VDN_OVERFLOW);
    CHECK(VDN_MOVE(0, v) == VDN_OVERFLOW);
    CHECK(VDN_MOJI(v, 20, 5, 0) == VDN_OVERFLOW);
    CHECK(VDN_MOJI(10, 20, v, 0) == VDN_OVERFLOW);
    CHECK(VDN_MOJI(10, 20, 5, v) == VDN_OVERFLOW);
    CHECK(VDN_FAILURE() == VDN_OVERFLOW);
    CHECK(state->pen_x == 10 && state->pen_y == 20);
    CHECK(strcmp(state->plot_cmd, "A") == 0);
    /* A line from a pen the caller put there. */
    state->pen_y = v;
    CHECK(VDN_PLOT(30, 40, 1) == VDN_OVERFLOW);
    state->pen_y = 20;
  }
  CHECK(VDN_PLOT(30, 40, NAN) == VDN_OVERFLOW);
  CHECK(VDN_CIR(30, 40, 5, INFINITY) == VDN_OVERFLOW);
}

/* The plot file of one device: paper 1, a line from (10, 20) to (30, 40) in
 * pen `pen`, the text "A" at (10, 20), 5 mm high, in direction `angle`;
 * before them, with `refusing`, the refused numbers. */
static size_t plot_stream(float device, float pen, float angle, int refusing) {
  vdn_state *state = VDN_STATE();
  state->plot_device = device;
  CHECK(VDN_PLOT_OPEN("P.OUT") == VDN_OK);
  CHECK(VDN_INIT(1, 1) == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  if (refusing) refused_numbers();
  state->pen_x = 10;
  state->pen_y = 20;
  CHECK(VDN_PLOT(30, 40, pen) == VDN_OK);
  CHECK(state->pen_x == 30 && state->pen_y == 40);
  strcpy(state->plot_cmd, "A");
  CHECK(VDN_MOJI(10, 20, 5, angle) == VDN_OK);
  CHECK(VDN_PLT_END() == VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
  return read_file("P.OUT");
}

static void check_stream(int line, size_t length, const char *parts[], const size_t sizes[], int count) {
  char want[4096];
  size_t want_length = 0;
  int i;
  for (i = 0; i < count; ++i) {
    memcpy(want + want_length, parts[i], sizes[i]);
    want_length += sizes[i];
  }
  check_bytes(__FILE__, line, length, file_bytes, want, want_length);
}


static void esc_page(void) {
  size_t length = plot_stream(1, 1, 0, 1);
  const char *parts[] = {"\x1bS\x1b\x1bS\x1c\x1bz\0\0\x1drpE\x1d" "1mmE\x1d" "0;0.12muE\x1d" "0affP",
                         "\x1d" "14;;psE\x1d" "0poE\x1d" "0X\x1d" "0Y",
                         "\x1d" "0;0lpG\x1d" "1;1;1lwG\x1d" "236;6203;708;5731lG",
                         "\x1d" "264ssF\x1d" "1tfF\x1d" "59wmF\x1d" "118hmF\x1d" "0roF\x1d" "0slF\x1d"
                         "236X\x1d" "6203YA\x1d" "0X\x1d" "0Y",
                         "\x0c\x1drpE\x1d" "1pmE\x1bS\x1b\x1bSK"};
  const size_t sizes[] = {sizeof "\x1bS\x1b\x1bS\x1c\x1bz\0\0\x1drpE\x1d" "1mmE\x1d" "0;0.12muE\x1d" "0affP" - 1,
                          strlen(parts[1]), strlen(parts[2]), strlen(parts[3]), strlen(parts[4])};
  check_stream(__LINE__, length, parts, sizes, 5);
}

static void hpgl(void) {
  {
    size_t length = plot_stream(3, 3, 90, 1);
    const char *parts[] = {"\x1b.K", "DF;IP 0, 0,3200,2400;IW 0, 0, 7721, 11040;PA;CM1;CS6;CA101;",
                           "SP1;LT;PD1200,1600;", "PU400,800;SP2;DI-1,99;SI.15,.35;SS;LBA\x03", "SP0;PU0,0;"};
    const size_t sizes[] = {strlen(parts[0]), strlen(parts[1]), strlen(parts[2]), strlen(parts[3]),
                            strlen(parts[4])};
    check_stream(__LINE__, length, parts, sizes, 5);
  }
  {
    /* The centred plotter: the same commands about the paper's centre, and
     * the pen parked at the origin rounded down. */
    size_t length = plot_stream(2, 2, 90, 1);
    const char *parts[] = {"\x1b.K", "DF;IP 0, 0,3200,2400;IW-3860.5,-5520, 3860.5, 5520;PA;CM1;CS6;CA101;",
                           "SP2;LT;PD-2660.5,-3920;", "PU-3460.5,-4720;SP2;DI-1,99;SI.15,.35;SS;LBA\x03",
                           "SP0;PU-3861,-5520;"};
    const size_t sizes[] = {strlen(parts[0]), strlen(parts[1]), strlen(parts[2]), strlen(parts[3]),
                            strlen(parts[4])};
    check_stream(__LINE__, length, parts, sizes, 5);
  }
}

static void lips(void) {
  size_t length = plot_stream(4, 1, 0, 1);
  const char *parts[] = {"\x1b%@\x1bP31;300;1J\x1b\\",
                         "\x1b<\x1b[14p\x1b[0q\x1b[0&} <Mincho-Medium-H\x1fMincho-Medium\x1e"
                         " ;1J\x1f" "1I\x1f" "2B\x1e@\"\x1e#\x1e!0#\x1e"
                         "$\x1e(00BS8CS;\x1e"
                         "U2\x1eT1\x1e]1\x1em1\x1e'2\x1en2\x1e" "a3\x1e",
                         "E10\x1e" "F11\x1e" "1G6N<N<N<\x1e", "Z0F4F40\x1eYC5\x1e" "40G6N<1\x0f" "A\x1e",
                         "%\x1e}p\x1e\x0c\x1bP0J\x1b\\"};
  const size_t sizes[] = {strlen(parts[0]), strlen(parts[1]), strlen(parts[2]), strlen(parts[3]),
                          strlen(parts[4])};
  check_stream(__LINE__, length, parts, sizes, 5);
}

/* JW_CAD at two units a millimetre (set in the state after INIT), so that
 * the singles in the records are exact. */
static void jw_cad(void) {
  static const char title[] = "i                                \n";
  static const char line[] = "s\0\0\0\x40\0\0\x80\x40\0\0\xC0\x40\0\0\0\x41\x01\x02\x03\0\0\0\n";
  static const char text[] = "m\0\0\0\x40\0\0\x80\x40\0\0\0\x41\0\0\x80\x40\0\0\0\0\x03\x01\0\0" "AB\0\n";
  vdn_state *state = VDN_STATE();
  char want[512];
  size_t n = 0;
  char fixed[64];
  state->plot_device = 5;
  CHECK(VDN_PLOT_OPEN("P.TMP") == VDN_OK);
  CHECK(VDN_INIT(1, 1) == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  state->scale_x = state->scale_y = 2;
  refused_numbers();
  state->plot_layer = 3;
  state->pen_x = 1;
  state->pen_y = 2;
  CHECK(VDN_PLOT(3, 4, 2) == VDN_OK);
  CHECK_BYTES(state->plot_cmd_length, state->plot_cmd, line);
  state->plot_layer = 1;
  strcpy(state->plot_cmd, "AB");
  CHECK(VDN_MOJI(1, 2, 3, 0) == VDN_OK);
  CHECK(state->pen_x == 1 && state->pen_y == 2);
  CHECK(VDN_PLT_END() == VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
  memcpy(want + n, title, sizeof title - 1), n += sizeof title - 1;
  memcpy(want + n, title, sizeof title - 1), n += sizeof title - 1;
  memcpy(want + n, "i1.00,0,3,\n", 11), n += 11;
  memcpy(want + n, line, sizeof line - 1), n += sizeof line - 1;
  memcpy(want + n, text, sizeof text - 1), n += sizeof text - 1;
  want[n++] = 't';
  check_bytes(__FILE__, __LINE__, read_file("P.TMP"), file_bytes, want, n);

  /* Read back a record at a time. */
  CHECK(VDN_RECORDS_OPEN("P.TMP") == VDN_OK);
  CHECK(VDN_RECORD_KIND() == 'i');
  CHECK(VDN_JWH('i', fixed, sizeof fixed) == 0);
  CHECK_BYTES(state->plot_cmd_length, state->plot_cmd, "                                ");
  CHECK(VDN_RECORD_KIND() == 'i' && VDN_JWH('i', fixed, sizeof fixed) == 0);
  CHECK(VDN_RECORD_KIND() == 'i' && VDN_JWH('i', fixed, sizeof fixed) == 0);
  CHECK_BYTES(state->plot_cmd_length, state->plot_cmd, "1.00,0,3,");
  CHECK(VDN_RECORD_KIND() == 's');
  check_bytes(__FILE__, __LINE__, VDN_JWH('s', fixed, sizeof fixed), fixed, line + 1, 22);
  CHECK(VDN_RECORD_KIND() == 'm');
  check_bytes(__FILE__, __LINE__, VDN_JWH('m', fixed, sizeof fixed), fixed, text + 1, 24);
  CHECK_BYTES(state->plot_cmd_length, state->plot_cmd, "AB\0");
  CHECK(VDN_RECORD_KIND() == 't');
  CHECK(VDN_RECORD_KIND() == -1 && VDN_FAILURE() == VDN_OK);
  CHECK(VDN_RECORDS_CLOSE() == VDN_OK);
}

/* An intermediate file of one group, written by INIT, becomes a drawing
 * with the head, one line record and the layer names. */
static void conversion(void) {
  static const char first_block[] =
      "jw_cad(c)data.......a.f.m...............                                        "
      "                                                                                "
      "                                        ";
  static const char counts[] = "1,0,0,0,0,1,1,1,1,1.00,0,4,1,3,5,5,5,10,0,1,1,1,1,2,3,10,10,0,0,0,678,0";
  vdn_state *state = VDN_STATE();
  size_t length;
  state->plot_device = 5;
  state->plot_layer = 0;
  CHECK(VDN_PLOT_OPEN("T.TMP") == VDN_OK);
  CHECK(VDN_INIT(2, 1) == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  state->pen_x = state->pen_y = 0;
  CHECK(VDN_PLOT(10, 10, 1) == VDN_OK);
  CHECK(VDN_PLT_END() == VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
  CHECK(VDN_TMP2JWC("T.TMP", "T.JWC", "") == VDN_OK);
  length = read_file("T.JWC");
  CHECK(length == 2421 + 22 + 1 + 2048 + 256);
  check_bytes(__FILE__, __LINE__, 200, file_bytes, first_block, 200);
  check_bytes(__FILE__, __LINE__, strlen(counts), file_bytes + 200, counts, strlen(counts));

  /* A file cut in a record is refused, and the old drawing stays. */
  {
    FILE *cut = fopen("CUT.TMP", "wb");
    fputs("i                                \ni                                \ni1.00,0,4,\ns\1\2", cut);
    fclose(cut);
  }
  CHECK(VDN_TMP2JWC("CUT.TMP", "T.JWC", "") == VDN_DAMAGED_FILE);
  CHECK(strstr(vdn_failure_text(), "CUT.TMP") != NULL);
  CHECK(read_file("T.JWC") == length);
  CHECK(VDN_TMP2JWC("NONE.TMP", "T.JWC", "") != VDN_OK);
  CHECK(VDN_TMP2JWC(NULL, "T.JWC", "") == VDN_ILLEGAL_CALL);
}

/* DXF and SVG: the same drawing with and without the refused numbers before
 * it. */
static void drawing_files(void) {
  static char plain[sizeof file_bytes];
  float device;
  for (device = 6; device <= 7; ++device) {
    size_t length = plot_stream(device, 1, 30, 0);
    CHECK(length > 0 && length < sizeof file_bytes);
    memcpy(plain, file_bytes, length);
    check_bytes(__FILE__, __LINE__, plot_stream(device, 1, 30, 1), file_bytes, plain, length);
  }
}

static void calls_out_of_order(void) {
  vdn_state *state = VDN_STATE();
  char kind_text[8];
  state->plot_device = 3;
  /* No INIT yet for this device: its scales are not set. */
  CHECK(VDN_PLOT(1, 1, 1) == VDN_ILLEGAL_CALL);
  CHECK(VDN_MOJI(1, 1, 1, 0) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_number_labels(NULL, NULL, 0, 1, 1, 0) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_lines(NULL, 0) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_dxf_expect_layer(9, 2) == VDN_ILLEGAL_CALL);
  CHECK(VDN_PLT_END() == VDN_ILLEGAL_CALL);
  CHECK(VDN_INIT(1, 1) == VDN_OK);
  /* An expected layer's pen is a line's or 0 for texts. */
  CHECK(vdn_plot_dxf_expect_layer(9, 4) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_dxf_expect_layer(-1, 2) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_dxf_expect_layer(9, 0) == VDN_OK);
  /* Labels without their points, lines without themselves. */
  CHECK(vdn_plot_number_labels(NULL, NULL, 1, 1, 1, 0) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_lines(NULL, 1) == VDN_ILLEGAL_CALL);
  /* No plot file. */
  CHECK(VDN_PLOT(1, 1, 1) == VDN_BAD_FILE_NUMBER);
  CHECK(VDN_PLOT_CLOSE() == VDN_BAD_FILE_NUMBER);
  CHECK(VDN_PLOT_OPEN(NULL) == VDN_ILLEGAL_CALL);
  CHECK(VDN_PLOT_OPEN("no-such-dir/P.OUT") != VDN_OK);
  CHECK(VDN_PLOT_OPEN("P.OUT") == VDN_OK);
  CHECK(VDN_PLOT_OPEN("P.OUT") == VDN_ILLEGAL_CALL);
  /* Bad pens and numbers write nothing. */
  CHECK(VDN_PLOT(1, 1, 7) == VDN_ILLEGAL_CALL);
  CHECK(VDN_PLOT(NAN, 1, 1) == VDN_OVERFLOW);
  CHECK(VDN_CIR(INFINITY, 1, 1, 1) == VDN_OVERFLOW);
  CHECK(VDN_INIT(NAN, 1) != VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
  CHECK(read_file("P.OUT") == 0);
  /* Another device needs INIT again. */
  state->plot_device = 4;
  CHECK(VDN_MOVE(1, 1) == VDN_ILLEGAL_CALL);
  /* Records with no record file. */
  CHECK(VDN_RECORD_KIND() == -1 && VDN_FAILURE() == VDN_BAD_FILE_NUMBER);
  CHECK(VDN_JWH('s', kind_text, sizeof kind_text) == VDN_ERROR && VDN_FAILURE() == VDN_BAD_FILE_NUMBER);
  CHECK(VDN_RECORDS_OPEN("NONE.TMP") != VDN_OK);
}

/* True when a replacement's temporary is left in the current directory. */
static int temporary_left(void) {
  DIR *dir = opendir(".");
  struct dirent *entry;
  int found = 0;
  if (dir == NULL) return 1;
  while ((entry = readdir(dir)) != NULL) {
    if (strncmp(entry->d_name, ".~", 2) == 0) found = 1;
  }
  closedir(dir);
  return found;
}

/* A plot file opened as a replacement: the old file stays whole until the
 * plot file is closed, and a discarded one leaves it as it was; a device is
 * written in place. Discarding a plot file opened otherwise closes it. */
static void replacement(void) {
  static const char old_plot[] = "old plot\r\n";
  vdn_state *state = VDN_STATE();
  size_t length, dxf_length;
  int i;
  FILE *old = fopen("R.OUT", "wb");
  fputs(old_plot, old);
  fclose(old);
  state->plot_device = 3;
  CHECK(vdn_plot_open_replacing(NULL) == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_discard() == VDN_BAD_FILE_NUMBER);
  CHECK(vdn_plot_keep_in_cache() == VDN_BAD_FILE_NUMBER);
  CHECK(vdn_plot_open_replacing("R.OUT") == VDN_OK);
  CHECK(vdn_plot_open_replacing("R.OUT") == VDN_ILLEGAL_CALL);
  CHECK(vdn_plot_keep_in_cache() == VDN_OK);
  CHECK(VDN_INIT(1, 1) == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  CHECK(VDN_PLOT(30, 40, 1) == VDN_OK);
  CHECK(VDN_PLT_END() == VDN_OK);
  CHECK(read_file("R.OUT") == strlen(old_plot));
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
  length = read_file("R.OUT");
  CHECK(length > 20 && memcmp(file_bytes, "\033.", 2) == 0);
  CHECK(!temporary_left());

  /* Dropped after a failure: the last plot stays, and no temporary. */
  CHECK(vdn_plot_open_replacing("R.OUT") == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  CHECK(VDN_PLOT(NAN, 40, 1) == VDN_OVERFLOW);
  CHECK(vdn_plot_discard() == VDN_OK);
  CHECK(read_file("R.OUT") == length);
  CHECK(!temporary_left());
  CHECK(VDN_PLOT_CLOSE() == VDN_BAD_FILE_NUMBER);

  /* A DXF drawing gone straight into a replacement that is dropped: the
   * next plot file starts a drawing of its own. */
  state->plot_device = 6;
  CHECK(vdn_plot_open_replacing("R.OUT") == VDN_OK);
  CHECK(VDN_INIT(3, 1) == VDN_OK);
  CHECK(vdn_plot_dxf_expect_layer(0, 2) == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  for (i = 0; i < 20000; ++i) VDN_PLOT((float)(i % 300), (float)(i % 200), 2);
  CHECK(vdn_plot_discard() == VDN_OK);
  CHECK(read_file("R.OUT") == length);
  CHECK(vdn_plot_open_replacing("R.OUT") == VDN_OK);
  CHECK(VDN_INIT(3, 1) == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  CHECK(VDN_PLOT(30, 40, 2) == VDN_OK);
  CHECK(VDN_PLT_END() == VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
  dxf_length = read_file("R.OUT");
  CHECK(dxf_length > 5 && dxf_length < sizeof file_bytes && memcmp(file_bytes + dxf_length - 5, "EOF\r\n", 5) == 0);
  CHECK(!temporary_left());
  state->plot_device = 3;
  CHECK(VDN_INIT(1, 1) == VDN_OK);

  /* A device is written in place and stays. */
  CHECK(vdn_plot_open_replacing("/dev/null") == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);

  /* A plot file emptied at opening is closed with what it has. */
  CHECK(VDN_PLOT_OPEN("R.OUT") == VDN_OK);
  CHECK(vdn_plot_start() == VDN_OK);
  CHECK(vdn_plot_discard() == VDN_OK);
  CHECK(read_file("R.OUT") > 0 && read_file("R.OUT") < length);
  CHECK(VDN_PLOT_OPEN("R.OUT") == VDN_OK);
  CHECK(VDN_PLOT_CLOSE() == VDN_OK);
}

static void remove_files(const char *dir) {
  static const char *names[] = {"P.OUT", "P.TMP", "T.TMP", "T.JWC", "CUT.TMP", "R.OUT"};
  size_t i;
  for (i = 0; i < sizeof names / sizeof names[0]; ++i) remove(names[i]);
  if (chdir("/") == 0) rmdir(dir);
}

int main(void) {
  char dir[] = "/tmp/verdan-capi-XXXXXX";
  int status;
  if (mkdtemp(dir) == NULL || chdir(dir) != 0) return 2;
  calls_out_of_order();
  esc_page();
  hpgl();
  lips();
  jw_cad();
  drawing_files();
  conversion();
  replacement();
  status = check_report("capi_plot");
  remove_files(dir);
  return status;
}
