// The toolkit's key codes and event kinds that the town view's commands use,
// as plain numbers so the commands build without the toolkit.
#pragma once

// Letters are polled by their upper-case ASCII code, digits and punctuation
// by their own character.
constexpr int KEY_SPACE = 32;
constexpr int KEY_F1 = 65470;
constexpr int KEY_F2 = 65471;
constexpr int KEY_F3 = 65472;
constexpr int KEY_F4 = 65473;
constexpr int KEY_F5 = 65474;
constexpr int KEY_PAGE_UP = 65365;
constexpr int KEY_PAGE_DOWN = 65366;
constexpr int KEY_UP = 65362;
constexpr int KEY_DOWN = 65364;

constexpr int EVENT_PUSH = 1;
constexpr int EVENT_RELEASE = 2;
constexpr int EVENT_DRAG = 5;
constexpr int EVENT_KEYDOWN = 8;
constexpr int EVENT_KEYUP = 9;
constexpr int EVENT_MOVE = 11;
constexpr int EVENT_SHOW = 16;

constexpr int BUTTON_LEFT = 1;
constexpr int BUTTON_RIGHT = 3;

// Keys of the on-screen displays, the screenshot and the free camera.
constexpr int KEY_F12 = 65481;
constexpr int KEY_HOME = 65360;
// The free camera's overview, full screen, and Shift for panning.
constexpr int KEY_END = 65367;
constexpr int KEY_F11 = 65480;
constexpr int KEY_SHIFT_L = 65505;
constexpr int KEY_SHIFT_R = 65506;
constexpr int EVENT_SHORTCUT = 12;
constexpr int EVENT_MOUSEWHEEL = 19;
constexpr int BUTTON_MIDDLE = 2;
// Keys of editing by hand.
constexpr int KEY_INSERT = 65379;
constexpr int KEY_DELETE = 65535;
