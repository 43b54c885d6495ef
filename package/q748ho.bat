@REM 水平寸法・外側追加（前回の寸法の外側に作図） q748ho
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1 次の計測点を指示してください (L)free (R)Read
REM #2 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #e
:START
start /w "" "%~dp0q748.exe" --direction horizontal --next outside
