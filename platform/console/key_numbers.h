// The key numbers of curses, in which every front end spells the cursor and
// editing keys; the rules of the keys need no curses for them, and Windows
// has none. Only for .cpp files: the names are curses' own macros.
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
