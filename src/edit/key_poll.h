// The keyboard as the town view sees it at an event: which keys are down now.
// Production asks the toolkit; tests script a key map.
#pragma once

struct KeyPoll {
    virtual ~KeyPoll() = default;
    virtual bool key_down(int key) const = 0;
};
