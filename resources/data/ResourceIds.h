#pragma once
// Identifiers of every resource: dialogs, controls, menu commands, pictures, clips and
// strings. Control ids are unique within their dialog only.

namespace scx::res {

// Dialogs.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDD_DESTPATH = 138;
inline constexpr int IDD_FILEPROPS = 146;
inline constexpr int IDD_FILECOMPARE = 147;
inline constexpr int IDD_ARCHIVE_CREATE = 160;
inline constexpr int IDD_ARCHIVE_WIZARD = 163;
inline constexpr int IDD_ARCHIVE_EXTRACT = 164;

// Pictures, clips and the menu.
inline constexpr int IDR_MAINFRAME = 128;  // application icon
inline constexpr int IDR_MAINMENU = 129;
inline constexpr int IDR_AVI_JOIN = 136;   // 5 frames, 37 x 34
inline constexpr int IDR_AVI_SPLIT = 137;  // 5 frames, 37 x 29
inline constexpr int IDB_ABOUT = 143;
inline constexpr int IDB_LOGO = 145;

// Menu commands and the system-menu item.
inline constexpr int IDM_ABOUTBOX = 0x0010;
inline constexpr int ID_FILE_QUIT = 32771;
inline constexpr int ID_HELP_ABOUT = 32772;
inline constexpr int ID_HELP_ONLINE = 32773;
inline constexpr int ID_TOOLS_PROPERTIES = 32774;
inline constexpr int ID_TOOLS_COMPARE = 32775;
inline constexpr int ID_UNUSED_COMMAND = 32776;
inline constexpr int ID_TOOLS_ARCHIVE_WIZARD = 32777;

// Main window (102).
inline constexpr int IDC_SOURCE_PATH = 1000;
inline constexpr int IDC_DEST_PATH = 1001;
inline constexpr int IDC_SELECT = 1002;
inline constexpr int IDC_JOIN = 1005;
inline constexpr int IDC_EXTENSION = 1007;
inline constexpr int IDC_SIZE = 1008;
inline constexpr int IDC_INFO1 = 1009;
inline constexpr int IDC_INFO2 = 1010;
inline constexpr int IDC_CUT = 1011;
inline constexpr int IDC_PARTITION = 1012;
inline constexpr int IDC_ADD_SIZE = 1013;
inline constexpr int IDC_NEW_SIZE = 1014;
inline constexpr int IDC_PROGRESS = 1015;
inline constexpr int IDC_ANIMATION = 1018;
inline constexpr int IDC_CHANGE_DEST = 1019;
inline constexpr int IDC_HJSPLIT = 1022;

// Destination folder (138).
inline constexpr int IDC_DESTPATH_EDIT = 1000;

// File dates and attributes (146).
inline constexpr int IDC_MOD_DAY = 1023;
inline constexpr int IDC_MOD_DAY_SPIN = 1024;
inline constexpr int IDC_MOD_MONTH = 1025;
inline constexpr int IDC_MOD_MONTH_SPIN = 1026;
inline constexpr int IDC_MOD_YEAR_SPIN = 1027;
inline constexpr int IDC_MOD_YEAR = 1028;
inline constexpr int IDC_CRE_DAY = 1029;
inline constexpr int IDC_CRE_DAY_SPIN = 1030;
inline constexpr int IDC_CRE_MONTH = 1031;
inline constexpr int IDC_CRE_MONTH_SPIN = 1032;
inline constexpr int IDC_CRE_YEAR = 1033;
inline constexpr int IDC_CRE_YEAR_SPIN = 1034;
inline constexpr int IDC_ACC_DAY = 1035;
inline constexpr int IDC_ACC_DAY_SPIN = 1036;
inline constexpr int IDC_ACC_MONTH = 1037;
inline constexpr int IDC_ACC_MONTH_SPIN = 1038;
inline constexpr int IDC_ACC_YEAR = 1039;
inline constexpr int IDC_ACC_YEAR_SPIN = 1040;
inline constexpr int IDC_ATTR_READONLY = 1041;
inline constexpr int IDC_ATTR_HIDDEN = 1042;
inline constexpr int IDC_ATTR_ARCHIVE = 1043;

// File comparison (147).
inline constexpr int IDC_COMPARE_PATH = 1000;
inline constexpr int IDC_CHOOSE = 1050;
inline constexpr int IDC_COMPARE = 1051;

// Archive creation (160).
inline constexpr int IDC_REMOVE_FILE = 1055;
inline constexpr int IDC_FILE_LIST = 1057;
inline constexpr int IDC_ADD_FILE = 1058;
inline constexpr int IDC_CREATE = 1059;
inline constexpr int IDC_AUTHOR = 1060;
inline constexpr int IDC_CONTENT = 1061;
inline constexpr int IDC_COMMENT = 1062;
inline constexpr int IDC_CREATE_BACK = 1076;
inline constexpr int IDC_CUT_AFTER = 1077;
inline constexpr int IDC_CREATE_PROGRESS = 1078;
inline constexpr int IDC_STATUS = 1080;

// Archive wizard (163).
inline constexpr int IDC_NEW_ARCHIVE = 1063;
inline constexpr int IDC_EXISTING_ARCHIVE = 1064;
inline constexpr int IDC_NEXT = 1065;

// Archive extraction (164).
inline constexpr int IDC_EXTRACT_BACK = 3;
inline constexpr int IDC_CONTENT_LIST = 1066;
inline constexpr int IDC_ARCHIVE_PATH = 1067;
inline constexpr int IDC_BROWSE = 1068;
inline constexpr int IDC_SELECTION_LIST = 1070;
inline constexpr int IDC_ADD_SELECTION = 1071;
inline constexpr int IDC_EXTRACT = 1072;
inline constexpr int IDC_INFO_AUTHOR = 1073;
inline constexpr int IDC_INFO_CONTENT = 1074;
inline constexpr int IDC_INFO_COMMENT = 1075;
inline constexpr int IDC_REMOVE_SELECTION = 1076;
inline constexpr int IDC_EXTRACT_PROGRESS = 1079;

// Strings.
inline constexpr unsigned IDS_ABOUTBOX = 101;
inline constexpr unsigned IDS_CUT_DONE = 102;
inline constexpr unsigned IDS_TAG_UNREADABLE = 103;
inline constexpr unsigned IDS_HJSPLIT_NO_EXTENSION = 104;
inline constexpr unsigned IDS_JOIN_DONE = 105;
inline constexpr unsigned IDS_NO_FILE_CHOSEN = 106;
inline constexpr unsigned IDS_OVERWRITE = 107;
inline constexpr unsigned IDS_ADD_COPY = 108;
inline constexpr unsigned IDS_SIZE_NOT_NUMERIC = 109;
inline constexpr unsigned IDS_NO_SIZE_TO_ADD = 110;
inline constexpr unsigned IDS_FILE_SMALLER = 111;
inline constexpr unsigned IDS_NOT_CUT_BY_SCINDAREX = 112;
inline constexpr unsigned IDS_CREATE_FOLDER = 113;
inline constexpr unsigned IDS_FOLDER_CREATED = 114;
inline constexpr unsigned IDS_ADD_SEPARATOR = 115;
inline constexpr unsigned IDS_QUIT = 116;
inline constexpr unsigned IDS_ZERO_PARTITION = 117;
inline constexpr unsigned IDS_VALUE_TOO_HIGH = 118;
inline constexpr unsigned IDS_VALUE_TOO_LOW = 119;
inline constexpr unsigned IDS_APPLY_CHANGES = 120;
inline constexpr unsigned IDS_TAG_EXTENSION = 121;
inline constexpr unsigned IDS_TAG_COUNT = 122;
inline constexpr unsigned IDS_PIECES_PRODUCED = 123;
inline constexpr unsigned IDS_PARTITION_SIZE = 124;
inline constexpr unsigned IDS_NO_FILE_PROPERTIES = 125;
inline constexpr unsigned IDS_SYSTEM_FILE = 126;
inline constexpr unsigned IDS_FILES_IDENTICAL = 128;
inline constexpr unsigned IDS_NO_FILE_COMPARE = 129;
inline constexpr unsigned IDS_SIZE_HEADING = 130;
inline constexpr unsigned IDS_DIFF_ADDRESS = 131;
inline constexpr unsigned IDS_SAME_FILE = 132;
inline constexpr unsigned IDS_ARCHIVE_CREATED = 133;
inline constexpr unsigned IDS_ARCHIVE_CORRUPT = 134;
inline constexpr unsigned IDS_ARCHIVE_LOADED = 135;
inline constexpr unsigned IDS_ALREADY_IN_LIST = 136;
inline constexpr unsigned IDS_INVALID_CHARACTER = 137;
inline constexpr unsigned IDS_NOTHING_SELECTED = 138;
inline constexpr unsigned IDS_EXTRACT_DONE = 139;
inline constexpr unsigned IDS_NEWER_FORMAT = 140;
inline constexpr unsigned IDS_NEWER_VERSION = 141;
inline constexpr unsigned IDS_NAME_TOO_LONG = 142;
inline constexpr unsigned IDS_STATUS_NO_FILE = 143;
inline constexpr unsigned IDS_STATUS_ADD = 144;
inline constexpr unsigned IDS_STATUS_HEADER = 145;
inline constexpr unsigned IDS_STATUS_WRITING = 146;
inline constexpr unsigned IDS_STATUS_CREATE = 147;
inline constexpr unsigned IDS_TOO_MANY_PIECES = 148;

// Strings of our own, from 200 up: the file layer's failures ("%1" is the file's path).
inline constexpr unsigned IDS_FILE_ERROR_GENERIC = 200;
inline constexpr unsigned IDS_FILE_NOT_FOUND = 201;
inline constexpr unsigned IDS_FILE_BAD_PATH = 202;
inline constexpr unsigned IDS_FILE_ACCESS_DENIED = 203;
inline constexpr unsigned IDS_FILE_SHARING_VIOLATION = 204;
inline constexpr unsigned IDS_FILE_DISK_FULL = 205;
inline constexpr unsigned IDS_FILE_END_OF_FILE = 206;
inline constexpr unsigned IDS_OUT_OF_MEMORY = 207;
inline constexpr unsigned IDS_NO_FILE_SELECTED = 208;  // "Aucun fichier sélectionné"
inline constexpr unsigned IDS_FILE_NOT_REGULAR = 213;  // a folder, pipe, socket or device
// A defect caught before it could end the program ("%1": what the defect said).
inline constexpr unsigned IDS_UNEXPECTED_ERROR = 214;
inline constexpr unsigned IDS_UNKNOWN_ERROR_DETAIL = 215;

// Refusals of split and join that keep them from losing data ("%1" is a path).
inline constexpr unsigned IDS_SOURCE_CHANGED = 210;
inline constexpr unsigned IDS_PIECE_IS_SOURCE = 211;
inline constexpr unsigned IDS_OUTPUT_IS_PIECE = 212;

// Package archives: refusals that keep an archive readable and a folder safe ("%1" is a
// path or a member's name).
inline constexpr unsigned IDS_NAME_NOT_STORABLE = 220;  // ";", or no extraction would write it
inline constexpr unsigned IDS_ARCHIVE_IS_MEMBER = 221;
inline constexpr unsigned IDS_ARCHIVE_TOO_LARGE = 222;
inline constexpr unsigned IDS_UNSAFE_ENTRY_NAME = 223;
inline constexpr unsigned IDS_MEMBER_NOT_IN_ARCHIVE = 224;
inline constexpr unsigned IDS_MEMBER_NOT_EXTRACTED = 225;
inline constexpr unsigned IDS_OUTPUT_IS_ARCHIVE = 226;
// scindarex-cli only: a member not extracted because its output name is taken.
inline constexpr unsigned IDS_MEMBER_OUTPUT_TAKEN = 227;
inline constexpr unsigned IDS_MEMBER_COPY_TAKEN = 228;
// A property longer than an archive can be read back with.
inline constexpr unsigned IDS_PROPERTY_TOO_LONG = 232;
// A member's name, or its copy name, too long for the destination's file system.
inline constexpr unsigned IDS_NAME_TOO_LONG_FOR_FOLDER = 238;
// A member's name with a character the system refuses in a file name (Windows).
inline constexpr unsigned IDS_NAME_FORBIDDEN_CHARACTER = 293;

// The file tools ("%1" is a date or a path).
inline constexpr unsigned IDS_DATE_NOT_REPRESENTABLE = 240;
inline constexpr unsigned IDS_NO_EXTENDED_ATTRIBUTES = 241;
// A status write that stopped half-way: "%1" the parts applied, "%2" the others.
inline constexpr unsigned IDS_STATUS_PARTLY_WRITTEN = 242;
// "%1" the file, "%2" the part, "%3" the date asked, "%4" the date stored.
inline constexpr unsigned IDS_DATE_NOT_KEPT = 243;
// The parts of a file's status, as those two messages name them.
inline constexpr unsigned IDS_PART_ATTRIBUTES = 244;
inline constexpr unsigned IDS_PART_MODIFIED = 245;
inline constexpr unsigned IDS_PART_CREATED = 246;
inline constexpr unsigned IDS_PART_ACCESSED = 247;

// Checksum files of piece sets ("%1" is a path or a name, "%2" a line number or a count).
inline constexpr unsigned IDS_CHECKSUM_MALFORMED = 260;
inline constexpr unsigned IDS_CHECKSUM_UNSAFE_NAME = 261;
inline constexpr unsigned IDS_CHECKSUM_DUPLICATE = 262;
inline constexpr unsigned IDS_CHECKSUM_TOO_LARGE = 263;
inline constexpr unsigned IDS_PIECE_DAMAGED = 264;
inline constexpr unsigned IDS_JOINED_DAMAGED = 265;
inline constexpr unsigned IDS_PIECE_MISSING = 266;
inline constexpr unsigned IDS_PIECE_NOT_LISTED = 267;
inline constexpr unsigned IDS_NO_CHECKSUM_FILE = 268;
inline constexpr unsigned IDS_CHECKSUM_PRESENT = 269;
inline constexpr unsigned IDS_CHECKSUM_ABSENT = 270;
inline constexpr unsigned IDS_VERIFY_FAILED = 271;
inline constexpr unsigned IDS_VERIFY_DONE = 272;
inline constexpr unsigned IDS_NAME_NOT_LISTABLE = 273;
inline constexpr unsigned IDS_CHECKSUM_IS_SOURCE = 274;
inline constexpr unsigned IDS_CHECKSUMS_WRITTEN = 275;
inline constexpr unsigned IDS_JOIN_VERIFIED = 276;
inline constexpr unsigned IDS_CHECKSUMS_STALE = 277;
// The name of standard output in a file error.
inline constexpr unsigned IDS_STANDARD_OUTPUT = 278;

// Files dropped on the main window ("%1" is the dropped folder).
inline constexpr unsigned IDS_DROP_ONE_FILE = 280;
inline constexpr unsigned IDS_DROP_FOLDER = 281;
// What a screen reader calls a progress bar that has no label.
inline constexpr unsigned IDS_ACCESSIBLE_PROGRESS = 282;
// What a screen reader on Windows calls a button's default action.
inline constexpr unsigned IDS_ACCESSIBLE_PRESS = 290;
inline constexpr unsigned IDS_ACCESSIBLE_CHECK = 291;
inline constexpr unsigned IDS_ACCESSIBLE_UNCHECK = 292;

}  // namespace scx::res
