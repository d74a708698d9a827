// Bad markup of every kind through every mode: nothing escapes, the canvas
// comes back as it was given, no GDI object is left behind.
#include <doctest.h>

#include "markup_fuzz.h"

TEST_CASE("markup fuzz: random characters, tag soup and corpus mutations in every mode") {
  const mfuzz::TFuzzReport report = mfuzz::RunMarkupFuzz(20240611, 6000);
  for (const std::string &message : report.Messages) MESSAGE(message);
  CHECK(report.Inputs == 6000);
  CHECK(report.Failures == 0);
}
