@REM 寸法値移動・繰り返し q748mvr
@echo off
goto START
REM #jww
REM #cd
REM #h1
REM #hc 寸法値を移動する寸法（寸法値と寸法線）を範囲選択してください
REM #1 寸法値の移動先を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #ht10
REM #ht20
REM #ht40
REM #hr
REM #e
:START
start /w "" "%~dp0q748.exe" --kind move
