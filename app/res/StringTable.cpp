#include <algorithm>
#include <iterator>

#include "res/DialogTemplate.h"

namespace res {
namespace {

struct StringEntry {
    int id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
    {101, "show version(&A)..."},
    {102, "Would you cancel?"},
    {103, "for Windows 2000 / XP"},
    {105, "ORLEX"},
    {108, "TOLVANE.INI"},
    {111, "Interface Error\nMake sure cable connection\nand Printer Status."},
    {112, "Parameter"},
    {131, "Confirmation"},
    {132, "< Back"},
    {133, "Next >"},
    {134, "Finish"},
    {135, "Cancel"},
    {137, "Status"},
    {138, "Printer Info"},
    {200, "Infomation"},
    {201, "Sequence"},
    {202, "Adjustment Program"},
};

}  // namespace

std::string LoadResourceString(int id) {
    const auto* found = std::find_if(std::begin(kStrings), std::end(kStrings),
                                     [id](const StringEntry& entry) { return entry.id == id; });
    return found == std::end(kStrings) ? std::string() : std::string(found->text);
}

}  // namespace res
