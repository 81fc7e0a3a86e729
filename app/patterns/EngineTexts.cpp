#include "patterns/EngineTexts.h"

#include "config/CTolvLangText.h"

namespace patterns {

namespace {

template <std::size_t Count>
std::string Entry(const std::string (&list)[Count], int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= Count) {
        return {};
    }
    return list[number];
}

}  // namespace

std::string StatusText(const CTolvLangText& texts, int number) {
    return Entry(texts.strStatus, number);
}

std::string ErrorText(const CTolvLangText& texts, int number) {
    return Entry(texts.strError, number);
}

std::string MessageText(const CTolvLangText& texts, int number) {
    return Entry(texts.strMessage, number);
}

std::string CustomMessageText(const CTolvLangText& texts, int number) {
    return Entry(texts.strCustomMsg, number);
}

std::string FatalErrorText(const CTolvLangText& texts, int code) {
    return Entry(texts.strFatalError, code);
}

}  // namespace patterns
