@echo off
set PATH=C:\VEL\VELCPP3\bin;%PATH%
"C:\ZembInt\ZembrelIntegration\wrapper\wrapper.exe" cl %*
