#ifndef ZENTRAVA_RESOURCES_RESOURCE_H
#define ZENTRAVA_RESOURCES_RESOURCE_H
// Numeric ids of every resource and menu command the program names. The resource compiler
// reads this file too, so it holds only plain #defines behind an include guard (not every
// resource compiler knows #pragma once). The menus, dialogs and tests are built around exactly
// these numbers; the command values must match src/app/commands.h.

// ---- Menus (resource type MENU, 101-112) -----------------------------------------------------
#define IDR_MENU_CONTEXT 101   // right click on the clock face
#define IDR_MENU_EDIT_COPY 111 // time entry edits: one "copy" item
#define IDR_MENU_TRAY 112      // right click on the tray icon

// ---- Icons and cursor (102, 105, 117) --------------------------------------------------------
#define IDI_APP 102        // window classes, tray, shortcuts
#define IDCUR_FACE 105     // over the face while the clock can be dragged
#define IDI_APP_VENDOR 117 // replaces IDI_APP in the vendor edition

// ---- Menu bitmaps (127-134): a small and a large set, each play, pause, paused, stop ---------
#define IDB_MENU_SMALL_PLAY 127
#define IDB_MENU_SMALL_PAUSE 128
#define IDB_MENU_SMALL_PAUSE_CHECKED 129
#define IDB_MENU_SMALL_STOP 130
#define IDB_MENU_LARGE_PLAY 131
#define IDB_MENU_LARGE_PAUSE 132
#define IDB_MENU_LARGE_PAUSE_CHECKED 133
#define IDB_MENU_LARGE_STOP 134
#define IDB_MENU_SET_SIZE 4 // bitmaps per set; a set is chosen by its first id

// ---- Dialogs (102-135; a dialog may share its number with an icon: the types differ) ---------
#define IDD_ALARM_PAGE 102              // settings sheet page 0
#define IDD_TEXT_COLOURS 103            // sub-dialog of the general settings
#define IDD_VERSION 104                 // version information
#define IDD_INTERVAL_NOODLE_PAGE 107    // settings sheet page 5
#define IDD_MANUAL_TIME_PAGE 108        // date-and-time sheet page 1
#define IDD_TIME_SERVER_PAGE 111        // date-and-time sheet page 0
#define IDD_AUDIO_PAGE 115              // settings sheet page 4
#define IDD_GENERAL_SETTINGS 116        // general settings
#define IDD_TIME_SIGNAL_PAGE 117        // settings sheet page 1
#define IDD_HOURLY_SOUNDS_PAGE 118      // settings sheet page 2
#define IDD_SEEK 119                    // seek in the playing song
#define IDD_ALARM_NOTICE 120            // alarm and timer notification window
#define IDD_EACH_TIME_SIGNAL 121        // on/off of each hourly and half-hourly signal
#define IDD_VOLUMES 122                 // volumes of the four sound channels
#define IDD_QUICK_TIMER 123             // modeless quick timer window
#define IDD_FONT_SIZES 124              // sub-dialog of the general settings
#define IDD_TIME_BAND_PAGE 125          // settings sheet page 6
#define IDD_WORLD_ZONE_PAGE 126         // settings sheet page 7
#define IDD_HALF_HOURLY_SOUNDS_PAGE 135 // settings sheet page 3

// ---- Alarm page (dialog 102; 1003-2086) --------------------------------------------------------
#define IDC_AL_HOUR_SPIN 1003
#define IDC_AL_MINUTE_SPIN 1004
#define IDC_AL_TEST_SOUND_NAME 1007
#define IDC_AL_TEST_SOUND_CHOOSE 1008
#define IDC_AL_NUMBER 1019
#define IDC_AL_SOUND_NAME 1083
#define IDC_AL_TEST_PLAY 1164
#define IDC_AL_TEST_PAUSE 1179
#define IDC_AL_MEMO 1459
#define IDC_AL_TYPE 1464
#define IDC_AL_SHOW_NOTIFICATION 1475
#define IDC_AL_FONT_TEXT 1487
#define IDC_AL_DATE 1499
#define IDC_AL_FONT 1508
#define IDC_AL_WINDOW_COLOUR 1512
#define IDC_AL_COLOUR_SAMPLE 1516
#define IDC_AL_NOTIFY_WAY 1520
#define IDC_AL_HOUR 1531
#define IDC_AL_MINUTE 1541
#define IDC_AL_ON 1551
#define IDC_AL_PICTURE_NAME 1944
#define IDC_AL_TREE 1945
#define IDC_AL_SOUND_CHOOSE 1946
#define IDC_AL_PICTURE_CHOOSE 1947
#define IDC_AL_PICTURE_CLEAR 1948
#define IDC_AL_SOUND_CLEAR 2085
#define IDC_AL_TEST_SOUND_CLEAR 2086

