@echo off
rem Zembrel: build generated code with Microsoft Visual C++.
set TARGET=%2
if "%2"=="" set TARGET=all
if "%2"=="clean" set TARGET=clean
call "%VS90COMNTOOLS%\..\..\VC\bin\vcvars32.bat" >NUL
nmake /nologo /f %1 %TARGET%
if errorlevel 1 goto :EOF
echo Build of %1 finished.
