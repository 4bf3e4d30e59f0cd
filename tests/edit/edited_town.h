// Towns with an editor beside them, for tests that look at both: one whose
// editor nobody answers for, one that counts the redraws it asks for.
#pragma once

#include "editor.h"
#include "town.h"

struct EditedTown : Town {
    Editor editor;
};

struct CountingTown : Town, EditorSeams {
    void request_redraw() override { ++redraws; }
    int redraws = 0;
    Editor editor{*this};
};