// ---- Audio page (dialog 115; 1017-2150). Song s (0-19) of the shown playlist adds s. The folder
// chooser shares 1454 with the time-signal page's button: ids are unique within a dialog. ------
#define IDC_AU_LIST 1017 // drop-down: the playlist or folder playlist shown and played
#define IDC_AU_REPEAT 1181
#define IDC_AU_SONG_NAME 1182   // 1182-1201, read-only; each takes a dropped sound file
#define IDC_AU_SONG_CHOOSE 1234 // 1234-1253
#define IDC_AU_ORDER_LIST 1440
#define IDC_AU_ORDER_RANDOM 1441
#define IDC_AU_FOLDER_CHOOSE 1454
#define IDC_AU_SOURCE_FOLDERS 1485
#define IDC_AU_SOURCE_PLAYLISTS 1486
#define IDC_AU_FOLDER_NAME 1488 // read-only
#define IDC_AU_FOLDER_CLEAR 2130
#define IDC_AU_SONG_CLEAR 2131 // 2131-2150

// ---- Interval alarm and noodle timer page (dialog 107; 1003-2190). The hour and minute edits
// and spins share their numbers with the alarm page's. -----------------------------------------
#define IDC_IV_HOUR_SPIN 1003
#define IDC_IV_MINUTE_SPIN 1004
#define IDC_IV_HOUR 1531
#define IDC_IV_MINUTE 1541
#define IDC_IV_SECOND 1939
#define IDC_IV_SECOND_SPIN 1940
#define IDC_IV_ON 1941
#define IDC_IV_BALLOON 1943
#define IDC_IV_SOUND_NAME 2161
#define IDC_IV_SOUND_CHOOSE 2162
#define IDC_IV_SOUND_CLEAR 2163
#define IDC_IV_NOODLE_SOUND_NAME 2164
#define IDC_IV_NOODLE_SOUND_CHOOSE 2165
#define IDC_IV_NOODLE_SOUND_CLEAR 2166
#define IDC_IV_JUST_0_SECOND 2190

// ---- Time-signal page (dialog 117; 1103-2088). Per visible custom row r (0-9) each control is
// its block's first id + r. ----------------------------------------------------------------------
#define IDC_TS_SIGNAL_ON 1103
#define IDC_TS_SOUND_NAME 1104
#define IDC_TS_SOUND_CHOOSE 1105
#define IDC_TS_CUSTOM_HOUR 1266   // 1266-1275
#define IDC_TS_CUSTOM_MINUTE 1276 // 1276-1285
#define IDC_TS_HOUR_START_MINUTE 1286
#define IDC_TS_CUSTOM_LABEL 1287 // 1287-1296
#define IDC_TS_CUSTOM_ON 1317    // 1317-1326
#define IDC_TS_HALF_START_MINUTE 1328
#define IDC_TS_BALLOON 1329
#define IDC_TS_CUSTOM_HOUR_SPIN 1330   // 1330-1339
#define IDC_TS_CUSTOM_MINUTE_SPIN 1340 // 1340-1349
#define IDC_TS_CUSTOM_SECOND_SPIN 1350 // 1350-1359
#define IDC_TS_CUSTOM_SECOND 1360      // 1360-1369
#define IDC_TS_HOUR_START_MINUTE_SPIN 1370
#define IDC_TS_HOUR_START_SECOND 1371
#define IDC_TS_HOUR_START_SECOND_SPIN 1372
#define IDC_TS_HALF_START_MINUTE_SPIN 1373
#define IDC_TS_CUSTOM_MSECOND 1374      // 1374-1383
#define IDC_TS_CUSTOM_MSECOND_SPIN 1384 // 1384-1393
#define IDC_TS_HOUR_START_MSECOND 1394
#define IDC_TS_HOUR_START_MSECOND_SPIN 1395
#define IDC_TS_MSECOND_ENABLE 1396
#define IDC_TS_HALF_START_SECOND 1398
#define IDC_TS_HALF_START_SECOND_SPIN 1399
#define IDC_TS_HALF_START_MSECOND 1400
#define IDC_TS_HALF_START_MSECOND_SPIN 1401
#define IDC_TS_EACH_SIGNAL 1454 // opens IDD_EACH_TIME_SIGNAL
#define IDC_TS_HOUR_CHIME_ON 1490
#define IDC_TS_HALF_HOUR_CHIME_ON 1491
#define IDC_TS_PREVIOUS_HALF 1579
#define IDC_TS_NEXT_HALF 1580
#define IDC_TS_SOUND_CLEAR 2088

