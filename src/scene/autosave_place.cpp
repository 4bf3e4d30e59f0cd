// Keeping unsaved edits somewhere they survive: the working folder first, the
// user's state folder when that one is read-only, full or otherwise refuses.
#include "autosave_place.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "regular_file.h"
#include "replace_file.h"
#include "scene_file.h"

namespace {

constexpr const char* STATE_SUBFOLDER = "quillmoor";
constexpr mode_t PRIVATE_FOLDER = 0700;

std::string home_folder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* user = getpwuid(getuid());
    if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/') return user->pw_dir;
    return "";
}

// Every missing folder along the path, as mkdir -p makes them.
std::string make_folders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), PRIVATE_FOLDER) != 0 && errno != EEXIST) return std::strerror(errno);
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return std::strerror(ENOTDIR);
    return "";
}

// The autosave in one folder; empty on success, or why that folder refused.
// An autosave already there is copied to autosave.1 before it is replaced,
// and a failed copy refuses the folder rather than lose it.
std::string write_into(const std::string& folder, const SceneBytes& bytes, std::string& previous) {
    const std::string target = path_in(folder, AUTOSAVE_NAME);
    std::string kept;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return not_a_file_reason(info.st_mode);
        const FileBytes old = read_scene_bytes(target.c_str());
        if (!old.ok) return "the autosave there cannot be read to keep it: " + old.reason;
        if (old.bytes == bytes) return "";
        const std::string older = path_in(folder, PREVIOUS_AUTOSAVE_NAME);
        const std::string reason = write_file_replacing(older.c_str(), old.bytes);
        if (!reason.empty()) return "the autosave there cannot be kept as " + older + ": " + reason;
        kept = older;
    } else if (errno != ENOENT) {
        return std::strerror(errno);
    }
    const std::string reason = write_file_replacing(target.c_str(), bytes);
    if (reason.empty()) previous = kept;
    return reason;
}

bool later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

std::string user_state_folder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/" + STATE_SUBFOLDER;
    const std::string home = home_folder();
    if (home.empty()) return "";
    return home + "/.local/state/" + STATE_SUBFOLDER;
}

AutosavePlaces default_autosave_places() { return {"", user_state_folder()}; }

std::string path_in(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

AutosaveResult write_autosave(const AutosavePlaces& places, const SceneBytes& bytes) {
    AutosaveResult result;
    const std::string first = write_into(places.folder, bytes, result.previous);
    if (first.empty()) return result.path = path_in(places.folder, AUTOSAVE_NAME), result;
    result.refusals.push_back({path_in(places.folder, AUTOSAVE_NAME), first});
    if (places.fallback.empty()) return result;

    std::string second = make_folders(places.fallback);
    if (second.empty()) second = write_into(places.fallback, bytes, result.previous);
    if (second.empty()) return result.path = path_in(places.fallback, AUTOSAVE_NAME), result;
    result.refusals.push_back({path_in(places.fallback, AUTOSAVE_NAME), second});
    return result;
}

std::vector<std::string> autosaves_newer_than(const AutosavePlaces& places, const char* town_name) {
    struct Found {
        std::string path;
        struct stat info;
    };
    struct stat town {};
    const bool town_there = stat(town_name, &town) == 0;
    std::vector<Found> found;
    for (const std::string* folder : {&places.folder, &places.fallback}) {
        if (folder == &places.fallback && folder->empty()) continue;
        Found candidate{path_in(*folder, AUTOSAVE_NAME), {}};
        if (stat(candidate.path.c_str(), &candidate.info) != 0 || !S_ISREG(candidate.info.st_mode)) continue;
        if (town_there && !later(candidate.info.st_mtim, town.st_mtim)) continue;
        const bool seen = std::any_of(found.begin(), found.end(), [&](const Found& f) {
            return f.info.st_dev == candidate.info.st_dev && f.info.st_ino == candidate.info.st_ino;
        });
        if (!seen) found.push_back(candidate);
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return later(a.info.st_mtim, b.info.st_mtim); });
    std::vector<std::string> paths;
    for (const Found& f : found) paths.push_back(f.path);
    return paths;
}
