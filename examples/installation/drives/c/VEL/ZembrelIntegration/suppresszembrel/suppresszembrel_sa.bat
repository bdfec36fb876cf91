@echo off
"%~dp0..\..\suppresszembrel\suppresszembrel.exe" %1 %2 "%~3" "%~4" -forget cmaf
