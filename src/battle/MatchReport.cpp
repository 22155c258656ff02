// battle: storage of the last match's report.
#include "battle/MatchReport.h"

MatchReport LastMatch;
