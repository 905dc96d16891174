@cd /d "%~dp0" && start "" chatsim.exe scenario.txt tamblo.exe
