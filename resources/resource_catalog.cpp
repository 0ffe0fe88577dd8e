#include "resources/resource_catalog.h"

namespace corvane {

int linkedResourcePictureCount() { return static_cast<int>(kResourcePictureIds.size()); }

}  // namespace corvane
