#pragma once

class Clock;
class Dialogs;
class Folders;
class HidController;
class PowerOff;
class Shell;

// The platform services handed to the windows when they are created.
struct PlatformServices {
    HidController* hid = nullptr;
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    PowerOff* powerOff = nullptr;
    Clock* clock = nullptr;
    Folders* folders = nullptr;
};
