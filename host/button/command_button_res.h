// Resource ids of the Command button's six state pictures, in the order of orv::button::Picture:
// the picture p is resource IDB_COMMAND_FIRST + p.
#pragma once

#define IDB_COMMAND_FIRST 5101
#define IDB_COMMAND_NORMAL 5101
#define IDB_COMMAND_DISABLE 5102
#define IDB_COMMAND_HIGHLIGHT 5103
#define IDB_COMMAND_HIGHLIGHT_SELECT 5104
#define IDB_COMMAND_SELECTED 5105
#define IDB_COMMAND_PRESSED 5106
