@REM ŒÊ’·¡–@‚Ìİ’èiì}‚µ‚Ü‚¹‚ñj q748arcset
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --settings --kind arclength
