#include "printer/SettingTexts.h"

#include <cstdio>
#include <iterator>

namespace printer {
namespace {

struct Named {
    int value;
    const char* name;
};

constexpr Named kThaiTables[] = {
    {0, "KU 42"},   {1, "TIS 11"},  {2, "TIS 18"},  {3, "TIS 17"},  {4, "TIS 13"},
    {5, "TIS 16"},  {6, "TSM/WIN"}, {7, "Italic"},  {8, "PC 437"},  {9, "PC 850"},
    {10, "PC 860"}, {11, "PC 863"}, {12, "PC 865"}, {13, "PC 858"}, {14, "ISO 8859-15"},
};

// "Itaic Germany" is the printer information text as the technicians know it.
constexpr Named kTables[] = {
    {0, "PC 437"},          {1, "PC 850"},           {2, "PC 860"},
    {3, "PC 863"},          {4, "PC 865"},           {5, "PC 858"},
    {128, "Italic U.S.A."}, {129, "Italic France"},  {130, "Itaic Germany"},
    {131, "Italic U.K."},   {132, "Italic Denmark"}, {133, "Italic Sweden"},
    {134, "Italic Italy"},  {135, "Italic Spain"},   {0xFFFF, "additional character table"},
};

template <std::size_t N>
std::string Lookup(const Named (&table)[N], int value, const char* otherwise) {
    for (const Named& entry : table) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return otherwise;
}

constexpr int kUnitsPerInch = 360;

}  // namespace

std::string CharacterTableName(int value, bool thaiCustomer) {
    return thaiCustomer ? Lookup(kThaiTables, value, "Unknown") : Lookup(kTables, value, "Unknown");
}

std::string PrintingDirectionName(int value) {
    constexpr Named kDirections[] = {{0, "Bi-d"}, {1, "Uni-d"}, {2, "Auto"}};
    return Lookup(kDirections, value, "unknown");
}

std::string IbmCharacterName(int value) {
    constexpr Named kIbmTables[] = {{0, "Table2"}, {1, "Table1"}};
    return Lookup(kIbmTables, value, "unknown");
}

std::string PageLengthText(int value) {
    char text[24];
    std::snprintf(text, sizeof text, "%d\"", value / kUnitsPerInch);
    return text;
}

}  // namespace printer
