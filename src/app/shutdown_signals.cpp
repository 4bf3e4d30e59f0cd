// The signal handler only notes the signal and wakes the event loop through a
// pipe; the loop, even while the pump sleeps with the train stopped, then
// closes the windows on the toolkit's thread.
#include "shutdown_signals.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "edit_history.h"

namespace {

constexpr int ENDING_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int SIGNAL_COUNT = sizeof ENDING_SIGNALS / sizeof ENDING_SIGNALS[0];
constexpr int EXIT_STATUS = 1;  // the program's status on every path

// Neither a signal handler nor Xlib's I/O error handler is given any data of
// ours, so what they need lives here, for as long as the watch does.
volatile sig_atomic_t ending_signal = 0;
int wake_pipe[2] = {-1, -1};
Town* watched_town = nullptr;
Editor* watched_editor = nullptr;
bool closed_for_signal = false;  // the loop has acted on the signal
struct sigaction previous_actions[SIGNAL_COUNT];
XIOErrorHandler toolkit_io_handler = nullptr;

extern "C" void note_ending_signal(int sig) {
    if (ending_signal != 0) {  // asked twice: the user does not want to wait
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    ending_signal = sig;
    const int saved_errno = errno;
    const char byte = 1;
    if (write(wake_pipe[1], &byte, 1) < 0) {
        // The pipe is full of earlier wake-ups: the loop wakes anyway.
    }
    errno = saved_errno;
}

const char* signal_name(int sig) {
    switch (sig) {
        case SIGTERM: return "SIGTERM";
        case SIGHUP: return "SIGHUP";
        case SIGINT: return "SIGINT";
        default: return "a signal";
    }
}

void act_on_signal(FL_SOCKET fd, void*) {
    char drained[64];
    while (read(fd, drained, sizeof drained) > 0) {
    }
    if (ending_signal == 0) return;
    std::printf("Ending on %s, as the window's close does\n", signal_name(ending_signal));
    // An open file prompt whose window goes counts as cancelled, so the
    // nested loops unwind and the main loop returns once nothing is shown.
    for (int guard = 0; Fl::first_window() != nullptr && guard < 100; ++guard) Fl::first_window()->hide();
    closed_for_signal = true;
}

// Xlib ends the process itself if this returns, and nothing may ask the X
// server for anything any more: keep the edits, then go.
int keep_edits_on_lost_display(Display*) {
    std::printf("Lost the connection to the display\n");
    if (watched_town != nullptr) keep_edits_on_close(*watched_town, *watched_editor);
    std::fflush(stdout);
    _exit(EXIT_STATUS);
}

}  // namespace

ShutdownWatch::ShutdownWatch(Town& town, Editor& editor) {
    watched_town = &town;
    watched_editor = &editor;
    ending_signal = 0;
    closed_for_signal = false;
    if (pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        Fl::add_fd(wake_pipe[0], FL_READ, act_on_signal);
        struct sigaction action {};
        action.sa_handler = note_ending_signal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int i = 0; i < SIGNAL_COUNT; ++i) {
            sigaction(ENDING_SIGNALS[i], &action, &previous_actions[i]);
            // Started with nohup, or in the background by a shell: what the
            // starter ignores stays ignored.
            if (previous_actions[i].sa_handler == SIG_IGN) sigaction(ENDING_SIGNALS[i], &previous_actions[i], nullptr);
        }
    } else {
        std::printf("Signals will end the program without keeping the edits: %s\n", std::strerror(errno));
        wake_pipe[0] = wake_pipe[1] = -1;
    }
    // The toolkit sets its own handler when it opens the display; this one
    // must come after it.
    fl_open_display();
    toolkit_io_handler = XSetIOErrorHandler(keep_edits_on_lost_display);
}

bool ShutdownWatch::ending() const { return closed_for_signal; }

ShutdownWatch::~ShutdownWatch() {
    XSetIOErrorHandler(toolkit_io_handler);
    if (wake_pipe[0] >= 0) {
        for (int i = 0; i < SIGNAL_COUNT; ++i) sigaction(ENDING_SIGNALS[i], &previous_actions[i], nullptr);
        Fl::remove_fd(wake_pipe[0]);
        close(wake_pipe[0]);
        close(wake_pipe[1]);
        wake_pipe[0] = wake_pipe[1] = -1;
    }
    watched_town = nullptr;
    watched_editor = nullptr;
}
