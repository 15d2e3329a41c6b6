#pragma once

// How hard the question clock presses. Standard is the game as it always
// was; Slower keeps the first round's clock every round; Untimed lets the
// clock run for the bonus but never takes a chance for slowness.
enum class Pace { Standard, Slower, Untimed };
