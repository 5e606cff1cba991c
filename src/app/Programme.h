#pragma once

#include <functional>

class Contexte;
class QApplication;

// Runs the program: splash, start-up, hidden main window, event loop. The exit code.
// The context is handed to the caller once built, and taken back (nullptr) before it ends.
int Executer_Dalvire(QApplication& application,
                     const std::function<void(Contexte*)>& contexteEnService = {});
