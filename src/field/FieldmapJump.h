// field: the great jump, the hidden way from the journey map into the DoraQ chapter.
#pragma once

class FieldMap;

// Flies the hero off the journey map and hands over to the DoraQ chapter; the map is
// destroyed on the way.
void GreatJump(FieldMap& map);
