// The keyboard as the town view sees it at an event: which keys are down now,
// and whether a mouse button is. Production asks the toolkit; tests script a
// key map.
#pragma once

struct KeyPoll {
    virtual ~KeyPoll() = default;
    virtual bool key_down(int key) const = 0;
    // Whether a mouse button was down at the event. A pointer move, a key or
    // any other event that comes with every button up ends a drag whose
    // release was lost. A scripted key map holds no button.
    virtual bool button_down() const { return false; }
    // Notches the mouse wheel turned at this event, positive towards the
    // user; 0 at every other event.
    virtual int wheel_notches() const { return 0; }
};
