// How the setting reader names the values it reads from the EEPROM. Pure.
#pragma once

#include <string>

namespace printer {

// The character table of a stored value: the Thai customer's printers have tables of their own.
std::string CharacterTableName(int value, bool thaiCustomer);
// 0 "Bi-d", 1 "Uni-d", 2 "Auto", else "unknown".
std::string PrintingDirectionName(int value);
// 0 "Table2", 1 "Table1", else "unknown".
std::string IbmCharacterName(int value);
// The page length word is in 1/360 inch; shown in whole inches with the inch mark: 3960 is 11".
std::string PageLengthText(int value);

}  // namespace printer
