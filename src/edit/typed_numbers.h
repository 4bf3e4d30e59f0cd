// P: the selected point's or object's numbers typed in a dialog, applied as
// one edit through the same rebuilds a drag makes.
#pragma once

#include <string>
#include <vector>

struct Town;
struct Editor;
struct KeyPoll;

// Why text cannot be the value of the field named field (not a number, or
// beyond the scene file's bound), naming the field; empty when it can, and
// then value holds it.
std::string typed_number_refusal(const std::string& field, const std::string& text, float& value);
// The shortest text that reads back as exactly value, so a dialog confirmed
// unchanged changes nothing.
std::string number_text(float value);

// P: opens the dialog for what is selected, or says on screen to select one.
void ask_typed_numbers(Town& town, Editor& editor);
// x, y, z (and an object's size and height) for the selection; false, said
// on screen, when the track cannot take them.
bool apply_typed_numbers(Town& town, Editor& editor, const std::vector<float>& values);
