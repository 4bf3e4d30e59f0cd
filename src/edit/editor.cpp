// The editor's start values and the two ways it reaches the user.
#include "editor.h"

#include <cstdio>

#include "tick.h"
#include "town.h"

int EditorSeams::ask_file_name(char*, const char*) { return 0; }

AutosavePlaces EditorSeams::autosave_places() const { return default_autosave_places(); }

bool EditorSeams::ask_numbers(const std::string&, const std::vector<std::string>&, std::vector<float>&) {
    return false;
}

EditorSeams& no_seams() {
    static EditorSeams nobody;
    return nobody;
}

Editor::Editor(EditorSeams& given)
    : seams(&given), camera(std::make_unique<Camera>(Vec3{0, 10, 10}, Vec3{0, 0, 0}, Vec3{0, 1, 0})) {}

void Editor::redraw(const Town& town) {
    if (town.train.train_running == 0) seams->request_redraw();
}

void Editor::tell_user(const std::string& line, const char* ending) {
    std::printf("%s%s", line.c_str(), ending);
    std::fflush(stdout);
    overlays.messages.post(line, GetTickCount());
}
