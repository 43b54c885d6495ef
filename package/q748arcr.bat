@REM 弧長寸法・繰り返し（円弧の長さ、引出線付き） q748arcr
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1ci 弧長を記入する円弧を指示してください
REM #2 寸法線（円弧）を通す点を指示してください (L)free (R)Read
REM #3 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #hr
REM #e
:START
start /w "" "%~dp0q748.exe" --kind arclength