// ---- On/off of each signal (dialog 121): one check box per hour h, first id + h ------------
#define IDC_EACH_HOUR_ON 1555      // 1555-1578: h:00
#define IDC_EACH_HALF_HOUR_ON 1901 // 1901-1924: h:30

// ---- Per-hour and per-half-hour sound pages (dialogs 118, 135): one row per hour h ---------
#define IDC_CHIME_SOUND_NAME 2001   // 2001-2024
#define IDC_CHIME_SOUND_CHOOSE 2031 // 2031-2054
#define IDC_CHIME_SOUND_ENABLE 2061
#define IDC_CHIME_SOUND_CLEAR 2101 // 2101-2124

// ---- Time-server page (dialog 111) ------------------------------------------------------------
#define IDC_NTP_SERVER 1017 // combo box with an edit field, sorted
#define IDC_NTP_INTERVAL 1007
#define IDC_NTP_INTERVAL_SPIN 1008
#define IDC_NTP_TEST 1176
#define IDC_NTP_SET_LOCAL_TIME 1178
#define IDC_NTP_HOUR 1225
#define IDC_NTP_HOUR_SPIN 1226
#define IDC_NTP_MINUTE 1227
#define IDC_NTP_MINUTE_SPIN 1228
#define IDC_NTP_AUTO_UPDATE 1229
#define IDC_NTP_MODE_DAILY 1230
#define IDC_NTP_MODE_INTERVAL 1231
#define IDC_NTP_RESULT_BALLOON 1232
#define IDC_NTP_DELETE 1233
#define IDC_NTP_REPORT 1254
#define IDC_NTP_MODE_HOURLY 1442
#define IDC_NTP_ACCESS_MINUTE 1443
#define IDC_NTP_ACCESS_MINUTE_SPIN 1444
#define IDC_NTP_STARTUP_ADJUST 1456
#define IDC_NTP_RETRY 2174
#define IDC_NTP_RETRY_SPIN 2175
#define IDC_NTP_FORCED_UPDATE 2179
// ---- Manual date-and-time page (dialog 108) -------------------------------------------------
#define IDC_MT_HOUR 1001
#define IDC_MT_MINUTE 1002
#define IDC_MT_HOUR_SPIN 1003
#define IDC_MT_MINUTE_SPIN 1004
#define IDC_MT_CALENDAR 1005 // the month calendar, created by the page at run time
#define IDC_MT_SECOND 1007
#define IDC_MT_SECOND_SPIN 1009
#define IDC_MT_SET_SYSTEM_CLOCK 1173

// ---- Quick timer (dialog 123) -----------------------------------------------------------------
#define IDC_QT_DISPLAY 2072 // painted by the window itself
#define IDC_QT_ADD_1 2073   // 2073-2077: "1分", "3分", "5分", "10分", "30分"
#define IDC_QT_ADD_3 2074
#define IDC_QT_ADD_5 2075
#define IDC_QT_ADD_10 2076
#define IDC_QT_ADD_30 2077
#define IDC_QT_CLEAR 2078
#define IDC_QT_START 2079 // "スタート" / "ストップ"
#define IDC_QT_SOUND_CHOOSE 2080
#define IDC_QT_PICTURE_CHOOSE 2081
#define IDC_QT_SOUND_NAME 1083 // read-only
#define IDC_QT_SOUND_CLEAR 2089
#define IDC_QT_PICTURE_NAME 1944 // read-only
#define IDC_QT_PICTURE_CLEAR 1948

// ---- Notification window (dialog 120) ---------------------------------------------------------
#define IDC_NOTICE_TEXT 1487 // read-only, multi-line: the notification text

