// The language texts the service command engine shows, by number: STATUS (strStatusNN), ERROR
// (strErrorNN), MESSAGE (strMessageNN) and CUSTOM_MESSAGE (strCustomMsgNN). A number the lists do not
// hold gives an empty text rather than a read past their end.
#pragma once

#include <string>

class CTolvLangText;

namespace patterns {

std::string StatusText(const CTolvLangText& texts, int number);
std::string ErrorText(const CTolvLangText& texts, int number);
std::string MessageText(const CTolvLangText& texts, int number);
std::string CustomMessageText(const CTolvLangText& texts, int number);

}  // namespace patterns
