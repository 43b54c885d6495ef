@REM 垂直寸法・線指示・繰り返し（線の長さを測る） q748lr
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1ln 計測する線を指示してください
REM #2 寸法線を通す点を指示してください (L)free (R)Read
REM #3 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #hr
REM #e
:START
start /w "" "%~dp0q748.exe" --pick line
