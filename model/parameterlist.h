#pragma once

#include "model/parameter.h"

#include <memory>
#include <vector>

// The options of a list setting in document order. The list owns them, so
// they die with the list element that holds it.
using ParameterList = std::vector<std::unique_ptr<Parameter>>;
