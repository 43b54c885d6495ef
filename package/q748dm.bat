@REM 直径寸法（円・円弧に引出線付き） q748dm
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1ci 直径を記入する円・円弧を指示してください
REM #2 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --kind diameter
