// How steady a run was: with repeats, the median spread of each series' samples; always, the
// host's reference measurement at the start, between series and at the end, its change, and
// one warning line when the host's speed changed by more than engine::hostChangeLimitPercent.
#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/run/host_check.h"

namespace cli {

// The fields the run's document carries: "repeatSpreadPercent" (series: median spread, with
// repeats only), "hostChecks" (when, seconds, MBps), "hostChangePercent" and "hostStable".
nlohmann::json steadinessJson(const nlohmann::json& results,
                              const std::vector<engine::HostCheck>& checks);

// The lines printed after the result lines; empty when there is nothing to say.
std::string steadinessText(const nlohmann::json& steadiness);

// "tidewell32: warning: ..." and a line end when the host was not stable; else empty.
std::string hostWarningText(const nlohmann::json& steadiness);

} // namespace cli
