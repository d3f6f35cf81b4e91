// Page templates and their controls.  Shared by the code and the resource
// scripts, so it holds nothing but #defines.  A page's Serbian template has
// its English id plus 100.
#ifndef VELMORA_PAGE_IDS_H
#define VELMORA_PAGE_IDS_H

#define IDD_WELCOME 102
#define IDD_SETUP_LANGUAGE 103
#define IDD_OPTIONS 104
#define IDD_SELECT_TOOLS 105
#define IDD_DEFAULT_LANGUAGE 106
#define IDD_DESTINATION 107
#define IDD_PROGRESS 108
#define IDD_APPS_DETECTED 109

#define IDD_WELCOME_SR 202
#define IDD_SETUP_LANGUAGE_SR 203
#define IDD_OPTIONS_SR 204
#define IDD_SELECT_TOOLS_SR 205
#define IDD_DEFAULT_LANGUAGE_SR 206
#define IDD_DESTINATION_SR 207
#define IDD_PROGRESS_SR 208
#define IDD_APPS_DETECTED_SR 209

#define IDC_ENGLISH 1000
#define IDC_SERBIAN 1001
#define IDC_REMOVE 1002
#define IDC_CHANGE_DEFAULT 1003
#define IDC_SPELLER 1004
#define IDC_HYPHENATOR 1005
#define IDC_SPACE_REQUIRED 1006
#define IDC_SPACE_AVAILABLE 1007
#define IDC_WORD_LANG 1009
#define IDC_EXCEL_LANG 1010
#define IDC_POWERPOINT_LANG 1011
#define IDC_ACCESS_LANG 1012
#define IDC_OUTLOOK_LANG 1013
#define IDC_DEST_DIR 1014
#define IDC_CURRENT_FILE 1015
#define IDC_PROGRESS 1016

#endif
