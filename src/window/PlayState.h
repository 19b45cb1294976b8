#pragma once

enum PlayState : int { Idle = 0, Playing = 1, Paused = 2 };
