// The menu, parts and master sequence entries of a language's .mnu file, taken apart into tables.
// Pure functions: text in, tables out.
//
//   strMenuNN   name||item            or  name||item||sequence caption
//   strPartsNN  part name||item,item,...
//   strSequence item,item,...         the order in which a sequential run does its items
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace config {

// One element per menu slot, from slot 0 up to the last slot that is not empty; empty slots in
// between stay as empty rows so that row numbers equal slot numbers.
struct MenuTable {
    std::vector<std::string> names;
    std::vector<std::string> numbers;  // item number texts; empty for a row without a number
    std::vector<std::string> captions;
};

// One element per parts slot, from slot 0 up to the last slot that is not empty.
struct PartsTable {
    std::vector<std::string> names;               // empty for a slot without a part
    std::vector<std::vector<std::string>> items;  // the item number texts each part requires
};

// Splits at every occurrence of separator. Each occurrence ends a field, which may be empty; the
// rest after the last one is a field only when it is not empty, so "a||" is one field and "" none.
// Fields are not trimmed.
std::vector<std::string> SplitFields(const std::string& text, const std::string& separator);

MenuTable ParseMenu(std::span<const std::string> entries);
PartsTable ParseParts(std::span<const std::string> entries);
std::vector<std::string> ParseSequence(const std::string& text);

// The first row whose number, read as an integer, is greater than 0 and equal to item; -1 when none.
int FindMenuRow(const MenuTable& menu, int item);

// Item numbers travel as texts; this is how every consumer reads them: leading white space, a sign
// and decimal digits, stopping at the first other character, 0 when there is no number. Values out of
// the int range are clamped.
int ItemNumber(const std::string& text);

}  // namespace config
