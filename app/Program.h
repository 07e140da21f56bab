#pragma once
// The whole program: the application object, the real services, start-up and the event loop.
#include <functional>

class QIcon;

namespace app {

class AppController;

// The program's icon, built in. It is read as PNG, the format Qt itself reads, with the format
// not guessed from the bytes: guessing asks every image format plugin first, loading them all.
QIcon ProgramIcon();

// Runs the program and returns its exit code. `started`, when given, is called once the main
// menu has been shown, before the event loop runs (the start-up benchmark ends the run there).
int RunProgram(int argc, char* argv[], const std::function<void(AppController&)>& started = {});

} // namespace app
