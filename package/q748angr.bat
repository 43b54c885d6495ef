@REM 角度寸法・繰り返し（２線の角度、引出線付き） q748angr
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1ln 角度を測る１本目の線を指示してください
REM #2ln 角度を測る２本目の線を指示してください
REM #3 寸法線（円弧）を通す点を指示してください (L)free (R)Read
REM #4 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #hr
REM #e
:START
start /w "" "%~dp0q748.exe" --kind angle
