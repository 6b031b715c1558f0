// The platform's tests name the shared scratch folder as they always have.
#pragma once

#include "support/ScratchFolder.h"

namespace PlatformTests {

using TemporaryFolder = TestSupport::ScratchFolder;

} // namespace PlatformTests
