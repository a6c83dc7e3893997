#include "DepartmentGridTally.h"

#include "views/DepartmentTally.h"
#include "logging/DepartmentGrid.h"
#include "logging/Saisie_QSO.h"
#include "widgets/Palette.h"

#include <QPointer>

namespace orvel {

void paintDepartmentGrid(DepartmentGrid &grid, const DepartmentTally &tally)
{
    for (int index = 0; index < DepartmentGrid::kCount; ++index)
        grid.setColour(index, tally.gridMarks().test(static_cast<size_t>(index)) ? kContactedGreen
                                                                                 : QColor());
}

void installDepartmentTally(Saisie_QSO &entry, DepartmentTally &tally)
{
    DepartmentGrid *grid = entry.departmentGrid();
    QObject::connect(&tally, &DepartmentTally::gridChanged, grid,
                     [grid, &tally] { paintDepartmentGrid(*grid, tally); });
    QPointer<DepartmentTally> guarded(&tally);
    entry.setTallyRefresh([guarded](const QString &band, const QString &mode, bool afterStore) {
        if (guarded)
            guarded->refreshForEntry(band, mode,
                                     afterStore ? DepartmentTally::MapMarks::EntryBandAndMode
                                                : DepartmentTally::MapMarks::Reset);
    });
}

} // namespace orvel
