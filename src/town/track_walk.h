// One walk along the whole track in equal steps of the global parameter,
// marking the steps that carry a tie. The tie count of a rebuild and the
// drawing pass both walk this way, so the pass meets exactly the ties that
// were counted and the tie table is indexed alike by both.
#pragma once

class TrackWalk {
public:
    // step: parameter per step (1 / track_length when ties are laid);
    // track_length and tie_spacing decide which steps carry a tie.
    TrackWalk(float step, float track_length, int tie_spacing)
        : step_(step), track_length_(track_length), tie_spacing_(tie_spacing) {}

    // True while another step fits before the end of the loop. A step too
    // small to move t (a huge or endless track) ends the walk instead of
    // spinning forever.
    bool running() const { return !stalled_ && t_ < 1 - step_; }
    float t() const { return t_; }
    float step() const { return step_; }

    // Counts this step's length toward the next tie: about one unit a step,
    // so a tie falls after every tie_spacing + 1 steps. True when this step
    // carries a tie.
    bool take_tie() {
        accumulated_ += static_cast<float>(track_length_ / 1.0 * step_);
        if (static_cast<float>(tie_spacing_) < accumulated_) {
            accumulated_ = 0;
            return true;
        }
        return false;
    }

    void advance() {
        const float next = t_ + step_;
        if (!(next > t_)) stalled_ = true;
        t_ = next;
    }

private:
    float step_;
    float track_length_;
    int tie_spacing_;
    float t_ = 0;
    float accumulated_ = 0;
    bool stalled_ = false;
};
