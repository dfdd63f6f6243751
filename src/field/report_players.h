#pragma once
// Points the headless runner's trace at the players of a play field (a match or the tutorial).
class TAdministrador;

namespace field {

// The manager must outlive the report: the state loop forgets it when the screen returns.
void ReportPlayersOf(const TAdministrador* manager);

}  // namespace field
