/* libverdan: the VERDAN routine library for C and C++ callers.
 * Number-to-text routines for plot streams, console input and drawing, the
 * plot devices and the JW_CAD conversion, behind one prefix and plain types.
 *
 * Conventions of every routine:
 * - texts in are NUL-terminated CP932; paths are taken as the programs take
 *   them (DOS form "C:\DIR\FILE" or a host path);
 * - texts and bytes out go to (out, out_size); the result is the full length
 *   of the text, as with snprintf: a short buffer gets the first bytes and a
 *   NUL. A binary field (F2X, L2X, I2X) may hold zero bytes;
 * - a failing text routine returns VDN_ERROR, the others a non-zero code;
 *   VDN_FAILURE() tells the code of the last call (0 when it succeeded).
 *   Routines returning a number return 0 when they fail.
 * - the library keeps one state for the whole program and is not thread-safe.
 */
#ifndef VERDAN_VERDAN_H
#define VERDAN_VERDAN_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The library's own names are the only ones it exports. */
#if defined(__GNUC__)
#define VDN_API __attribute__((visibility("default")))
#else
#define VDN_API
#endif

#define VDN_VERSION_MAJOR 1
#define VDN_VERSION_MINOR 0
#define VDN_VERSION_PATCH 0

/* The result of a text routine that failed. */
#define VDN_ERROR ((size_t)-1)

/* Failure codes (VDN_FAILURE() and the results of the non-text routines). */
#define VDN_OK 0
#define VDN_ILLEGAL_CALL 5       /* bad argument, NULL, or a routine before its set-up */
#define VDN_OVERFLOW 6           /* a number out of range or not finite */
#define VDN_OUT_OF_MEMORY 7
#define VDN_BAD_FILE_NUMBER 52   /* no plot file or record file open */
#define VDN_PATH_NOT_FOUND 55
#define VDN_DISK_FULL 61
#define VDN_INPUT_PAST_END 62    /* a record cut short; keyboard input ran out */
#define VDN_FILE_NOT_FOUND 63
#define VDN_BAD_FILE_NAME 64
#define VDN_DRIVE_NOT_READY 72
#define VDN_WRITE_PROTECTED 73
#define VDN_ACCESS_DENIED 75
#define VDN_DAMAGED_FILE 1001    /* TMP2JWC: the intermediate file is damaged */

/* Size of the text buffers of the state. */
#define VDN_SEQUENCE_SIZE 512
#define VDN_COMMAND_SIZE 8192

/* The state every plot and drawing routine shares. The caller sets
 * plot_device and plot_layer, and the text of MOJI in plot_cmd (up to its
 * NUL); INIT fills the scales, the paper, the origin and the two sequences;
 * each primitive leaves its command in plot_cmd. The pen is millimetres on
 * the paper for the plot routines and pixels for the console drawing, which
 * draws in line_color. A text longer than its buffer is cut; its _length
 * field still tells the whole length. */
typedef struct vdn_state {
  float plot_device; /* 1 ESC/Page, 2 HP-GL centred, 3 HP-GL lower left,
                        4 LIPS III, 5 JW_CAD intermediate file, 6 DXF,
                        7 SVG */
  float plot_layer;
  float scale_x, scale_y;
  float paper_w, paper_h;
  float origin_x, origin_y;
  float pen_x, pen_y;
  float line_color;
  char plot_reset[VDN_SEQUENCE_SIZE];
  size_t plot_reset_length;
  char plot_setup[VDN_SEQUENCE_SIZE];
  size_t plot_setup_length;
  char plot_cmd[VDN_COMMAND_SIZE];
  size_t plot_cmd_length;
} vdn_state;

/* --- the library ---------------------------------------------------------- */

/* The library's version as "MAJOR.MINOR.PATCH", the package's version
 * ("1.0.0"); the header's VDN_VERSION_ macros tell what it was built against. */
VDN_API const char *vdn_version(void);
/* Code of the last call's failure, 0 when it succeeded. */
VDN_API int VDN_FAILURE(void);
/* A line saying what the last failure was, "" when there was none. */
VDN_API const char *vdn_failure_text(void);
/* The shared state; never NULL. */
VDN_API vdn_state *VDN_STATE(void);

/* --- environment and values ----------------------------------------------- */

VDN_API size_t VDN_GETENV(const char *name, char *out, size_t out_size);
VDN_API size_t VDN_GETCWD(char *out, size_t out_size);
/* Today's date as YYYY/MM/DD. */
VDN_API size_t VDN_DAY(char *out, size_t out_size);
VDN_API float VDN_MIN(float a, float b);
/* A three-digit code ("120") packed into a bit set, and back. */
VDN_API float VDN_DAT2SP(const char *code);
VDN_API size_t VDN_SP2DAT(float bits, char *out, size_t out_size);

/* --- numbers as plot-stream texts and fields ------------------------------ */

VDN_API size_t VDN_MAR(float value, float decimals, char *out, size_t out_size);
VDN_API size_t VDN_N2A(float value, char *out, size_t out_size);
VDN_API size_t VDN_S2X(float value, char *out, size_t out_size);
VDN_API size_t VDN_F2X(float value, char *out, size_t out_size);
VDN_API size_t VDN_L2X(float value, char *out, size_t out_size);
VDN_API size_t VDN_I2X(float value, char *out, size_t out_size);
/* The LIPS III integer code of floor(v). */
VDN_API size_t VDN_CULC(float v, char *out, size_t out_size);

/* --- the console ------------------------------------------------------------ */

/* Opens the 80 x 24 console as the programs do: VERDAN_CONSOLE=headless or
 * terminal, headless by default without a terminal; VERDAN_SNAPSHOT=FILE.png
 * keeps a picture of the last screen. Opening it twice is VDN_ILLEGAL_CALL. */
