// The framework's own ids: standard commands of files, editing, windows and help, and the pane
// commands of split views. Each number is declared here once; the program's ids live in its
// layers' headers (kitbase/ui/KitbaseIds.h, quorvance/shell/QuorvanceIds.h, and each family's).
#pragma once

namespace platform::ui::ids {

// Commands (one unsigned type for every command id).
inline constexpr unsigned ID_FILE_NEW = 57600;
inline constexpr unsigned ID_FILE_OPEN = 57601;
inline constexpr unsigned ID_FILE_CLOSE = 57602; // a document's close, also the "Close" button of forms
inline constexpr unsigned ID_FILE_SAVE = 57603;  // a document's save (editors); not the project's Save
inline constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
inline constexpr unsigned ID_FILE_PRINT = 57607;
inline constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
inline constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr unsigned ID_FILE_MRU_FIRST = 57616;
inline constexpr unsigned ID_FILE_MRU_LAST = 57631;
inline constexpr unsigned ID_EDIT_CLEAR = 57632;
inline constexpr unsigned ID_EDIT_COPY = 57634;
inline constexpr unsigned ID_EDIT_CUT = 57635;
inline constexpr unsigned ID_EDIT_FIND = 57636;
inline constexpr unsigned ID_EDIT_PASTE = 57637;
inline constexpr unsigned ID_EDIT_REPLACE = 57641;
inline constexpr unsigned ID_EDIT_UNDO = 57643;
inline constexpr unsigned ID_EDIT_REDO = 57644;
inline constexpr unsigned ID_WINDOW_CASCADE = 57650;
inline constexpr unsigned ID_WINDOW_TILE = 57651;
inline constexpr unsigned ID_APP_ABOUT = 57664;
inline constexpr unsigned ID_APP_EXIT = 57665;
inline constexpr unsigned ID_HELP = 57670; // also the "Help" button of forms and dialogs
inline constexpr unsigned ID_NEXT_PANE = 57680;
inline constexpr unsigned ID_PREV_PANE = 57681;

} // namespace platform::ui::ids
