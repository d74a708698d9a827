#pragma once
// The German words kept out of the typo search's variants.
#include "typo/word_list.h"

// The word file beside the program, read on the first typo search rather
// than at start-up (it takes about 10 ms). Without the file, or with a
// damaged one, the typo search goes unfiltered.
const typo::TIsWord &ProgramWordFilter();
