@REM 平行寸法の設定（作図しません） q748aset
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --settings --direction aligned
