// Hands the départements tally to the entry window: its refreshes run the tally, and its Dpt
// grid takes the colours of the tally's grid marks.
#pragma once

namespace orvel {

class DepartmentGrid;
class DepartmentTally;
class Saisie_QSO;

// Colours the grid's indicators: light green where marked, the plain background elsewhere.
void paintDepartmentGrid(DepartmentGrid &grid, const DepartmentTally &tally);

// Installs the tally into the entry window (which runs it at once) and keeps its grid coloured
// as long as both live.
void installDepartmentTally(Saisie_QSO &entry, DepartmentTally &tally);

} // namespace orvel
