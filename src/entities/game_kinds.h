#pragma once
// The entity kinds of a real play field, for the managers of the game and the tutorial.
#include "entities/entity_kinds.h"

EntityKinds GameEntityKinds();
