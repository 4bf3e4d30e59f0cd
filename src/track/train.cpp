// Placeholder until the train arrives.
#include "view/town.h"

void Town::train_step() {}
void Town::start_train() {}
void Town::toggle_train() {}