// ---- Time-band page (dialog 125; 1621-1746). Per visible row r (0-3) each control is its
// block's first id + r. ------------------------------------------------------------------------
#define IDC_BAND_START_HOUR 1621        // 1621-1624
#define IDC_BAND_START_HOUR_SPIN 1631   // 1631-1634
#define IDC_BAND_END_HOUR 1641          // 1641-1644
#define IDC_BAND_END_HOUR_SPIN 1651     // 1651-1654
#define IDC_BAND_COLOUR 1661            // 1661-1664: opens the colour chooser
#define IDC_BAND_SAMPLE 1671            // 1671-1674
#define IDC_BAND_ON 1681                // 1681-1684
#define IDC_BAND_START_MINUTE 1691      // 1691-1694
#define IDC_BAND_START_MINUTE_SPIN 1701 // 1701-1704
#define IDC_BAND_END_MINUTE 1711        // 1711-1714
#define IDC_BAND_END_MINUTE_SPIN 1721   // 1721-1724
#define IDC_BAND_GROUP 1731             // 1731-1734
#define IDC_BAND_PREVIOUS 1745
#define IDC_BAND_NEXT 1746

// ---- World-zone page (dialog 126). Zone n (0 for zone 1, 1 for zone 2) adds n. -------------
#define IDC_ZONE_HOUR 1770        // 1770-1771, signed hours east of UTC
#define IDC_ZONE_HOUR_SPIN 1780   // 1780-1781
#define IDC_ZONE_MINUTE 1790      // 1790-1791
#define IDC_ZONE_MINUTE_SPIN 1800 // 1800-1801
#define IDC_ZONE_COLOUR 1830      // 1830-1831, "時針の色"
#define IDC_ZONE_SAMPLE 1840      // 1840-1841, the hand colour
#define IDC_ZONE_SHOW 1850        // 1850-1851, "追加の時針を表示"
#define IDC_ZONE_GROUP 1860       // 1860-1861, captioned at opening
#define IDC_ZONE_SUMMER 1870      // 1870-1871, "夏時間を設定"
#define IDC_PICTURE_NAME 1007     // read-only; takes a dropped picture
#define IDC_PICTURE_CHOOSE 1008
#define IDC_PICTURE_CLEAR 2086
#define IDC_PICTURE_CLOCK 1017 // drop-down: the clock that turns the picture
#define IDC_PICTURE_ROTATE 1873

// ---- General settings (dialog 116). A numeric edit's spin is its edit's id + 1. ---------------
#define IDC_GS_DATE 1202
#define IDC_GS_TIME 1203
#define IDC_GS_DIAL_NUMERALS 1204
#define IDC_GS_JST 1873
#define IDC_GS_DATE_FORMAT 2093 // drop-down
#define IDC_GS_TIME_FORMAT 2094 // drop-down
#define IDC_GS_5MIN_MARKS 1205
#define IDC_GS_1MIN_MARKS 1206
#define IDC_GS_5MIN_MARKS_BOLD 1384
#define IDC_GS_24H_MARKS_BOLD 1385
#define IDC_GS_SMOOTH_SECOND_HAND 1207
#define IDC_GS_SECOND_HAND 1208
#define IDC_GS_FONT_NAME 1215 // read-only
#define IDC_GS_FONT 1216
#define IDC_GS_FONT_SIZES 2168
#define IDC_GS_AUTO_FONT_SIZE 2167
#define IDC_GS_TOPMOST 1209
#define IDC_GS_ALWAYS_TOPMOST 2082
#define IDC_GS_TRANSPARENT_FACE 1210
#define IDC_GS_PROXIMITY 1455
#define IDC_GS_PROXIMITY_HIDE 2183 // radio
#define IDC_GS_PROXIMITY_SHOW 2184 // radio
#define IDC_GS_CTRL_CANCELS_LAYER 2185
#define IDC_GS_OPACITY 1450       // slider
#define IDC_GS_OPACITY_LABEL 1451 // "不透明度は%d%%です。"
#define IDC_GS_CLICK_THROUGH 1452
#define IDC_GS_FRAME_COLOUR 1217
#define IDC_GS_FACE_COLOUR 1218
#define IDC_GS_5MIN_MARK_COLOUR 1454
#define IDC_GS_1MIN_MARK_COLOUR 1456
#define IDC_GS_TEXT_COLOURS 1925
#define IDC_GS_HOUR_HAND_COLOUR 1219
#define IDC_GS_MINUTE_HAND_COLOUR 1220
#define IDC_GS_SECOND_HAND_COLOUR 1221
#define IDC_GS_24H_HAND_COLOUR 1745
#define IDC_GS_24H_HAND_FRAME_COLOUR 1746
#define IDC_GS_FRAME_WIDTH 1749
#define IDC_GS_FRAME_WIDTH_SPIN 1750
#define IDC_GS_1MIN_MARK_LENGTH 1751
#define IDC_GS_1MIN_MARK_LENGTH_SPIN 1752
#define IDC_GS_5MIN_MARK_LENGTH 1753
#define IDC_GS_5MIN_MARK_LENGTH_SPIN 1754
#define IDC_GS_CIRCLE_POSITION 2091
#define IDC_GS_CIRCLE_POSITION_SPIN 2092
#define IDC_GS_24H_MARKER_SIZE 1755
#define IDC_GS_24H_MARKER_SIZE_SPIN 1756
#define IDC_GS_24H_MARKER_POSITION 1761
#define IDC_GS_24H_MARKER_POSITION_SPIN 1762
#define IDC_GS_24H_EVEN_MARK_LENGTH 1757
#define IDC_GS_24H_EVEN_MARK_LENGTH_SPIN 1758
#define IDC_GS_24H_ODD_MARK_LENGTH 1759
#define IDC_GS_24H_ODD_MARK_LENGTH_SPIN 1760
#define IDC_GS_24H_ZERO_POSITION 1763
#define IDC_GS_COLON_ADJUST 1764
#define IDC_GS_COLON_ADJUST_SPIN 1765
#define IDC_GS_DIAL_MODE 1747    // drop-down
#define IDC_GS_HAND_DESIGN 1017  // drop-down
#define IDC_GS_MARK_DESIGN 2090  // drop-down
#define IDC_GS_HAND_FRAME 2178
#define IDC_GS_TRAY_CLOCK 1484
#define IDC_GS_SHORTCUT_DESKTOP 2186 // 2186-2189: the shortcut places in ShortcutPlace's order
#define IDC_GS_SHORTCUT_STARTUP 2187
#define IDC_GS_SHORTCUT_ALL_DESKTOP 2188
#define IDC_GS_SHORTCUT_ALL_STARTUP 2189
#define IDC_GS_RESET_PLACEMENT 1448

