// The form the page's boxes fill, for the entry points of the page's features.
#pragma once

#include <string>

#include "engine/record_form.h"
#include "engine/release_form.h"

const ReleaseForm& pageForm();
// The same form, for the features that fill boxes of it.
RecordForm& pageRecordForm();
// Keeps text as the answer of an entry point, valid until the next call, and returns it.
const char* pageAnswer(std::string text);
