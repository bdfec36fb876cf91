@echo off
rem Zembrel: build generated code for VxWorks 6 with the Wind River tools.
set WIND_HOME=C:\WindRiver
set PATH=C:\WindRiver\;%PATH%
set TARGET=%2
if "%2"=="clean" set TARGET=clean
if "%1"=="" goto :EOF
wrenv -p vxworks-6.9 make -f %1 %TARGET%
if errorlevel 1 goto :EOF
echo Build of %1 finished.
:EOF
