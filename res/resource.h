// Resource identifiers shared by the resource script and the code.
#pragma once

// Dialog templates.
#define IDD_WELCOME 102
#define IDD_MESSAGE 150
#define IDD_RICHEDIT_NOTICE 151

// Icon, cursors, bitmaps and pictures.
#define IDI_APP 128
#define IDC_SKIN_ARROW 175
#define IDC_HAND_CURSOR 503
#define IDB_WELCOME_ART 133
#define IDB_BUTTON_FACES 208
#define IDB_CHECK_GLYPHS 229
#define IDB_RADIO_GLYPHS 230
#define IDP_BACKGROUND_JPEG 300
#define IDP_TILE_BMP 301

// Welcome dialog controls.
#define IDC_INSTALL 1001
#define IDC_LICENSE_VIEW 1003
#define IDC_CAPTION_HELLO 1004
#define IDC_CAPTION_THANKS 1005
#define IDC_CAPTION_AGREEMENT 1006
#define IDC_ACCEPT 1007
#define IDC_WELCOME_ART 1011

// Message dialog and rich edit notice controls.
#define IDC_UPDATE_LINK 1008
#define IDC_YES_BUTTON 1009
#define IDC_NO_BUTTON 1010

// String table.
#define IDS_ACCEPT_FIRST 1
#define IDS_NOT_FOUND 2
#define IDS_SHORTCUT_DESCRIPTION 3
#define IDS_QUIT_LETTER 4
#define IDS_UNSUPPORTED_WINDOWS 5
#define IDS_FONT_FACE 6
#define IDS_UNABLE_TO_INSTALL 7
#define IDS_EXIT_MESSENGER 8
#define IDS_CHECK_RIGHTS 9
#define IDS_NOTIFY_SUPPORT 10
#define IDS_UPDATE_PAGE 12
#define IDS_APP_TITLE 57344
