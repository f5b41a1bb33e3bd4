// The transfer plan of one bandwidth measurement from the current run state.
#include "engine/size_codes.h"

#include "engine/run/results.h"
#include "engine/test_area.h"

namespace engine {

TransferPlan transferPlan(uint32_t sizeDwords) {
  assert(sizeDwords >= 1024 && sizeDwords % 32 == 0);
  return transferPlanFor(transferDwords(testArea.reducedTransfer, runParameters.iterationShift),
                         sizeDwords);
}

} // namespace engine
