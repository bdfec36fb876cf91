@echo off
set wrapper=C:/ZembInt/ZembrelIntegration/wrapper
set velcpp=C:\VEL\VELCPP3
set HERE=%cd%
call "%velcpp%\bin\VelcppConf.bat" >NUL
@echo off
set PATH=C:\WindRiver\;%PATH%
set TARGET=%2 & if %2==clean goto :DoneAnalysis & del master.wqp 2>NUL
wrenv -p vxworks-6.6 make -f Makefile %TARGET% CXX="%wrapper%/wrapper.exe -wcf %wrapper%/wrapper_%tool%.cfg true"
if errorlevel 1 goto :DoneAnalysis
echo done
:DoneAnalysis
if "%2"=="clean" goto :EOF
C:\ZembInt\ZembrelIntegration\wrapper\create_project_back_end.exe -wqp master.wqp -prjf velcpp\velcpp.prj -p_c C:\ZembInt\ZembrelIntegration\diab\dcc.p_c -p_s C:\ZembInt\ZembrelIntegration\suppresszembrel\suppresszembrel.p_s
call C:\ZembInt\ZembrelIntegration\wrapper\velcppanl.bat velcpp\velcpp.prj
:EOF
