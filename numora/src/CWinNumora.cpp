#include "numora/CWinNumora.h"

CWinNumora::CWinNumora() = default;

CWinNumora::~CWinNumora() = default;
