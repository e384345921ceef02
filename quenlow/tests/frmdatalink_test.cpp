#include "testenv.h"
#include "window.h"

#include <gtest/gtest.h>

namespace {
} // namespace
