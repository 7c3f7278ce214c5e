/* Identifiers of the program's resources. Plain defines so that both the
   resource compiler and C++ can include this file. */
#ifndef QUORVEX_RESOURCE_IDS_H
#define QUORVEX_RESOURCE_IDS_H

#define IDI_MAIN 1

/* Skin: JPEG left cap 22x55, middle piece 754x55 (stretched), right cap 24x55. */
#define IDR_SKIN_LEFT 101
#define IDR_SKIN_MID 102
#define IDR_SKIN_RIGHT 103

/* Title "Lumetra", 93x18, 24-bit on magenta. */
#define IDB_CAPTION 110

/* Minimise (24x15) and close (23x15) pills, 24-bit on magenta. */
#define IDB_MIN_NORMAL 120
#define IDB_MIN_ACTIVE 121
#define IDB_MIN_DOWN 122
#define IDB_CLOSE_NORMAL 123
#define IDB_CLOSE_ACTIVE 124
#define IDB_CLOSE_DOWN 125

/* Category glyphs, 16x16: IDB_GLYPH_BASE + search type Id (0..10). The one of
   Id 5 is 32-bit, the others 24-bit; the bottom-left pixel is the key colour. */
#define IDB_GLYPH_BASE 130
#define IDB_GLYPH_SEARCHTYPE 141 /* 9x16 drop triangle */
#define IDB_GLYPH_SETUP 142      /* 12x14 tools */
#define IDB_GLYPH_HELP 143       /* 14x14 question mark */

/* The same pieces drawn for 150 % and 200 % displays (files in 150/ and
   200/): the id of the 100 % piece plus one of these offsets. Sizes are the
   100 % ones scaled by round(v x percent / 100), except the middle skin
   piece, which is 8 pixels wide at both (it is stretched, and its columns
   are all alike). */
#define ID_SCALE_150_OFFSET 1000
#define ID_SCALE_200_OFFSET 2000

#endif
