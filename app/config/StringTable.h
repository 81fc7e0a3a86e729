// String-table texts that the configuration reads before any window exists. They stay here until the
// resource string table takes them over; the entry numbers are those of the table.
#pragma once

// Entry 108: the settings file beside the executable.
inline constexpr const char* kStrIniFileName = "TOLVANE.INI";
// Entry 112: the folder of the model profiles below the executable, and the base name of each
// profile's own file inside it.
inline constexpr const char* kStrParameterFolder = "Parameter";
