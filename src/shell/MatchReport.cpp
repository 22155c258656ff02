// shell: storage of the last match's report.
#include "shell/MatchReport.h"

MatchReport LastMatch;