// ---- Seek dialog (dialog 119) -------------------------------------------------------------------
#define IDC_SEEK_SLIDER 2180    // seconds into the song
#define IDC_SEEK_ELAPSED 2181   // painted by the dialog
#define IDC_SEEK_REMAINING 2182 // painted by the dialog
// Commands sent to the seek dialog itself, not to the clock window.
#define ID_SEEK_NEW_SONG 40064 // a new song was opened: caption, range, position 0
#define ID_SEEK_REFRESH 40065  // show where the song is now

// ---- Volume dialog (dialog 122). Sliders show volume / 10; the labels are painted. --------------
#define IDC_VOL_AUDIO_SLIDER 1880
#define IDC_VOL_ALARM_SLIDER 1881
#define IDC_VOL_TIME_SIGNAL_SLIDER 1883
#define IDC_VOL_AUDIO_LABEL 1884 // 1884-1886: strings 46-48
#define IDC_VOL_ALARM_LABEL 1885
#define IDC_VOL_TIME_SIGNAL_LABEL 1886
#define IDC_VOL_AUDIO_MUTE 1887
#define IDC_VOL_ALARM_MUTE 1899
#define IDC_VOL_TIME_SIGNAL_MUTE 1900
#define IDC_VOL_SYNC 2062
#define IDC_VOL_OTHER_SOUND 2063

// ---- Version dialog (dialog 104) --------------------------------------------------------------
#define IDC_VERSION_ICON 2        // the program icon (the id IDCANCEL has elsewhere)
#define IDC_VERSION_LINE 1000     // string 1 with the short and the long version
#define IDC_VERSION_WEB_LINK 1013 // string 2, opened in the browser
#define IDC_VERSION_URL_LABEL 1014
#define IDC_VERSION_MAIL_LABEL 1015
#define IDC_VERSION_MAIL_LINK 1016    // string 4, opened as mailto:
#define IDC_VERSION_NOTICE_FIRST 2083 // 2083-2085: strings 59-61
#define IDC_VERSION_NOTICE_LAST 2085

// ---- Font sizes (dialog 124) and text colours (dialog 103): one control per text kind k (0-3:
// date, time, dial numbers, "JST"), first id + k. -----------------------------------------------
#define IDC_FS_SIZE 2169   // 2169-2172: simple combo boxes
#define IDC_TC_CHOOSE 1926 // 1926-1929: buttons opening the text colour chooser
#define IDC_TC_SWATCH 1930 // 1930-1933: statics painted in the colour

