#pragma once

// Runs the library window until it is closed.
int runWindow(int& argc, char** argv);
