#pragma once
// The program's resource identifiers (resources/resource_ids.h).
#if __has_include("../../resources/resource_ids.h")
#include "../../resources/resource_ids.h"
#else
#define IDI_MAIN 1
#define IDR_SKIN_LEFT 101
#define IDR_SKIN_MID 102
#define IDR_SKIN_RIGHT 103
#define IDB_CAPTION 110
#define IDB_MIN_NORMAL 120
#define IDB_MIN_ACTIVE 121
#define IDB_MIN_DOWN 122
#define IDB_CLOSE_NORMAL 123
#define IDB_CLOSE_ACTIVE 124
#define IDB_CLOSE_DOWN 125
#define IDB_GLYPH_BASE 130
#define IDB_GLYPH_SEARCHTYPE 141
#define IDB_GLYPH_SETUP 142
#define IDB_GLYPH_HELP 143
#endif
