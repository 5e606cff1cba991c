#pragma once

#include <chrono>

// When this process started, on the steady clock: the moment the user launched the
// program, before the libraries were loaded. Now, when the system does not tell.
std::chrono::steady_clock::time_point Debut_Processus();
