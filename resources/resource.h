// Resource, control, command, message and timer ids of Adrelo Viewer.
// Plain #defines only: this header is read by the resource compiler, by the
// Win32 code and by the portable logic that the native tests build.
#pragma once

// ---- Resources --------------------------------------------------------------
#define IDI_ADRELO 1            // the program icon, 16 to 256 px (scripts/make_icon.py)
#define IDR_MAINMENU 100        // the menu bar of the main window
#define IDR_POPUPMENUS 101      // the three menus that only ever pop up
#define IDR_ACCELERATORS 102    // shortcut keys of the menu bar's items

// The popup menus of IDR_POPUPMENUS, by position.
#define POPUP_POS_mnuPopup 0
#define POPUP_POS_mnuPopupIP 1
#define POPUP_POS_mPopupSys 2

// ---- Controls of the main window (creation order is the tab order) ----------
#define IDC_List1 1001
#define IDC_Text1 1002
#define IDC_Label1 1003
#define IDC_Label2 1004

// ---- Messages and timers of the main window ---------------------------------
// The program's own messages start at WM_APP (0x8000), which this header
// cannot take from <windows.h>.
#define APP_MESSAGE_BASE 0x8000
// The notification icon's callback: lParam carries the mouse message that
// happened over the icon.
#define WM_APP_TRAY_NOTIFY (APP_MESSAGE_BASE + 1)
// The address list has been refilled while its hover tip shows: the tip
// follows, after the refill's own message.
#define WM_APP_LIST_TIP_FOLLOW (APP_MESSAGE_BASE + 2)
// The notification icon's id among the main window's icons.
#define TRAY_ICON_UID 1
// The refresh timer, and its period.
#define IDT_Timer1 1
#define TIMER1_INTERVAL_MS 5000

// ---- The settings dialog (Form2): ids 3000 to 3099 ---------------------------
#define IDC_Frame1 3001
#define IDC_Frame2 3002
#define IDC_Frame3 3003
#define IDC_Frame4 3004
#define IDC_Option1 3011
#define IDC_Option2 3012
#define IDC_Option3 3013
#define IDC_Option4 3014
#define IDC_Option5 3015
#define IDC_Option6 3016
#define IDC_Option7 3017
#define IDC_Option8 3018
#define IDC_Option9 3019
#define IDC_Option10 3020
#define IDC_Check1 3031
#define IDC_Check2 3032
#define IDC_Command1 3041
#define IDC_Command2 3042
#define IDC_Command3 3043
#define IDC_Command4 3044

// ---- The About window (Form3): ids 4000 to 4099, its picture and cursor -----
#define IDC_Form3_Label2 4001     // the version line
#define IDC_Form3_Image1 4002     // the picture
#define IDC_Form3_Label1 4003     // the maker line
#define IDC_Form3_Label3 4004     // the maker's web address, a link
#define IDR_ABOUT_PICTURE 4050    // RCDATA: the picture, a 142x113 GIF
#define IDR_LINK_CURSOR 4051      // the hand cursor over the link

// ---- Menus and their commands -----------------------------------------------
// Menu-bar titles carry ids too, so that captions can be set by id like items.
#define IDM_mnuGeneral 2000
#define IDM_mnuCopyHost 2001
#define IDM_MnuCopyIP 2002
#define IDM_mnuRefresh 2003
#define IDM_mnuSet 2004
#define IDM_mnuExit 2005
#define IDM_MnuWindow 2010
#define IDM_MnuMinSys 2011
#define IDM_MnuMinTask 2012
#define IDM_mnuHelp 2020
#define IDM_mnuAbout 2021
#define IDM_mnuCHost 2030
#define IDM_mnuCIP 2040
#define IDM_MnuCopyIP2 2050
#define IDM_mnuCopyHost2 2051
#define IDM_mnuRestore 2052
#define IDM_mnuExit2 2053

// Positions of the menu-bar titles, left to right.
#define MENUBAR_POS_mnuGeneral 0
#define MENUBAR_POS_MnuWindow 1
#define MENUBAR_POS_mnuHelp 2

// ---- String table -----------------------------------------------------------
// English ids; the Bulgarian text of each is stored under the id plus
// LANGUAGE_OFFSET_BULGARIAN.
#define LANGUAGE_OFFSET_ENGLISH 0
#define LANGUAGE_OFFSET_BULGARIAN 100

#define IDS_HOST_NAME_LABEL 1
#define IDS_IP_ADDRESS_LABEL 2
#define IDS_REFRESH 3
#define IDS_INFORMATION_MENU 4
#define IDS_COPY_HOST_NAME 5
#define IDS_COPY_IP_ADDRESS 6
#define IDS_SETTINGS 7
#define IDS_EXIT 8
#define IDS_VIEW_MENU 9
#define IDS_MINIMISE_TO_TRAY 10
#define IDS_MINIMISE_TO_TASK_BAR 11
#define IDS_HELP_MENU 12
#define IDS_HELP_ABOUT 13
#define IDS_SETTINGS_TITLE 21
#define IDS_OK 22
#define IDS_CANCEL 23
#define IDS_APPLY 24
#define IDS_DEFAULT 25
#define IDS_BULGARIAN 26
#define IDS_ENGLISH 27
#define IDS_START_WITH_WINDOWS 28
#define IDS_CLOSE_TO_TRAY 29
#define IDS_LANGUAGE_FRAME 30
#define IDS_START_STATE_FRAME 31
#define IDS_NORMAL_WINDOW 32
#define IDS_MINIMIZED_TO_TRAY 33
#define IDS_MINIMIZED_TO_TASK_BAR 34
#define IDS_START_COPY_FRAME 35
#define IDS_DO_NOTHING 36
#define IDS_START_COPY_HOST_NAME 37
#define IDS_START_COPY_IP_ADDRESS 38
#define IDS_TOOLTIP_FRAME 39
#define IDS_SHOW_IP_ADDRESS 40
#define IDS_SHOW_HOST_NAME 41
#define IDS_RESTORE 42
#define IDS_NO_REGISTERED_IP 43
#define IDS_ERROR_TITLE 44
#define IDS_SELECT_IP 45
#define IDS_ABOUT_TITLE 46
#define IDS_MAKER_LINE 47
#define IDS_VERSION_SEPARATOR 48
// The address list's hover tip (lookup/adapter_tip.h).
#define IDS_ADAPTER_KIND_LABEL 49
#define IDS_ADAPTER_WIRED 50
#define IDS_ADAPTER_WIRELESS 51
#define IDS_ADAPTER_VPN 52
#define IDS_ADAPTER_VIRTUAL_SWITCH 53
#define IDS_ADAPTER_LOOPBACK 54
#define IDS_ADAPTER_OTHER 55
#define IDS_ADAPTER_GATEWAY_LABEL 56
#define IDS_ADAPTER_NO_GATEWAY 57
#define IDS_ADAPTER_DEFAULT_ROUTE 58
#define IDS_ADAPTER_NOT_ON_ADAPTER 59
// The settings dialog's Apply, when a machine-wide Run value cannot be removed.
#define IDS_RUN_VALUE_FOR_ALL_USERS 60
