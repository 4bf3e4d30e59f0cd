// The help overlay's rows. Each line fits the overlay's column at the
// smallest window the size dialog offers; "free" marks the commands that are
// locked while a point is selected.
#include "view/help_table.h"

const HelpRow HELP_ROWS[] = {
    {"track editing", "M", "add a point (free camera only)"},
    {"track editing", "Q", "select the next control point"},
    {"track editing", "W", "select the next orientation point"},
    {"track editing", "R", "let go of the selection and the light"},
    {"track editing", "1", "point selected: switch the drag plane"},
    {"track editing", "Left click", "select what is under the pointer"},
    {"track editing", "Left drag", "move what is selected"},
    {"track editing", "Right drag", "raise it, or grow an object"},
    {"track editing", "Left / right drag", "move an orientation point or the light"},
    {"track editing", "B", "free: B-spline or Catmull-Rom"},
    {"track editing", "- / +", "ties further apart / closer"},
    {"track editing", "[ / ]", "posts under more / fewer ties"},
    {"track editing", "C", "free: clear the whole town"},
    {"town objects", "E", "select the next town object"},
    {"town objects", "N", "add a town object and select it"},
    {"town objects", "T", "next type for the selected object"},
    {"town objects", "L", "light mode: drags move the lamp"},
    {"train", "Space", "free: start or stop the train"},
    {"train", "F3", "speed from energy or by hand"},
    {"train", "F4", "recompute the energy"},
    {"train", "D", "reset speed and gravity"},
    {"train", "Up / Down", "more / less energy or speed"},
    {"train", "Page Up / Page Down", "stronger / weaker gravity"},
    {"cameras", "1", "free, train running: next camera"},
    {"cameras", "V", "free, train running: next car"},
    {"cameras", "Home", "back to the free camera"},
    {"cameras", "A / Z", "camera forward / back"},
    {"display", "H", "this help"},
    {"display", "I", "heads-up display and ride forces"},
    {"display", "G", "ride profile: height and speed"},
    {"display", "2", "free: show or hide the markers"},
    {"display", "3", "free: centre line or rails and ties"},
    {"display", "4", "lighting on or off"},
    {"display", "0 / 9", "the day runs faster / slower"},
    {"files", "F1", "free: load a scene file"},
    {"files", "F2", "free: save the scene to a file"},
    {"files", "F5", "statistics report on the console"},
    {"files", "F12", "screenshot into the working folder"},
    {"files", "Escape", "close the window"},
};

const std::size_t HELP_ROW_COUNT = sizeof HELP_ROWS / sizeof HELP_ROWS[0];
