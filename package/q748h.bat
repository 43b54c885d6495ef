@REM 水平寸法（寸法値を離して引出線付き） q748h
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1 計測する１点目を指示してください (L)free (R)Read
REM #2 計測する２点目を指示してください (L)free (R)Read
REM #3 寸法線を通す点を指示してください (L)free (R)Read
REM #4 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --direction horizontal
