#pragma once
// The whole program: the application object, the real services, start-up and the event loop.
#include <functional>

namespace app {

class AppController;

// Runs the program and returns its exit code. `started`, when given, is called once the main
// menu has been shown, before the event loop runs (the start-up benchmark ends the run there).
int RunProgram(int argc, char* argv[], const std::function<void(AppController&)>& started = {});

} // namespace app
