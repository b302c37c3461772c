#pragma once

#include "ShellFixture.h"

// The small windows are tested in the same program-without-main() as the
// shell: scripted services, a registry, the identity and titles built.
using TestContext = ShellFixture;
