@echo off
rem Sets up the VEL C++ environment for the analysis.
set VELCPPBIN=%velcpp%\bin
set PATH=%VELCPPBIN%;%PATH%
