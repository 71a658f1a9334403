// The form the page's boxes fill, for the entry points of the page's features.
#pragma once

#include "engine/release_form.h"

const ReleaseForm& pageForm();
