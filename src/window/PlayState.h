#pragma once

// Stopped: the clip has ended, the player has gone, or the clip could not be played; the
// information screen shows, and playing starts the clip again from its start.
enum PlayState : int { Idle = 0, Playing = 1, Paused = 2, Stopped = 3 };
