@REM 平行寸法・一括（横切る線をまとめて寸法） q748ak
@echo off
goto START
REM #jww
REM #cd
REM #h4
REM #1 寸法を記入する線を横切る線の始点を指示してください (L)free (R)Read
REM #2- 横切る線の終点を指示してください (L)free (R)Read
REM #3 寸法線を通す点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --direction aligned --pick fence
