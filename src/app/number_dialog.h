// The small modal dialog of typed numbers (P): one field per name.
#pragma once

#include <string>
#include <vector>

// Shows title over one number field per name, filled from values. OK takes
// the fields only when every one reads as a number within the scene file's
// bound; otherwise the dialog stays open and names the field. True, with
// values replaced, when confirmed; false when cancelled or closed.
bool ask_numbers_dialog(const std::string& title, const std::vector<std::string>& names, std::vector<float>& values);
