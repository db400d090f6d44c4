#pragma once
// Tests that need an outside reader or converter: where the tool is missing they are skipped
// on a developer's machine, but fail in CI (CI=true), where the bootstrap script installs it.

#include <gtest/gtest.h>

#include <cstdlib>

#define QUILLERY_REQUIRE_TOOL(present, tool)                                              \
    do {                                                                                  \
        if (!(present)) {                                                                 \
            if (std::getenv("CI"))                                                        \
                FAIL() << tool << " is not installed (scripts/bootstrap.sh installs it)"; \
            GTEST_SKIP() << tool << " is not installed";                                  \
        }                                                                                 \
    } while (false)
