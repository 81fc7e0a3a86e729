// The language texts the service command engine shows, by number: STATUS (strStatusNN), ERROR
// (strErrorNN), MESSAGE (strMessageNN) and CUSTOM_MESSAGE (strCustomMsgNN); and the FATAL_ERROR
// descriptions of the fatal error history (strFatalErrorXX, by the code byte), which the history page
// and the command line show. A number the lists do not hold gives an empty text rather than a read
// past their end.
#pragma once

#include <string>

class CTolvLangText;

namespace patterns {

std::string StatusText(const CTolvLangText& texts, int number);
std::string ErrorText(const CTolvLangText& texts, int number);
std::string MessageText(const CTolvLangText& texts, int number);
std::string CustomMessageText(const CTolvLangText& texts, int number);
// Every code byte has a text: the language file's own, else the loader's default.
std::string FatalErrorText(const CTolvLangText& texts, int code);

}  // namespace patterns
