#pragma once
// Resource identifiers shared by vantor.rc and the code.
#define IDI_VANTOR 101
#define IDB_SKIN_HEAD 201
#define IDB_SKIN_REQLIST 202
#define IDB_SKIN_DLTOOL 203
#define IDB_SKIN_GREET 204
#define IDB_SKIN_INTRO 205
