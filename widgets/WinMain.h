#pragma once

// The program's GUI entry point. The process entry hands the command line to
// Application, calls WinMain, releases the application and returns WinMain's result.
int WinMain();
