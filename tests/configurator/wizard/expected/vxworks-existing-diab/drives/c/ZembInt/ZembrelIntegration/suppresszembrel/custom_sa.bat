@echo off
"C:\ZembInt\suppresszembrel\suppresszembrel.exe" %1 %2 "%~3" "%~4" -forget cmaf
"C:\Tools\viewer.exe"  %1 %2 "%~3" "%~4"  %5 "%6"  "%8"  "%8"  -r     
