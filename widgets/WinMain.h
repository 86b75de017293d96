#pragma once

// The program's GUI entry point. The process entry refuses to start without a desktop
// session (one line, exit status 1), then hands the command line to
// Application, calls WinMain, releases the application and returns WinMain's result.
int WinMain();
