#include <gtest/gtest.h>

#include "app/load_message.h"

namespace orvex {
namespace {

TEST(LoadMessage, IsEmptyAfterALoadThatWentWell) {
    LoadOutcome outcome;
    outcome.decoded = true;
    EXPECT_EQ(LoadMessageText(outcome), "");
}

TEST(LoadMessage, NamesEveryProblemAndTheRecordsNotKept) {
    LoadOutcome outcome;
    outcome.problems.push_back({FileProblem::Action::WriteExport, "/logs/a.csv", "Disk full"});
    outcome.tlmFramesNotKept = 1;
    outcome.reportPath = "/logs/a.tlm";
    EXPECT_EQ(LoadMessageText(outcome),
              "Cannot write the WOD export /logs/a.csv: Disk full\n\n"
              "The window holds the first 100 TLM records of a log; 1 more TLM record was not "
              "kept. The report holds them all.");
}

TEST(LoadMessage, ClaimsNoReportThatWasNotWritten) {
    LoadOutcome outcome;
    outcome.tlmFramesNotKept = 5;
    EXPECT_TRUE(
        LoadMessageText(outcome).endsWith("Check \"Write TLM File\" to have them all in "
                                          "the report."));
    outcome.problems.push_back({FileProblem::Action::WriteReport, "/logs/a.tlm", "Is a directory"});
    EXPECT_TRUE(LoadMessageText(outcome).endsWith("5 more TLM records were not kept."));
}

}  // namespace
}  // namespace orvex
