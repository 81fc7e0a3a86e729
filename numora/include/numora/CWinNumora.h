// Numora.dll: the program constructs one CWinNumora per print job and destroys it again; nothing else
// of it is used, so the object holds nothing.
#pragma once

#if defined(_WIN32)
#if defined(TOLVANE_BUILDING_NUMORA)
#define NUMORA_API __declspec(dllexport)
#else
#define NUMORA_API __declspec(dllimport)
#endif
#else
#define NUMORA_API __attribute__((visibility("default")))
#endif

class NUMORA_API CWinNumora {
public:
    CWinNumora();
    ~CWinNumora();
    CWinNumora(const CWinNumora&) = delete;
    CWinNumora& operator=(const CWinNumora&) = delete;
};