// ---- Strings (1-70) ---------------------------------------------------------------------------
// Program-wide
#define IDS_APP_NAME 3 // message box captions
// Tray menu: the text of its show/hide item, swapped with the clock window's visibility
#define IDS_MENU_SHOW_CLOCK 5
#define IDS_MENU_ICONISE_CLOCK 6
// Settings sheet caption
#define IDS_SETTINGS_SHEET_CAPTION 62
// Version dialog: version line, links, notice lines 59-61 (shown in a loop)
#define IDS_VERSION_LINE 1
#define IDS_WEB_ADDRESS 2
#define IDS_MAIL_ADDRESS 4
#define IDS_NOTICE_YEARS 59
#define IDS_NOTICE_MAKER 60
#define IDS_NOTICE_RIGHTS 61
#define IDS_NOTICE_FIRST IDS_NOTICE_YEARS
#define IDS_NOTICE_LAST IDS_NOTICE_RIGHTS
// Volume dialog: channel labels 46-48 (audio, alarm, time signal; shown in a loop)
#define IDS_VOLUME_AUDIO 46
#define IDS_VOLUME_ALARM 47
#define IDS_VOLUME_TIME_SIGNAL 48
// General settings dialog: caption, then the tooltip of each control (8-70, with gaps)
#define IDS_GENERAL_SETTINGS_CAPTION 7
#define IDS_TIP_DATE 8
#define IDS_TIP_TIME 9
#define IDS_TIP_DIAL_NUMERALS 10
#define IDS_TIP_5MIN_MARKS 11
#define IDS_TIP_1MIN_MARKS 12
#define IDS_TIP_5MIN_MARKS_BOLD 13
#define IDS_TIP_SMOOTH_SECOND_HAND 14
#define IDS_TIP_SECOND_HAND 15
#define IDS_TIP_FONT 16
#define IDS_TIP_TOPMOST 17
#define IDS_TIP_TRANSPARENT_FACE 18
#define IDS_TIP_PROXIMITY 19
#define IDS_TIP_OPACITY 20
#define IDS_TIP_CLICK_THROUGH 21
#define IDS_TIP_FRAME_COLOUR 22
#define IDS_TIP_FACE_COLOUR 23
#define IDS_TIP_5MIN_MARK_COLOUR 24
#define IDS_TIP_1MIN_MARK_COLOUR 25
#define IDS_TIP_HOUR_HAND_COLOUR 26
#define IDS_TIP_MINUTE_HAND_COLOUR 27
#define IDS_TIP_SECOND_HAND_COLOUR 28
#define IDS_TIP_RESET_PLACEMENT 30
#define IDS_TIP_TRAY_CLOCK 31
#define IDS_TIP_HAND_DESIGN 32
#define IDS_TIP_FRAME_WIDTH 33
#define IDS_TIP_1MIN_MARK_LENGTH 34
#define IDS_TIP_5MIN_MARK_LENGTH 35
#define IDS_TIP_DIAL_MODE 36
#define IDS_TIP_24H_MARKER_SIZE 37
#define IDS_TIP_24H_EVEN_MARK_LENGTH 38
#define IDS_TIP_24H_ODD_MARK_LENGTH 39
#define IDS_TIP_24H_MARKS_BOLD 40
#define IDS_TIP_24H_MARKER_COLOUR 41
#define IDS_TIP_24H_MARKER_FRAME_COLOUR 42
#define IDS_TIP_24H_MARKER_POSITION 43
#define IDS_TIP_24H_ZERO_POSITION 44
#define IDS_TIP_COLON_ADJUST 45
#define IDS_TIP_JST 49
#define IDS_TIP_TEXT_COLOURS 50
#define IDS_TIP_ALWAYS_TOPMOST 51
#define IDS_TIP_MARK_DESIGN 54
#define IDS_TIP_ROUND_MARK_POSITION 55
#define IDS_TIP_FONT_SIZES 56
#define IDS_TIP_AUTO_FONT_SIZE 57
#define IDS_TIP_HAND_FRAME 63
#define IDS_TIP_PROXIMITY_HIDE 64
#define IDS_TIP_PROXIMITY_SHOW 65
#define IDS_TIP_CTRL_CANCELS_LAYER 66
#define IDS_TIP_SHORTCUT_DESKTOP 67
#define IDS_TIP_SHORTCUT_STARTUP 68
#define IDS_TIP_SHORTCUT_ALL_DESKTOP 69
#define IDS_TIP_SHORTCUT_ALL_STARTUP 70

