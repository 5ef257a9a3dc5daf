#pragma once

// Thrown (by value) when a level has no stored ghost.
class GhostManagerNoGhostForThisLevelException {
};
