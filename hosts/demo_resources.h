// Ids shared by the demo (demo.h) and demo.rc; tests/demo_test.cpp finds the window and the
// controls it reads by them too.
#pragma once

// The samples of data/names.txt and data/table.txt, built into the program so that it starts
// anywhere.
#define DEMO_SAMPLE_LIST 101
#define DEMO_SAMPLE_TABLE 102

#define DEMO_WINDOW_CLASS "TolvarenkisDemo"
#define DEMO_ID_LIST 100
#define DEMO_ID_STATUS 110
#define DEMO_ID_COLUMN 120
#define DEMO_ID_ADD 121
#define DEMO_ID_KEY 122
#define DEMO_ID_TREEVIEW 140
#define DEMO_ID_SUBTREE 141
#define DEMO_ID_LISTVIEW 130
#define DEMO_ID_VALUES 131
#define DEMO_ID_DATES 132
#define DEMO_ID_SIZES 133
