#include "live/live_decode.h"

#include "live/recording.h"
#include "load/log_load.h"

namespace orvex {

LoadOutcome DecodeWhileRecording(const RecordedStreamDecoder& decode, LogSource& live,
                                 Recording& recording) {
    RecordingSource recorded(live, recording);
    LoadOutcome outcome = decode(recorded, recording.Identity());
    if (recording.Error() != 0) {
        outcome.problems.push_back(
            ProblemFromErrno(FileProblem::Action::RecordLog, recording.Path(), recording.Error()));
    }
    return outcome;
}

LoadOutcome DecodeWhileRecording(LogLoad& load, LogSource& live, Recording& recording,
                                 LoadProgress* progress) {
    return DecodeWhileRecording(
        [&](LogSource& recorded, const FileIdentity& identity) {
            return load.Run(recorded, identity, progress);
        },
        live, recording);
}

}  // namespace orvex
