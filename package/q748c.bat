@REM 垂直寸法・連続（前回の寸法に続けて作図） q748c
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1 次の計測点を指示してください (L)free (R)Read
REM #2 寸法値を書き始める点を指示してください (L)free (R)Read
REM #zw
REM #zz
REM #hr
REM #e
:START
start /w "" "%~dp0q748.exe" --next chain
