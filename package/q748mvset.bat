@REM ê°ñ@ílà⁄ìÆÅEê›íË q748mvset
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --settings --kind move
