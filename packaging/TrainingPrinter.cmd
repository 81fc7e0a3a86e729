@echo off
rem Tolvane on the training printers: a VK-572D at USB1 and a VK-2240II at LPT2, virtual printers on
rem a loopback port of this PC. What they print lands as PNG pages in the prints folder below; their
rem EEPROMs and counters are kept between runs.
setlocal
set TOLVANE_TRAINING=%LOCALAPPDATA%\Tolvane\Training
if not exist "%TOLVANE_TRAINING%\prints" mkdir "%TOLVANE_TRAINING%\prints"
set TOLVANE_VPRINTER=127.0.0.1:9555
start "Tolvane training printers" /min "%~dp0vprinter.exe" --listen %TOLVANE_VPRINTER% ^
  --printer USB1=VK-572D --printer LPT2=VK-2240II ^
  --state "%TOLVANE_TRAINING%" --print-dir "%TOLVANE_TRAINING%\prints"
"%~dp0Tolvane.exe"
taskkill /fi "WINDOWTITLE eq Tolvane training printers" >nul 2>&1
endlocal
