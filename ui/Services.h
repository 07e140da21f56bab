#pragma once
// The platform services a window needs, handed over in one bundle. The program passes the real
// ones; tests pass fakes.
namespace ui {

class Dialogs;
class Printer;
class Clock;

struct Services {
    Dialogs& dialogs;
    Printer& printer;
    Clock& clock;
};

} // namespace ui