VDN_API int VDN_CONSOLE_OPEN(void);
/* Hands the console back (headless: the last screen goes to the output). */
VDN_API int VDN_CONSOLE_CLOSE(void);

/* Prints the prompt, reads an entry and returns its leading number. */
VDN_API float VDN_INN(const char *prompt);
/* A line from the pen to (x, y) pixels in line_color; VDN_OVERFLOW when
 * either is not finite. */
VDN_API int VDN_DRAW(float x, float y);
/* A stroke digit with its left edge at x and its baseline at y. */
VDN_API int VDN_DSPN(float digit, float size, float x, float y);
/* Load pictograms; visible 0 erases. */
VDN_API int VDN_DRAW_DKI(float unit_x, float unit_y, float visible);
VDN_API int VDN_DRAW_SYU(float unit_x, float unit_y, float visible);
VDN_API int VDN_DRAW_CMQ(float unit_x, float unit_y, float visible);
/* A path at column x, row y, split before a "\" onto the next row when long. */
VDN_API int VDN_DSP2L(int x, int y, const char *text);

/* --- the plot devices ------------------------------------------------------ */

/* The plot file ("file number 1"): created or emptied, and closed. */
VDN_API int VDN_PLOT_OPEN(const char *path);
/* The plot file as standard output, for a pipe: nothing is emptied, and
 * closing the plot file leaves standard output open. */
VDN_API int vdn_plot_open_stdout(void);
/* The plot file as the replacement of the file at path: written beside it
 * and put in its place by VDN_PLOT_CLOSE; until then the old file stays
 * whole. A device or a FIFO at path is written in place. */
VDN_API int vdn_plot_open_replacing(const char *path);
/* A large replacement goes on to the disk past the host's cache, where
 * nothing reads it soon; this keeps the start of the open plot file in the
 * cache, for one read again at once (the intermediate file VDN_TMP2JWC
 * converts, which reads the rest past the cache as it was written). */
VDN_API int vdn_plot_keep_in_cache(void);
VDN_API int VDN_PLOT_CLOSE(void);
/* Closes the plot file without reporting a failure (the way out after one):
 * a replacement is dropped, its old file left as it was. */
VDN_API int vdn_plot_discard(void);
/* Sets the device up for a paper code; writes nothing. */
VDN_API int VDN_INIT(float paper, float scale);
/* Writes plot_reset and plot_setup (what a caller does after INIT). */
VDN_API int vdn_plot_start(void);
VDN_API int VDN_PLT_END(void);
/* The primitives refuse with VDN_OVERFLOW, writing nothing and leaving the
 * pen, a number that is not finite and a point or size beyond the device's
 * number fields: 999999 device units on ESC/Page and HP-GL, 32767 on
 * LIPS III, 16777216 on JW_CAD, DXF and SVG. The pen's place counts for
 * PLOT, DASH and CIR. */
VDN_API int VDN_PLOT(float x, float y, float pen);
VDN_API int VDN_DASH(float x, float y, float pen);
VDN_API int VDN_CIR(float x, float y, float r, float pen);
VDN_API int VDN_MOVE(float x, float y);
/* Writes the text in plot_cmd. */
VDN_API int VDN_MOJI(float x, float y, float height, float angle);
/* The numbers first, first + 1, ... at the points (x[i], y[i]), count of
 * them: what VDN_N2A of each number into plot_cmd and VDN_MOJI at its point
 * leave, one label after another, up to a failure; the printers' labels
 * are made on two threads. */
VDN_API int vdn_plot_number_labels(const float *x, const float *y, size_t count, long long first, float height,
                                   float angle);
/* A line of a run: from (x0, y0) to (x1, y1) in pen, dashed where dashed
 * is not 0. */
typedef struct vdn_plot_line {
  float x0, y0, x1, y1;
  float pen;
  int dashed;
} vdn_plot_line;
/* The lines, count of them: what VDN_MOVE to each line's start and
 * VDN_PLOT, or VDN_DASH where it is dashed, to its end leave, one line
 * after another, up to a failure; one call for a run of them. */
VDN_API int vdn_plot_lines(const vdn_plot_line *lines, size_t count);
/* DXF: a layer the drawing is expected to use, by plot_layer and the pen of
 * its lines and circles, or pen 0 for its texts; VDN_INIT forgets them.
 * With layers expected, a large drawing goes faster into a replacement plot
 * file: its entities are written as they come, behind tables made ahead,
 * which VDN_PLT_END puts right. The bytes are the same either way; nothing
 * else may be written to the plot file until VDN_PLT_END. */
VDN_API int vdn_plot_dxf_expect_layer(float plot_layer, int pen);
/* A Shift-JIS double-byte character's two bytes turned into JIS, in place. */
VDN_API int VDN_SJ2J(int *first, int *second);

/* --- the JW_CAD drawing ----------------------------------------------------- */

/* Converts the intermediate file into a JW_CAD drawing, showing spinner's
 * characters on the console when one is open. */
VDN_API int VDN_TMP2JWC(const char *tmp_file, const char *jwc_file, const char *spinner);
/* Reading an intermediate file a record at a time: open it, take each
 * record's kind byte (-1 at the end), then its body with JWH, which gives the
 * fixed part and leaves an "i" or "m" text in plot_cmd. */
VDN_API int VDN_RECORDS_OPEN(const char *tmp_file);
VDN_API int VDN_RECORDS_CLOSE(void);
VDN_API int VDN_RECORD_KIND(void);
VDN_API size_t VDN_JWH(int kind, char *out, size_t out_size);

#ifdef __cplusplus
}
#endif

#endif /* VERDAN_VERDAN_H */
