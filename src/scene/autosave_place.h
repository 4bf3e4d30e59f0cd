// Where unsaved edits are kept: "autosave" in the working folder, the one
// before it as "autosave.1", and a folder of the user's own for when the
// working folder cannot take them.
#pragma once

#include <string>
#include <vector>

#include "scene_history.h"

constexpr const char* AUTOSAVE_NAME = "autosave";
constexpr const char* PREVIOUS_AUTOSAVE_NAME = "autosave.1";

// The folders an autosave may go to, first choice first. An empty folder is
// the working folder; an empty fallback means there is no second place.
struct AutosavePlaces {
    std::string folder;
    std::string fallback;
};

// $XDG_STATE_HOME/quillmoor, or ~/.local/state/quillmoor when that is unset,
// empty or not an absolute path; empty when no home folder is known either.
std::string user_state_folder();

// The working folder, then the user's state folder.
AutosavePlaces default_autosave_places();

// The path of the file name in folder (the working folder when empty).
std::string path_in(const std::string& folder, const char* name);

// A place that would not take the edits, and why.
struct AutosaveRefusal {
    std::string path;
    std::string reason;
};

// How keeping the edits went.
struct AutosaveResult {
    std::string path;      // where they are now; empty when nowhere
    std::string previous;  // where the autosave before them went, if one did
    std::vector<AutosaveRefusal> refusals;
};

// Writes the scene as the autosave of the first place that takes it. The
// autosave already there is first copied to autosave.1; a place where that
// copy fails is passed over, so the older edits are never overwritten. An
// autosave holding these very bytes is left as it is. The fallback folder is
// created as needed, for the user alone.
AutosaveResult write_autosave(const AutosavePlaces& places, const SceneBytes& bytes);

// The autosaves of either place that are newer than the scene file named
// town_name (all of them when it is missing), newest first, each once.
std::vector<std::string> autosaves_newer_than(const AutosavePlaces& places, const char* town_name);
