// The key numbers of curses, in which the terminal keys are spelt; Windows
// has no curses, and its console front end reads keys with the same numbers.
#pragma once

#define KEY_DOWN 0402
#define KEY_UP 0403
#define KEY_LEFT 0404
#define KEY_RIGHT 0405
#define KEY_HOME 0406
#define KEY_BACKSPACE 0407
#define KEY_DC 0512
#define KEY_IC 0513
#define KEY_ENTER 0527
#define KEY_END 0550