// ---- Commands of the main clock window (40002-40082; internal ones have no menu item) --------
#define ID_CMD_ABOUT 40002
#define ID_CMD_EXIT 40004
#define ID_CMD_RESET_PLACEMENT 40009    // internal
#define ID_CMD_TOPMOST 40010            // internal
#define ID_CMD_APPLY_TRANSPARENCY 40014 // internal
#define ID_CMD_TOGGLE_ALARMS 40025
#define ID_CMD_START_ALARM_SOUND 40029 // internal
#define ID_CMD_STOP_ALARM 40030
#define ID_CMD_DATE_TIME_SHEET 40031
#define ID_CMD_ICONISE 40033          // context menu only
#define ID_CMD_SHOW_HIDE 40034        // tray menu only
#define ID_CMD_SOUND_TEST 40035       // internal
#define ID_CMD_SOUND_TEST_PAUSE 40036 // internal
#define ID_CMD_PLAY_AUDIO 40042
#define ID_CMD_STOP_AUDIO 40044
#define ID_CMD_PAUSE_AUDIO 40045
#define ID_CMD_GENERAL_SETTINGS 40048
#define ID_CMD_SETTINGS_SHEET 40049
#define ID_CMD_START_TIME_SIGNAL_SOUND 40050 // internal
#define ID_CMD_STOP_TIME_SIGNAL_SOUND 40051  // internal
#define ID_CMD_NOODLE_3 40053                // 40053-40055: indexed by the noodle menu index
#define ID_CMD_NOODLE_4 40054
#define ID_CMD_NOODLE_5 40055
#define ID_CMD_NOODLE_CANCEL 40056
#define ID_CMD_APPLY_LAYER 40060        // internal
#define ID_CMD_APPLY_OPAQUE_LAYER 40061 // internal
#define ID_CMD_SEEK_DIALOG 40062
#define ID_CMD_SEEK_AUDIO 40063   // internal
#define ID_CMD_NOTIFY_ALARM 40066 // internal
#define ID_CMD_VOLUME_DIALOG 40067
#define ID_CMD_QUICK_TIMER 40077
#define ID_CMD_INTERVAL_ALARM 40078
#define ID_CMD_CORNER_TOP_RIGHT 40079 // 40079-40082: the four corners
#define ID_CMD_CORNER_BOTTOM_RIGHT 40080
#define ID_CMD_CORNER_TOP_LEFT 40081
#define ID_CMD_CORNER_BOTTOM_LEFT 40082

// ---- Commands of the time entry edits' own menu (sent to the edit, not the clock) ------------
#define ID_CMD_EDIT_COPY 40032

#if defined(__cplusplus) && !defined(RC_INVOKED)
// Code steps through these ranges by adding an index to the first id.
static_assert(IDB_MENU_SMALL_STOP - IDB_MENU_SMALL_PLAY + 1 == IDB_MENU_SET_SIZE);
static_assert(IDB_MENU_SMALL_PAUSE == IDB_MENU_SMALL_PLAY + 1 &&
              IDB_MENU_SMALL_PAUSE_CHECKED == IDB_MENU_SMALL_PLAY + 2);
static_assert(IDB_MENU_LARGE_PLAY - IDB_MENU_SMALL_PLAY == IDB_MENU_SET_SIZE &&
              IDB_MENU_LARGE_PAUSE - IDB_MENU_SMALL_PAUSE == IDB_MENU_SET_SIZE &&
              IDB_MENU_LARGE_PAUSE_CHECKED - IDB_MENU_SMALL_PAUSE_CHECKED == IDB_MENU_SET_SIZE &&
              IDB_MENU_LARGE_STOP - IDB_MENU_SMALL_STOP == IDB_MENU_SET_SIZE);
static_assert(IDS_NOTICE_MAKER == IDS_NOTICE_YEARS + 1 &&
              IDS_NOTICE_RIGHTS == IDS_NOTICE_YEARS + 2);
static_assert(IDC_VERSION_NOTICE_LAST - IDC_VERSION_NOTICE_FIRST ==
              IDS_NOTICE_LAST - IDS_NOTICE_FIRST);
static_assert(IDS_VOLUME_ALARM == IDS_VOLUME_AUDIO + 1 &&
              IDS_VOLUME_TIME_SIGNAL == IDS_VOLUME_AUDIO + 2);
static_assert(IDC_QT_ADD_3 == IDC_QT_ADD_1 + 1 && IDC_QT_ADD_5 == IDC_QT_ADD_1 + 2 &&
              IDC_QT_ADD_10 == IDC_QT_ADD_1 + 3 && IDC_QT_ADD_30 == IDC_QT_ADD_1 + 4);
