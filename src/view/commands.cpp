// Placeholder until the commands arrive: events are only answered.
#include "view/town.h"

namespace {
constexpr int EV_PUSH = 1, EV_RELEASE = 2, EV_DRAG = 5, EV_SHOW = 16;
}

int Town::handle_event(int event, int, int, int, const KeyPoll&) {
    return event == EV_PUSH || event == EV_RELEASE || event == EV_DRAG || event == EV_SHOW;
}
void Town::clear_scene() {}
void Town::print_report() const {}
int Town::ask_file_name(char*, const char*) { return 0; }
