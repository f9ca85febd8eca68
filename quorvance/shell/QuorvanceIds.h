// The program's ids: the application's and the main frame's commands, its bars and resources, and
// the help topics the shell opens. The framework's ids are in platform/ui/CommandIds.h, kitbase's in
// kitbase/ui/KitbaseIds.h, each drive family's in its own folder (<Family>Commands.h) and the
// on-line root's in quorvance/online/OnlineCommands.h.
#pragma once

// Project file commands. The framework's document commands (ID_FILE_CLOSE 57602, ID_FILE_SAVE
// 57603) are other numbers: the File menu sends these.
inline constexpr unsigned ID_PROJECT_CLOSE = 32781;
inline constexpr unsigned ID_PROJECT_SAVE = 32821;
inline constexpr unsigned ID_PROJECT_SAVE_AS = 32780;
inline constexpr unsigned ID_INSERT_PROJECT = 32774;
inline constexpr unsigned ID_IMPORT = 32778;

// Windows, bars and help.
inline constexpr unsigned ID_CUSTOMIZE = 200;
inline constexpr unsigned ID_RESTORE_MESSAGES = 304;
inline constexpr unsigned ID_TOOLBARS = 32783;
inline constexpr unsigned ID_VIEW_WORKSPACE = 32784;
inline constexpr unsigned ID_VIEW_OUTPUT = 32785;
inline constexpr unsigned ID_WORKBOOK_MODE = 32786;
inline constexpr unsigned ID_HELP_CONTENTS = 32795;
inline constexpr unsigned ID_TIP_OF_THE_DAY = 32883;
inline constexpr unsigned ID_SHOW_WORKSPACE = 32884;
inline constexpr unsigned ID_INDICATOR_LINE = 32885;
inline constexpr unsigned ID_CLOSE_ALL = 32922;
inline constexpr unsigned ID_RELEASE_NOTES = 32935;
inline constexpr unsigned ID_MOTION_LIBRARY = 32943;
inline constexpr unsigned ID_SELF_TEST = 33113;

// Program editor and build commands (their handlers come with the program editor).
inline constexpr unsigned ID_BUILD = 32788;
inline constexpr unsigned ID_RUN = 32789;
inline constexpr unsigned ID_STOP = 32790;
inline constexpr unsigned ID_KILL = 32791;
inline constexpr unsigned ID_EDIT_FIND_NEXT = 45041;
inline constexpr unsigned ID_BOOKMARK_TOGGLE = 45267;
inline constexpr unsigned ID_BOOKMARK_NEXT = 45300;
inline constexpr unsigned ID_BOOKMARK_PREVIOUS = 45333;
inline constexpr unsigned ID_BOOKMARK_CLEAR = 45366;

// Tool bars, the bar list's Customize answer, dialogs and resources (control and resource ids).
inline constexpr int ID_BAR_FILE = 0xE800;
inline constexpr int ID_BAR_EDIT = 0xE805;
inline constexpr int ID_BAR_PROGRAM = 0xE806;
inline constexpr int ID_BAR_ENABLE = 0xE807;
inline constexpr int ID_BAR_LIST_CUSTOMIZE = 43099;
inline constexpr int IDD_MOTION_LIBRARY = 302;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr unsigned IDR_OFFLINE_ROOT_MENU = 251;

// Help topics.
inline constexpr unsigned long kHelpTopicOutput = 1039;
inline constexpr unsigned long kHelpTopicOffLineRoot = 1063;
inline constexpr unsigned long kHelpTopicReleaseNotes = 1131;