static_assert(IDC_GS_SHORTCUT_STARTUP == IDC_GS_SHORTCUT_DESKTOP + 1 &&
              IDC_GS_SHORTCUT_ALL_DESKTOP == IDC_GS_SHORTCUT_DESKTOP + 2 &&
              IDC_GS_SHORTCUT_ALL_STARTUP == IDC_GS_SHORTCUT_DESKTOP + 3);
static_assert(ID_CMD_NOODLE_4 == ID_CMD_NOODLE_3 + 1 && ID_CMD_NOODLE_5 == ID_CMD_NOODLE_3 + 2);
static_assert(ID_CMD_CORNER_BOTTOM_RIGHT == ID_CMD_CORNER_TOP_RIGHT + 1 &&
              ID_CMD_CORNER_TOP_LEFT == ID_CMD_CORNER_TOP_RIGHT + 2 &&
              ID_CMD_CORNER_BOTTOM_LEFT == ID_CMD_CORNER_TOP_RIGHT + 3);
// A block stepped through by row or hour must end before the next id in use.
static_assert(IDC_TC_CHOOSE + 4 <= IDC_TC_SWATCH);
static_assert(IDC_TS_CUSTOM_HOUR + 10 <= IDC_TS_CUSTOM_MINUTE &&
              IDC_TS_CUSTOM_MINUTE + 10 <= IDC_TS_HOUR_START_MINUTE &&
              IDC_TS_CUSTOM_LABEL + 10 <= IDC_TS_CUSTOM_ON &&
              IDC_TS_CUSTOM_ON + 10 <= IDC_TS_HALF_START_MINUTE &&
              IDC_TS_CUSTOM_HOUR_SPIN + 10 <= IDC_TS_CUSTOM_MINUTE_SPIN &&
              IDC_TS_CUSTOM_MINUTE_SPIN + 10 <= IDC_TS_CUSTOM_SECOND_SPIN &&
              IDC_TS_CUSTOM_SECOND_SPIN + 10 <= IDC_TS_CUSTOM_SECOND &&
              IDC_TS_CUSTOM_SECOND + 10 <= IDC_TS_HOUR_START_MINUTE_SPIN &&
              IDC_TS_CUSTOM_MSECOND + 10 <= IDC_TS_CUSTOM_MSECOND_SPIN &&
              IDC_TS_CUSTOM_MSECOND_SPIN + 10 <= IDC_TS_HOUR_START_MSECOND);
static_assert(IDC_EACH_HOUR_ON + 24 <= IDC_TS_PREVIOUS_HALF &&
              IDC_CHIME_SOUND_NAME + 24 <= IDC_CHIME_SOUND_CHOOSE &&
              IDC_CHIME_SOUND_CHOOSE + 24 <= IDC_CHIME_SOUND_ENABLE &&
              IDC_CHIME_SOUND_ENABLE < IDC_CHIME_SOUND_CLEAR &&
              IDC_TS_SOUND_CLEAR < IDC_CHIME_SOUND_CLEAR);
static_assert(IDC_AU_SONG_NAME + 20 <= IDC_AU_SONG_CHOOSE &&
              IDC_AU_SONG_CHOOSE + 20 <= IDC_AU_ORDER_LIST &&
              IDC_AU_FOLDER_CLEAR < IDC_AU_SONG_CLEAR);
static_assert(IDC_BAND_START_HOUR + 4 <= IDC_BAND_START_HOUR_SPIN &&
              IDC_BAND_START_HOUR_SPIN + 4 <= IDC_BAND_END_HOUR &&
              IDC_BAND_END_HOUR + 4 <= IDC_BAND_END_HOUR_SPIN &&
              IDC_BAND_END_HOUR_SPIN + 4 <= IDC_BAND_COLOUR &&
              IDC_BAND_COLOUR + 4 <= IDC_BAND_SAMPLE && IDC_BAND_SAMPLE + 4 <= IDC_BAND_ON &&
              IDC_BAND_ON + 4 <= IDC_BAND_START_MINUTE &&
              IDC_BAND_START_MINUTE + 4 <= IDC_BAND_START_MINUTE_SPIN &&
              IDC_BAND_START_MINUTE_SPIN + 4 <= IDC_BAND_END_MINUTE &&
              IDC_BAND_END_MINUTE + 4 <= IDC_BAND_END_MINUTE_SPIN &&
              IDC_BAND_END_MINUTE_SPIN + 4 <= IDC_BAND_GROUP &&
              IDC_BAND_GROUP + 4 <= IDC_BAND_PREVIOUS);
#endif

#endif
