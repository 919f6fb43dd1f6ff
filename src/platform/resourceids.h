// Numeric identifiers of the player's controls, commands, messages, skin bitmaps and strings.
// Every control's QObject name is its id as decimal text, so code and tests find it with ControlName(id).
#pragma once

#include <QString>

namespace ids {

inline QString ControlName(int id) { return QString::number(id); }

// ---- Main window (template 102) ----
constexpr int kMainDialogTemplate = 102;
constexpr int IDC_MINIMIZE = 1000;
constexpr int IDC_CLOSE = 1001;
constexpr int IDC_INFORMATION = 1002;
constexpr int IDC_CALENDAR = 1003;
constexpr int IDC_SAVE = 1004;
constexpr int IDC_DELETE = 1005;
constexpr int IDC_FLIP_VERTICAL = 1006;
constexpr int IDC_CAPTURE = 1007;
constexpr int IDC_EXTEND = 1008;
constexpr int IDC_TYPE_ALL = 1009;
constexpr int IDC_TYPE_NORMAL = 1010;
constexpr int IDC_TYPE_EVENT = 1011;
constexpr int IDC_TYPE_MOTION = 1012;
constexpr int IDC_REWIND = 1013;
constexpr int IDC_FORWARD = 1014;
constexpr int IDC_PLAY = 1015;
constexpr int IDC_PREVIOUS = 1016;
constexpr int IDC_NEXT = 1017;
constexpr int IDC_MAP_LARGER = 1018;
constexpr int IDC_MAP_SHOW = 1019;
constexpr int IDC_POSITION_SLIDER = 1020;
constexpr int IDC_SPEED_SLIDER = 1021;
constexpr int IDC_VOLUME_SLIDER = 1022;
constexpr int IDC_BRIGHTNESS_SLIDER = 1023;
constexpr int IDC_DURATION_LABEL = 1024;
constexpr int IDC_ELAPSED_LABEL = 1025;
constexpr int IDC_MUTE = 1026;
constexpr int IDC_FLIP_HORIZONTAL = 1027;
constexpr int IDC_VIEW_FRONT = 1028;
constexpr int IDC_RECORDING_LIST = 1029;
constexpr int IDC_VIEW_REAR = 1030;
constexpr int IDC_VIEW_BOTH = 1031;
constexpr int IDC_SPEED_ICON = 1032;
constexpr int IDC_BRIGHTNESS_ICON = 1033;
constexpr int IDC_MAP_VIEW = 1068;
constexpr int IDC_FILE_NAME_LABEL = 1069;
constexpr int IDC_FOLDER = 1092;
constexpr int IDC_CHECK_ALL = 1093;
// The two video windows are children without a control id of their own.
constexpr int IDC_VIDEO_WINDOW = 0xFFFF;

// ---- Control panel of the extended view (template 283) ----
constexpr int kControlPanelTemplate = 283;
constexpr int IDC_PANEL_POSITION_SLIDER = 1067;
constexpr int IDC_PANEL_REWIND = 1071;
constexpr int IDC_PANEL_FORWARD = 1072;
constexpr int IDC_PANEL_PLAY = 1073;
constexpr int IDC_PANEL_PREVIOUS = 1074;
constexpr int IDC_PANEL_NEXT = 1075;
constexpr int IDC_PANEL_MUTE = 1076;
constexpr int IDC_PANEL_VOLUME_SLIDER = 1077;
constexpr int IDC_PANEL_INFORMATION = 1078;
constexpr int IDC_PANEL_ELAPSED_LABEL = 1079;
constexpr int IDC_PANEL_DURATION_LABEL = 1080;
constexpr int IDC_PANEL_FILE_LIST = 1081;

// ---- Top bar of the extended view (template 284) ----
constexpr int kTopBarTemplate = 284;
constexpr int IDC_TOP_REDUCE = 1081;
constexpr int IDC_TOP_FILE_NAME_LABEL = 1082;
constexpr int IDC_TOP_FRONT = 1100;
constexpr int IDC_TOP_REAR = 1101;
constexpr int IDC_TOP_BOTH = 1102;
constexpr int IDC_TOP_FLIP_VERTICAL = 1103;
constexpr int IDC_TOP_FLIP_HORIZONTAL = 1104;

// ---- File list panel of the extended view (template 291) ----
constexpr int kFileListTemplate = 291;
constexpr int IDC_FILES_LIST = 1083;
constexpr int IDC_FILES_ALL = 1084;
constexpr int IDC_FILES_NORMAL = 1085;
constexpr int IDC_FILES_EVENT = 1086;
constexpr int IDC_FILES_MOTION = 1087;
constexpr int IDC_FILES_CALENDAR = 1088;
constexpr int IDC_FILES_SAVE = 1089;
constexpr int IDC_FILES_DELETE = 1090;
constexpr int IDC_FILES_FOLDER = 1091;
constexpr int IDC_FILES_CHECK = 1099;

// ---- Drive selection dialog (template 130) ----
constexpr int kSelectDriveTemplate = 130;
constexpr int IDC_DRIVE_COMBO = 1024;
constexpr int IDC_DRIVE_LABEL = 1095;
constexpr int IDC_DRIVE_HINT = 1096;

// ---- Date dialog (template 316) ----
constexpr int kSelectMonthTemplate = 316;
constexpr int IDC_MONTH_CALENDAR = 1094;

// ---- Information dialog (template 492) ----
constexpr int kInformationTemplate = 492;
constexpr int IDC_INFO_CLOSE = 1105;
constexpr int IDC_INFO_TITLE = 10101;
constexpr int IDC_INFO_MEMORY_HEADING = 10102;
constexpr int IDC_INFO_VERSION_HEADING = 10104;
constexpr int IDC_INFO_SUPPORT_HEADING = 10106;
constexpr int IDC_INFO_TOTAL = 10109;
constexpr int IDC_INFO_FREE = 10111;
constexpr int IDC_INFO_NORMAL = 10114;
constexpr int IDC_INFO_EVENT = 10116;
constexpr int IDC_INFO_MOTION = 10118;
constexpr int IDC_INFO_FIRMWARE = 10119;
constexpr int IDC_INFO_PLAYER_VERSION = 10123;

// ---- Dialog results ----
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// ---- Commands, messages, timers ----
constexpr int ID_PREVIOUS_RECORDING = 32773;  // accelerator Page Up
constexpr int ID_NEXT_RECORDING = 32774;      // accelerator Page Down
constexpr int kAcceleratorTable = 499;
constexpr int WM_SHELL_DRIVE_NOTIFY = 0x458;
constexpr int WM_RELOAD_TELEMETRY = 0x45A;
constexpr int WM_DETECT_CARD = 0x45C;
constexpr int kPositionTimer = 100;
constexpr int kPositionTimerMs = 200;

// ---- Icon ----
constexpr int IDI_MAIN = 128;

// ---- Skin bitmaps ----
// Button runs: N normal, N+1 hover, N+2 pressed; a separate disabled image sits at N-1 where one exists.
constexpr int IDB_FACE = 129;               // 1022 x 682 main window face
constexpr int IDB_CLOSE = 130;
constexpr int IDB_INFORMATION = 133;
constexpr int IDB_MINIMIZE = 136;
constexpr int IDB_CAPTURE = 139;
constexpr int IDB_EXTEND = 142;
constexpr int IDB_FLIP_VERTICAL = 145;
constexpr int IDB_CALENDAR = 148;
constexpr int IDB_DELETE = 151;
constexpr int IDB_SAVE = 154;
constexpr int IDB_MAP_HIDE_PRESSED = 157;  // run 157 pressed, 158 normal, 159 hover
constexpr int IDB_MAP_HIDE = 158;
constexpr int IDB_MAP_HIDE_HOVER = 159;
constexpr int IDB_MAP_LARGER = 160;         // run 160 normal, 161 hover, 163 pressed
constexpr int IDB_MAP_LARGER_HOVER = 161;
constexpr int IDB_MAP_LARGER_PRESSED = 163;
constexpr int IDB_TYPE_ALL = 164;
constexpr int IDB_TYPE_EVENT = 167;
constexpr int IDB_TYPE_MOTION = 170;
constexpr int IDB_TYPE_NORMAL = 173;
constexpr int IDB_FORWARD = 191;
constexpr int IDB_NEXT = 194;
constexpr int IDB_PAUSE = 197;
constexpr int IDB_PLAY = 200;
constexpr int IDB_PREVIOUS = 203;
constexpr int IDB_REWIND = 206;
constexpr int IDB_POSITION_CHANNEL = 209;
constexpr int IDB_POSITION_FILL = 210;
constexpr int IDB_POSITION_THUMB = 213;
constexpr int IDB_BRIGHTNESS_FILL = 214;
constexpr int IDB_SPEED_FILL = 215;
constexpr int IDB_VOLUME_FILL = 216;
constexpr int IDB_BRIGHTNESS_THUMB = 217;
constexpr int IDB_SPEED_THUMB = 218;
constexpr int IDB_VOLUME_THUMB = 219;
constexpr int IDB_MUTED = 220;
constexpr int IDB_UNMUTED = 223;
constexpr int IDB_SCROLL_UP = 236;
constexpr int IDB_SCROLL_THUMB = 238;
constexpr int IDB_SCROLL_TRACK = 239;
constexpr int IDB_SCROLL_DOWN = 240;
constexpr int IDB_CHECKBOX_STRIP = 241;     // 72 x 16: four 18 x 16 boxes
constexpr int IDB_BRIGHTNESS_CHANNEL = 266;
constexpr int IDB_SPEED_CHANNEL = 267;
constexpr int IDB_VOLUME_CHANNEL = 268;
constexpr int IDB_PANEL_STRIP = 269;        // 1 x 44
constexpr int IDB_TOP_STRIP = 270;          // 1 x 40
constexpr int IDB_PANEL_TIME_LABEL = 278;
constexpr int IDB_MAP_STRIP = 279;          // 324 x 28
constexpr int IDB_MAP_SHOW = 280;
constexpr int IDB_REDUCE = 285;
constexpr int IDB_FILE_LIST = 288;
constexpr int IDB_GSENSOR_BACKGROUND = 292; // 370 x 114
constexpr int IDB_ELAPSED_LABEL = 293;
constexpr int IDB_DURATION_LABEL = 294;
constexpr int IDB_EXT_VOLUME_CHANNEL = 296;
constexpr int IDB_EXT_VOLUME_FILL = 297;
constexpr int IDB_PANEL_MUTED = 300;
constexpr int IDB_PANEL_UNMUTED = 303;
constexpr int IDB_PANEL_POSITION_CHANNEL = 306;
constexpr int IDB_PANEL_POSITION_FILL = 307;
constexpr int IDB_PANEL_INFORMATION = 308;
constexpr int IDB_FILE_NAME_LABEL = 312;
constexpr int IDB_FOLDER = 313;
constexpr int IDB_DIGIT_0 = 321;            // 321 + d shows digit d, 10 x 15
constexpr int IDB_CHECK_ALL = 451;
constexpr int IDB_VIEW_FRONT = 456;         // disabled 455
constexpr int IDB_VIEW_REAR = 460;          // disabled 459
constexpr int IDB_VIEW_BOTH = 464;          // disabled 463
constexpr int IDB_FLIP_VERTICAL_DISABLED = 467;
constexpr int IDB_FLIP_HORIZONTAL_DISABLED = 468;
constexpr int IDB_FLIP_HORIZONTAL = 469;
constexpr int IDB_TOP_FRONT = 473;          // disabled 472
constexpr int IDB_TOP_REAR = 477;           // disabled 476
constexpr int IDB_TOP_BOTH = 481;           // disabled 480
constexpr int IDB_TOP_FLIP_VERTICAL = 485;  // disabled 484
constexpr int IDB_TOP_FLIP_HORIZONTAL = 489;  // disabled 488
constexpr int IDB_INFO_FACE = 493;          // 338 x 412
constexpr int IDB_INFO_CLOSE = 494;
constexpr int IDB_CAPTURE_DISABLED = 497;
constexpr int IDB_EMPTY_VIDEO = 498;        // 688 x 389
constexpr int IDB_BRIGHTNESS_ICON = 500;
constexpr int IDB_SPEED_ICON = 501;

// ---- Strings ----
constexpr int IDS_PLAYER_VERSION = 320;
constexpr int IDS_MEMORY_INFORMATION = 407;
constexpr int IDS_TOTAL_SPACE = 408;
constexpr int IDS_FREE_SPACE = 409;
constexpr int IDS_USED_SPACE = 410;
constexpr int IDS_USED_NORMAL = 411;
constexpr int IDS_USED_EVENT = 412;
constexpr int IDS_USED_MOTION = 413;
constexpr int IDS_FIRMWARE_VERSION = 415;
constexpr int IDS_VIEWER_VERSION = 417;
constexpr int IDS_VERSION_INFORMATION = 418;
constexpr int IDS_DELETE_CONFIRM = 420;
constexpr int IDS_SUPPORT_HEADING = 421;
constexpr int IDS_SUPPORT_WEB = 422;
constexpr int IDS_SUPPORT_PHONE = 423;
constexpr int IDS_SELECT_DRIVE_TITLE = 426;
constexpr int IDS_SELECT_DRIVE_LABEL = 427;
constexpr int IDS_SELECT_DRIVE_HINT = 428;
constexpr int IDS_PORTABLE_DISK = 429;
constexpr int IDS_PLAYING_NOT_DELETABLE = 446;
constexpr int IDS_CANNOT_PLAY = 447;
constexpr int IDS_NO_CARD_DRIVE = 448;
constexpr int IDS_SAVE_TITLE = 449;
constexpr int IDS_NO_GPS = 450;
constexpr int IDS_SELECT_FOLDER = 458;
constexpr int IDS_APP_TITLE = 57344;
// Texts of our own for what the recorder's desktop tool left unsaid.
constexpr int IDS_COPY_REPLACE = 600;
constexpr int IDS_COPY_FAILED = 601;
constexpr int IDS_COPY_DISK_FULL = 602;
constexpr int IDS_COPY_READ_ONLY = 603;
constexpr int IDS_COPY_SOURCE_UNREADABLE = 604;
constexpr int IDS_CAPTURE_REPLACE = 605;
constexpr int IDS_DELETE_FAILED = 606;
constexpr int IDS_COPY_SUMMARY = 607;
constexpr int IDS_COPY_PROGRESS = 608;
constexpr int IDS_CAPTURE_FAILED = 609;
constexpr int IDS_COPY_REPLACE_BUTTON = 610;
constexpr int IDS_COPY_SKIP_BUTTON = 611;
constexpr int IDS_COPY_CANCEL_BUTTON = 612;
constexpr int IDS_COPY_APPLY_TO_ALL = 613;

// ---- Languages of the string table ----
constexpr int kLangEnglish = 1033;
constexpr int kLangJapanese = 1041;
constexpr int kLangKorean = 1042;
constexpr int kLangRussian = 1049;

}  // namespace ids
