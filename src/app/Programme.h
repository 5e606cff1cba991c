#pragma once

class QApplication;

// Runs the program: splash, start-up, hidden main window, event loop. The exit code.
int Executer_Dalvire(QApplication& application);
