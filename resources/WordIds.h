#pragma once
// The words the program shows or says, one id each; resources/words.rc holds them in every
// language the program speaks. Ids 1 to 15 share the first table block, and so on (16 a block).

// The main window
#define IDS_MAIN_BODY 1
#define IDS_MODE_REMOVE 2
#define IDS_MODE_RESTORE 3
#define IDS_FRAME_REMOVE 4
#define IDS_FRAME_RESTORE 5
#define IDS_REMOVE_INFO 6
#define IDS_RESTORE_INFO 7
#define IDS_RESTART_NOTE 8
#define IDS_START 9
#define IDS_CLOSE 10
#define IDS_WINDOW_FAILED 11

// The About window
#define IDS_ABOUT 16
#define IDS_PROGRAM_PAGE 17
#define IDS_VERSION 18
#define IDS_BUILD 19
#define IDS_DATE 20
#define IDS_DATE_TEXT 21
#define IDS_DISCLAIMER 22
#define IDS_FORUM 23
#define IDS_DONATE_LOGO 24
#define IDS_DONATE_TEXT 25

// What screen readers hear as a control's default action
#define IDS_ACTION_CLICK 26
#define IDS_ACTION_CHECK 27

// The switch's boxes and the command line's words
#define IDS_REMOVED 32
#define IDS_RESTORED 33
#define IDS_SUCCESS 34
#define IDS_REMOVE_FAILED 35
#define IDS_RESTORE_FAILED 36
#define IDS_ALREADY_REMOVED 37
#define IDS_ALREADY_RESTORED 38
#define IDS_USAGE 39
#define IDS_HELP_PURPOSE 40
#define IDS_HELP 41
#define IDS_NOT_UNDERSTOOD 42
#define IDS_MORE_THAN_ONE_ACTION 43
#define IDS_MORE_THAN_ONE 44
#define IDS_NEEDS_NAME 45
#define IDS_NO_ACTION 46
#define IDS_NO_ACTION_GIVEN 47
#define IDS_MACHINE_ERROR 48
#define IDS_USERS_OWN_HANDLER 49
