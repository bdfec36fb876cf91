@echo off
set velcpp=C:\VEL\VELCPP3
set HERE=%cd%
call "%velcpp%\bin\VelcppConf.bat" >NUL
@echo off
set TARGET=%1
call "%VS90COMNTOOLS%\vsvars32.bat"
call "C:\Program Files\Microsoft Visual Studio 9.0\VC\bin\VCVARS32.BAT"
rem Ensure that the cl that calls VELC++ is used rather than microsoft cl.
set PATH=C:\ZembInt\ZembrelIntegration\wrapper;%PATH%
SET TARGET=%2 & IF %2==clean SET X=1 & del master.wqp 2>NUL
nmake -f makefile %TARGET%
if "%2"=="clean" goto :EOF
C:\ZembInt\ZembrelIntegration\wrapper\create_project_back_end.exe -wqp master.wqp -prjf velcpp\velcpp.prj -p_c C:\VEL\VELCPP3\personalities\VC++2005.p_c -p_s C:\ZembInt\ZembrelIntegration\suppresszembrel\suppresszembrel.p_s
call C:\ZembInt\ZembrelIntegration\wrapper\velcppanl.bat velcpp\velcpp.prj
:EOF
