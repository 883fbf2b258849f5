#include "live/live_decode.h"

#include "live/recording.h"
#include "load/log_load.h"

namespace orvex {

LoadOutcome DecodeWhileRecording(LogLoad& load, LogSource& live, Recording& recording,
                                 LoadProgress* progress) {
    RecordingSource recorded(live, recording);
    LoadOutcome outcome = load.Run(recorded, recording.Identity(), progress);
    if (recording.Error() != 0) {
        outcome.problems.push_back(
            ProblemFromErrno(FileProblem::Action::RecordLog, recording.Path(), recording.Error()));
    }
    return outcome;
}

}  // namespace orvex
