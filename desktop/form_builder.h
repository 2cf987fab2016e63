// Turns a parsed window description into the live elements of a TForm1.
#pragma once

#include <vector>

#include "desktop/form1.h"
#include "desktop/window_description.h"

namespace desktop {

// Creates every element in order, binds events to TForm1's handlers by name
// and fills its element fields. Throws DescriptionError for anything the
// description names that does not exist or does not fit.
void BuildForm(TForm1& form, const std::vector<ElementDescription>& elements);

}  // namespace desktop
